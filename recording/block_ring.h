#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "recording/sound_device.h"

namespace harkdeck {

// The four-block ring shared by capture and playback, which never run together.
// Buffers live from the start to the stop of a recording or a playback; an
// empty first header slot means that no headers exist.
extern std::array<std::vector<std::uint8_t>, kRingSlots> g_blockBuffers;
extern std::array<std::unique_ptr<CBlockHeader>, kRingSlots> g_inHeaders;
extern std::array<std::unique_ptr<CBlockHeader>, kRingSlots> g_outHeaders;
extern std::unique_ptr<IWaveIn> g_waveIn;
extern std::unique_ptr<IWaveOut> g_waveOut;
extern int g_ringIndex;

void AllocateBlockBuffers();
void FreeBlockBuffers();

}  // namespace harkdeck
