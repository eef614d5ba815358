#pragma once

#include <cstdint>

namespace harkdeck {

// The 18-byte waveform format record: PCM, mono, 11025 samples/s, 8 bits.
struct CWaveFormat {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSec = 11025;
  std::uint32_t avgBytesPerSec = 11025;
  std::uint16_t blockAlign = 1;
  std::uint16_t bitsPerSample = 8;
  std::uint16_t extraSize = 0;
};

inline constexpr int kBlockBytes = 2205;       // 0.2 s of audio
inline constexpr int kBytesPerSecond = 11025;
inline constexpr int kBlocksPerSecond = 5;
inline constexpr int kRingSlots = 4;
inline constexpr std::uint8_t kSilence = 128;

}  // namespace harkdeck
