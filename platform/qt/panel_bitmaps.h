#pragma once

#include <QIcon>
#include <QPixmap>
#include <map>

namespace harkdeck {

// Every image of the panel by bitmap id, drawn once when the window is
// created and only handed out afterwards.
class CPanelBitmaps {
 public:
  CPanelBitmaps();

  // Null when there is no image of that id.
  const QPixmap* Find(int bitmapId) const;
  const QIcon& ProgramIcon() const { return m_icon; }

 private:
  std::map<int, QPixmap> m_images;
  QIcon m_icon;
};

}  // namespace harkdeck
