#include "platform/qt/panel_layout.h"

#include <array>

#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

using enum CControlKind;

constexpr int kFixed = -1;

constexpr std::array kControls{
    CTemplateControl{1032, kButton, 7, 77, 53, 28, 145, nullptr},
    CTemplateControl{1033, kButton, 68, 76, 53, 28, 149, nullptr},
    CTemplateControl{1034, kButton, 129, 77, 53, 28, 153, nullptr},
    CTemplateControl{1035, kButton, 190, 77, 53, 28, 155, nullptr},
    CTemplateControl{1043, kButton, 129, 122, 53, 28, 178, nullptr},
    CTemplateControl{1039, kButton, 309, 122, 53, 28, 170, nullptr},
    CTemplateControl{1000, kBitmap, 68, 12, 13, 17, 133, nullptr},
    CTemplateControl{1001, kBitmap, 81, 12, 13, 17, 133, nullptr},
    CTemplateControl{1002, kBitmap, 94, 12, 20, 20, 133, nullptr},
    CTemplateControl{1003, kBitmap, 107, 12, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kBitmap, 120, 12, 20, 20, 134, nullptr},
    CTemplateControl{1004, kBitmap, 133, 12, 20, 20, 133, nullptr},
    CTemplateControl{1005, kBitmap, 146, 12, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kBitmap, 159, 12, 13, 17, 134, nullptr},
    CTemplateControl{1006, kBitmap, 172, 12, 13, 17, 133, nullptr},
    CTemplateControl{1007, kBitmap, 185, 12, 13, 17, 133, nullptr},
    CTemplateControl{1008, kBitmap, 210, 12, 13, 17, 133, nullptr},
    CTemplateControl{1009, kBitmap, 223, 12, 13, 17, 133, nullptr},
    CTemplateControl{kFixed, kBitmap, 236, 12, 20, 20, 135, nullptr},
    CTemplateControl{1010, kBitmap, 249, 12, 20, 20, 133, nullptr},
    CTemplateControl{1011, kBitmap, 262, 12, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kBitmap, 275, 12, 13, 17, 135, nullptr},
    CTemplateControl{1012, kBitmap, 288, 12, 20, 20, 133, nullptr},
    CTemplateControl{1013, kBitmap, 301, 12, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kGroupBox, 65, 6, 252, 25, 0, nullptr},
    CTemplateControl{1015, kBitmap, 68, 42, 20, 20, 133, nullptr},
    CTemplateControl{1016, kBitmap, 81, 42, 20, 20, 133, nullptr},
    CTemplateControl{1017, kBitmap, 94, 42, 20, 20, 133, nullptr},
    CTemplateControl{1018, kBitmap, 107, 42, 20, 20, 133, nullptr},
    CTemplateControl{1038, kBitmap, 120, 42, 20, 20, 134, nullptr},
    CTemplateControl{1019, kBitmap, 133, 42, 20, 20, 133, nullptr},
    CTemplateControl{1020, kBitmap, 146, 42, 13, 17, 133, nullptr},
    CTemplateControl{1037, kBitmap, 159, 42, 20, 20, 134, nullptr},
    CTemplateControl{1021, kBitmap, 172, 42, 20, 20, 133, nullptr},
    CTemplateControl{1022, kBitmap, 185, 42, 20, 20, 133, nullptr},
    CTemplateControl{1023, kBitmap, 210, 42, 20, 20, 133, nullptr},
    CTemplateControl{1024, kBitmap, 223, 42, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kBitmap, 236, 42, 20, 20, 135, nullptr},
    CTemplateControl{1025, kBitmap, 249, 42, 20, 20, 133, nullptr},
    CTemplateControl{1026, kBitmap, 262, 42, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kBitmap, 275, 42, 20, 20, 135, nullptr},
    CTemplateControl{1027, kBitmap, 288, 42, 20, 20, 133, nullptr},
    CTemplateControl{1028, kBitmap, 301, 42, 20, 20, 133, nullptr},
    CTemplateControl{kFixed, kGroupBox, 65, 36, 252, 35, 0, nullptr},
    CTemplateControl{1036, kButton, 7, 42, 53, 28, 160, nullptr},
    CTemplateControl{1030, kMeter, 326, 14, 12, 84, 0, nullptr},
    CTemplateControl{1031, kSlider, 344, 12, 13, 90, 0, nullptr},
    CTemplateControl{kFixed, kText, 326, 103, 30, 8, 0, "Vox level"},
    CTemplateControl{kFixed, kGroupBox, 320, 7, 42, 108, 0, nullptr},
    CTemplateControl{1040, kText, 15, 110, 301, 8, 0, ""},
    CTemplateControl{kFixed, kBitmap, 9, 5, 53, 28, 152, nullptr},
    CTemplateControl{1041, kButton, 250, 77, 53, 28, 192, nullptr},
    CTemplateControl{1042, kButton, 250, 122, 53, 28, 180, nullptr},
    CTemplateControl{1044, kButton, 190, 122, 53, 28, 179, nullptr},
    CTemplateControl{1049, kBitmap, 18, 121, 31, 28, 190, nullptr},
    CTemplateControl{1050, kButton, 294, 77, 22, 28, 193, nullptr},
    CTemplateControl{1053, kButton, 95, 60, 199, 10, 196, nullptr},
    CTemplateControl{1055, kBitmap, 49, 121, 10, 9, 200, nullptr},
    CTemplateControl{1056, kButton, 68, 122, 53, 28, 202, nullptr},
    CTemplateControl{1057, kCentredText, 275, 87, 16, 8, 0, "2"},
    CTemplateControl{1058, kButton, 273, 96, 19, 9, 204, nullptr},
    CTemplateControl{1059, kButton, 273, 77, 19, 9, 204, nullptr},
};

}  // namespace

std::span<const CTemplateControl> PanelControls() { return kControls; }

QRect FromDialogUnits(int x, int y, int width, int height) {
  return {x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8};
}

}  // namespace harkdeck
