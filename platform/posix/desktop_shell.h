#pragma once

#include "platform/shell.h"

namespace harkdeck {

// Opens documents with xdg-open and starts programs detached from us.
class CDesktopShell final : public IShell {
 public:
  void OpenDocument(const std::string& path) override;
  void Launch(const std::string& program, const std::string& parameters) override;
};

}  // namespace harkdeck
