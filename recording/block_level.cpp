#include "recording/block_level.h"

#include <cmath>

#include "recording/wave_format.h"

namespace harkdeck {

double BlockLevel(const std::uint8_t* block, std::uint32_t count) {
  if (count == 0) return 0.0;
  // Exact: at most 16384 per byte, so no rounding before the division.
  std::uint64_t sum = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const int step = static_cast<int>(block[i]) - kSilence;
    sum += static_cast<std::uint64_t>(step * step);
  }
  const double rms = std::sqrt(static_cast<double>(sum) / count);
  double clamped = rms;
  if (rms > 100.0) {
    clamped = 100.0;
  } else if (rms < 1.0) {
    clamped = 1.0;
  }
  return 21.7 * std::log(clamped);
}

int MeterPosition(double level) { return static_cast<int>(std::trunc(level)); }

}  // namespace harkdeck
