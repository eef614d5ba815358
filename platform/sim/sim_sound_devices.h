#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "recording/sound_device.h"

namespace harkdeck {

enum class CSimOperation { kInputCaps, kOpenInput, kOpenOutput, kPrepare, kQueue, kStart };

class CSimWaveIn;
class CSimWaveOut;

// A sound card in software. In manual pacing the test completes blocks one at
// a time; in real-time pacing a thread of the device's own completes one block
// every 0.2 s, as a real card does.
class CSimSoundDevices final : public ISoundDevices {
 public:
  enum class CPacing { kManual, kRealTime };
  struct CDevice {
    std::string name;
    bool usable = true;
  };
  // Fills a captured block. Called on the thread that completes the block.
  using CSignal = std::function<void(std::uint8_t* block, std::uint32_t count)>;

  explicit CSimSoundDevices(CPacing pacing = CPacing::kManual);
  ~CSimSoundDevices() override;

  int InputDeviceCount() override;
  MmResult InputCaps(int device, CInputCaps* caps) override;
  MmResult OpenInput(std::unique_ptr<IWaveIn>* out, int device, const CWaveFormat& format) override;
  MmResult OpenOutput(std::unique_ptr<IWaveOut>* out, int device,
                      const CWaveFormat& format) override;

  // Every later call of that operation fails with the code, until cleared.
  void Fail(CSimOperation operation, MmResult code) { m_failures[operation] = code; }
  void ClearFailures() { m_failures.clear(); }

  // Manual pacing: completes up to this many queued blocks, in queue order,
  // and gives how many it completed. Capture completes only once started.
  int CompleteInput(int blocks);
  int CompleteOutput(int blocks);

  // Blocks queued and not yet completed.
  int QueuedInput();
  int QueuedOutput();

  std::vector<CDevice> inputs{{"Simulated line input", true}};
  CSignal signal;
  // A device that has stopped delivering (unplugged) completes nothing.
  bool delivering = true;
  // Everything the output was given to play, in order.
  std::vector<std::uint8_t> played;
  // Off for long runs, where keeping everything played would only grow.
  bool keepPlayed = true;
  int lastInputDevice = 0;
  int lastOutputDevice = 0;
  CWaveFormat lastFormat;
  int openStreams = 0;

 private:
  friend class CSimWaveIn;
  friend class CSimWaveOut;

  MmResult Failure(CSimOperation operation) const;

  CPacing m_pacing;
  std::map<CSimOperation, MmResult> m_failures;
  std::recursive_mutex m_mutex;
  CSimWaveIn* m_input = nullptr;
  CSimWaveOut* m_output = nullptr;
};

}  // namespace harkdeck
