#pragma once

#include <cstdint>

namespace harkdeck {

// Loudness of a block on the meter's log scale, 0.0 to 21.7 * ln 100 (99.93):
// 21.7 ln of the RMS amplitude in sample steps, the amplitude held to 1..100.
// An empty block is silent.
double BlockLevel(const std::uint8_t* block, std::uint32_t count);

// The level meter's position for a level: truncated toward zero.
int MeterPosition(double level);

}  // namespace harkdeck
