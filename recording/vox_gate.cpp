#include "control/harkdeck_dlg.h"

namespace harkdeck {

double CHarkdeckDlg::MeasureBlockLevel(const std::uint8_t* /*block*/, std::uint32_t /*count*/) {
  return 0.0;
}
void CHarkdeckDlg::UpdateVoxGate(double /*level*/, Time64 /*now*/) {}

}  // namespace harkdeck
