#include "platform/qt/panel_bitmaps.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "tests/qt/panel_test_support.h"

namespace harkdeck::test {
namespace {

struct CBitmapSize {
  int id;
  QSize size;
};

std::vector<CBitmapSize> ExpectedSizes() {
  std::vector<CBitmapSize> sizes;
  for (int id : {133, 136, 137, 138, 139, 140, 141, 142, 143, 134, 135, 164}) {
    sizes.push_back({id, {19, 27}});
  }
  sizes.push_back({144, {19, 26}});
  for (int id : {145, 146, 147, 149, 150, 151, 153, 159, 155, 156, 160, 161, 162,
                 163, 166, 152, 170, 172, 173, 174, 175, 178, 179, 180, 202, 203}) {
    sizes.push_back({id, {80, 46}});
  }
  sizes.push_back({192, {32, 46}});
  sizes.push_back({193, {33, 46}});
  sizes.push_back({183, {32, 46}});
  for (int id : {185, 186, 187, 188, 190, 191}) sizes.push_back({id, {46, 46}});
  sizes.push_back({196, {298, 16}});
  sizes.push_back({199, {15, 14}});
  sizes.push_back({200, {15, 14}});
  sizes.push_back({204, {29, 15}});
  return sizes;
}

TEST(PanelBitmapsTest, EveryImageIsDrawnAtItsSize) {
  const CPanelBitmaps bitmaps;
  const auto sizes = ExpectedSizes();
  for (const auto& expected : sizes) {
    const QPixmap* pixmap = bitmaps.Find(expected.id);
    ASSERT_NE(pixmap, nullptr) << expected.id;
    EXPECT_EQ(pixmap->size(), expected.size) << expected.id;
  }
  EXPECT_EQ(bitmaps.Find(1), nullptr);
  EXPECT_FALSE(bitmaps.ProgramIcon().pixmap(32, 32).isNull());

  // A contact sheet of the whole set at twice the size, to look at.
  QImage sheet(1400, 520, QImage::Format_RGB32);
  sheet.fill(QColor(90, 90, 90));
  QPainter painter(&sheet);
  painter.scale(2, 2);
  QPoint at(2, 2);
  const auto place = [&](const QPixmap& pixmap) {
    if (at.x() + pixmap.width() > 698) at = QPoint(2, at.y() + 50);
    painter.drawPixmap(at, pixmap);
    at.rx() += pixmap.width() + 4;
  };
  for (const auto& expected : sizes) place(*bitmaps.Find(expected.id));
  place(bitmaps.ProgramIcon().pixmap(32, 32));
  place(bitmaps.ProgramIcon().pixmap(16, 16));
  painter.end();
  CQtPanel::SaveShot(QPixmap::fromImage(sheet), "bitmaps");
}

TEST(PanelBitmapsTest, StatesOfAKeyDiffer) {
  const CPanelBitmaps bitmaps;
  const auto image = [&](int id) { return bitmaps.Find(id)->toImage(); };
  // Plain, lit and sunken must be told apart at a glance, and so must the
  // four phases of the stride.
  for (const auto& group : std::vector<std::vector<int>>{{145, 146, 147},
                                                         {149, 150, 151},
                                                         {153, 159},
                                                         {170, 172, 173, 174, 175},
                                                         {185, 186, 187, 188, 190, 191},
                                                         {199, 200}}) {
    for (size_t i = 0; i < group.size(); ++i) {
      for (size_t j = i + 1; j < group.size(); ++j) {
        EXPECT_NE(image(group[i]), image(group[j])) << group[i] << " and " << group[j];
      }
    }
  }
}

}  // namespace
}  // namespace harkdeck::test
