#include "recording/block_ring.h"

namespace harkdeck {

std::array<std::vector<std::uint8_t>, kRingSlots> g_blockBuffers;
std::array<std::unique_ptr<CBlockHeader>, kRingSlots> g_inHeaders;
std::array<std::unique_ptr<CBlockHeader>, kRingSlots> g_outHeaders;
std::unique_ptr<IWaveIn> g_waveIn;
std::unique_ptr<IWaveOut> g_waveOut;
int g_ringIndex = 0;

void AllocateBlockBuffers() {
  for (auto& buffer : g_blockBuffers) buffer.assign(kBlockBytes, kSilence);
}

void FreeBlockBuffers() {
  for (auto& buffer : g_blockBuffers) std::vector<std::uint8_t>().swap(buffer);
}

}  // namespace harkdeck
