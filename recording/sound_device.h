#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "recording/wave_format.h"

namespace harkdeck {

// Result codes of the device operations, as the recorder reports them.
using MmResult = unsigned;
inline constexpr MmResult kMmNoError = 0;
inline constexpr MmResult kMmError = 1;
inline constexpr MmResult kMmBadDeviceId = 2;
inline constexpr MmResult kMmAllocated = 4;
inline constexpr MmResult kMmInvalidHandle = 5;
inline constexpr MmResult kMmNoDriver = 6;
inline constexpr MmResult kMmNoMemory = 7;
inline constexpr MmResult kWaveBadFormat = 32;
inline constexpr MmResult kWaveStillPlaying = 33;
inline constexpr MmResult kWaveUnprepared = 34;

inline constexpr std::uint32_t kHeaderDone = 1;
inline constexpr std::uint32_t kHeaderPrepared = 2;

inline constexpr int kDefaultDevice = -1;

// One queued block. The device's own thread may complete it: it writes
// bytesRecorded and then sets kHeaderDone with release order; the tick reads
// flags with acquire order before touching data. Nothing else is shared.
struct CBlockHeader {
  std::uint8_t* data = nullptr;
  std::uint32_t bufferLength = 0;
  std::atomic<std::uint32_t> bytesRecorded{0};
  std::atomic<std::uint32_t> flags{0};

  bool IsDone() const { return (flags.load(std::memory_order_acquire) & kHeaderDone) != 0; }
  bool IsPrepared() const {
    return (flags.load(std::memory_order_acquire) & kHeaderPrepared) != 0;
  }
};

struct CInputCaps {
  std::string name;
  std::uint32_t formats = 0;  // non-zero: usable
};

// An open capture stream. Buffers complete in the order they were queued.
class IWaveIn {
 public:
  virtual ~IWaveIn() = default;
  virtual MmResult PrepareHeader(CBlockHeader& header) = 0;
  virtual MmResult AddBuffer(CBlockHeader& header) = 0;
  virtual MmResult Start() = 0;
  // Stops capture; every queued header comes back done, its data dropped.
  virtual MmResult Reset() = 0;
  virtual MmResult UnprepareHeader(CBlockHeader& header) = 0;
  virtual MmResult Close() = 0;
};

// An open playback stream. Buffers play in the order they were written.
class IWaveOut {
 public:
  virtual ~IWaveOut() = default;
  virtual MmResult PrepareHeader(CBlockHeader& header) = 0;
  virtual MmResult Write(CBlockHeader& header) = 0;
  // Stops output at once; unplayed blocks are not heard and come back done.
  virtual MmResult Reset() = 0;
  virtual MmResult UnprepareHeader(CBlockHeader& header) = 0;
  virtual MmResult Close() = 0;
};

class ISoundDevices {
 public:
  virtual ~ISoundDevices() = default;
  virtual int InputDeviceCount() = 0;
  virtual MmResult InputCaps(int device, CInputCaps* caps) = 0;
  virtual MmResult OpenInput(std::unique_ptr<IWaveIn>* out, int device,
                             const CWaveFormat& format) = 0;
  virtual MmResult OpenOutput(std::unique_ptr<IWaveOut>* out, int device,
                              const CWaveFormat& format) = 0;
};

}  // namespace harkdeck
