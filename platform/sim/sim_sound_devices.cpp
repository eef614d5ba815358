#include "platform/sim/sim_sound_devices.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>

namespace harkdeck {

namespace {

constexpr auto kBlockPeriod = std::chrono::milliseconds(200);

void MarkDone(CBlockHeader* header, std::uint32_t bytes) {
  header->bytesRecorded.store(bytes, std::memory_order_relaxed);
  header->flags.fetch_or(kHeaderDone, std::memory_order_release);
}

// The part common to both directions: the queue, the pacing thread and the
// header flags.
class CSimStream {
 public:
  CSimStream(CSimSoundDevices& devices, std::recursive_mutex& mutex)
      : m_devices(devices), m_mutex(mutex) {}

  MmResult Prepare(CBlockHeader& header, MmResult failure) {
    if (failure != kMmNoError) return failure;
    header.flags.fetch_or(kHeaderPrepared, std::memory_order_acq_rel);
    return kMmNoError;
  }

  MmResult Queue(CBlockHeader& header, MmResult failure) {
    if (failure != kMmNoError) return failure;
    if (!header.IsPrepared()) return kWaveUnprepared;
    std::lock_guard lock(m_mutex);
    header.flags.fetch_and(~kHeaderDone, std::memory_order_acq_rel);
    m_queue.push_back(&header);
    return kMmNoError;
  }

  void ReturnAll() {
    std::lock_guard lock(m_mutex);
    for (CBlockHeader* header : m_queue) MarkDone(header, 0);
    m_queue.clear();
  }

  static MmResult Unprepare(CBlockHeader& header) {
    header.flags.fetch_and(~kHeaderPrepared, std::memory_order_acq_rel);
    return kMmNoError;
  }

  // Completes up to n blocks with fill(header) deciding the byte count.
  template <typename Fill>
  int Complete(int blocks, Fill fill) {
    std::lock_guard lock(m_mutex);
    int done = 0;
    while (done < blocks && !m_queue.empty() && m_devices.delivering) {
      CBlockHeader* header = m_queue.front();
      m_queue.pop_front();
      MarkDone(header, fill(*header));
      ++done;
    }
    return done;
  }

  int Queued() {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_queue.size());
  }

  template <typename Tick>
  void StartPacing(Tick tick) {
    StopPacing();
    m_running = true;
    m_thread = std::thread([this, tick] {
      auto next = std::chrono::steady_clock::now() + kBlockPeriod;
      std::unique_lock lock(m_pacingMutex);
      while (!m_wake.wait_until(lock, next, [this] { return !m_running; })) {
        tick();
        next += kBlockPeriod;
      }
    });
  }

  void StopPacing() {
    {
      std::lock_guard lock(m_pacingMutex);
      m_running = false;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  CSimSoundDevices& m_devices;
  std::recursive_mutex& m_mutex;
  std::deque<CBlockHeader*> m_queue;
  std::thread m_thread;
  std::mutex m_pacingMutex;
  std::condition_variable m_wake;
  bool m_running = false;
};

}  // namespace

class CSimWaveIn final : public IWaveIn {
 public:
  CSimWaveIn(CSimSoundDevices& devices, bool realTime)
      : m_devices(devices), m_stream(devices, devices.m_mutex), m_realTime(realTime) {}
  ~CSimWaveIn() override { Close(); }

  MmResult PrepareHeader(CBlockHeader& header) override {
    return m_stream.Prepare(header, m_devices.Failure(CSimOperation::kPrepare));
  }
  MmResult AddBuffer(CBlockHeader& header) override {
    return m_stream.Queue(header, m_devices.Failure(CSimOperation::kQueue));
  }
  MmResult Start() override {
    if (const MmResult failure = m_devices.Failure(CSimOperation::kStart); failure != kMmNoError) {
      return failure;
    }
    m_started = true;
    if (m_realTime) m_stream.StartPacing([this] { Complete(1); });
    return kMmNoError;
  }
  MmResult Reset() override {
    m_stream.StopPacing();
    m_started = false;
    m_stream.ReturnAll();
    return kMmNoError;
  }
  MmResult UnprepareHeader(CBlockHeader& header) override { return CSimStream::Unprepare(header); }
  MmResult Close() override {
    Reset();
    std::lock_guard lock(m_devices.m_mutex);
    if (m_devices.m_input == this) {
      m_devices.m_input = nullptr;
      --m_devices.openStreams;
    }
    return kMmNoError;
  }

  int Complete(int blocks) {
    if (!m_started) return 0;
    return m_stream.Complete(blocks, [this](CBlockHeader& header) {
      if (m_devices.signal) {
        m_devices.signal(header.data, header.bufferLength);
      } else {
        std::memset(header.data, kSilence, header.bufferLength);
      }
      return header.bufferLength;
    });
  }
  int Queued() { return m_stream.Queued(); }

 private:
  CSimSoundDevices& m_devices;
  CSimStream m_stream;
  bool m_realTime;
  std::atomic<bool> m_started{false};
};

class CSimWaveOut final : public IWaveOut {
 public:
  CSimWaveOut(CSimSoundDevices& devices, bool realTime)
      : m_devices(devices), m_stream(devices, devices.m_mutex) {
    if (realTime) m_stream.StartPacing([this] { Complete(1); });
  }
  ~CSimWaveOut() override { Close(); }

  MmResult PrepareHeader(CBlockHeader& header) override {
    return m_stream.Prepare(header, m_devices.Failure(CSimOperation::kPrepare));
  }
  MmResult Write(CBlockHeader& header) override {
    return m_stream.Queue(header, m_devices.Failure(CSimOperation::kQueue));
  }
  MmResult Reset() override {
    m_stream.ReturnAll();
    return kMmNoError;
  }
  MmResult UnprepareHeader(CBlockHeader& header) override { return CSimStream::Unprepare(header); }
  MmResult Close() override {
    m_stream.StopPacing();
    Reset();
    std::lock_guard lock(m_devices.m_mutex);
    if (m_devices.m_output == this) {
      m_devices.m_output = nullptr;
      --m_devices.openStreams;
    }
    return kMmNoError;
  }

  int Complete(int blocks) {
    return m_stream.Complete(blocks, [this](CBlockHeader& header) {
      if (m_devices.keepPlayed)
        m_devices.played.insert(m_devices.played.end(), header.data,
                                header.data + header.bufferLength);
      return header.bufferLength;
    });
  }
  int Queued() { return m_stream.Queued(); }

 private:
  CSimSoundDevices& m_devices;
  CSimStream m_stream;
};

CSimSoundDevices::CSimSoundDevices(CPacing pacing) : m_pacing(pacing) {}

CSimSoundDevices::~CSimSoundDevices() = default;

MmResult CSimSoundDevices::Failure(CSimOperation operation) const {
  const auto found = m_failures.find(operation);
  return found == m_failures.end() ? kMmNoError : found->second;
}

int CSimSoundDevices::InputDeviceCount() { return static_cast<int>(inputs.size()); }

MmResult CSimSoundDevices::InputCaps(int device, CInputCaps* caps) {
  if (const MmResult failure = Failure(CSimOperation::kInputCaps); failure != kMmNoError)
    return failure;
  if (device < 0 || device >= InputDeviceCount()) return kMmBadDeviceId;
  caps->name = inputs[static_cast<std::size_t>(device)].name;
  caps->formats = inputs[static_cast<std::size_t>(device)].usable ? 0x00000FFFu : 0u;
  return kMmNoError;
}

MmResult CSimSoundDevices::OpenInput(std::unique_ptr<IWaveIn>* out, int device,
                                     const CWaveFormat& format) {
  if (const MmResult failure = Failure(CSimOperation::kOpenInput); failure != kMmNoError)
    return failure;
  if (device < kDefaultDevice || device >= InputDeviceCount()) return kMmBadDeviceId;
  if (device == kDefaultDevice && inputs.empty()) return kMmBadDeviceId;
  std::lock_guard lock(m_mutex);
  if (m_input != nullptr) return kMmAllocated;
  auto stream = std::make_unique<CSimWaveIn>(*this, m_pacing == CPacing::kRealTime);
  m_input = stream.get();
  ++openStreams;
  lastInputDevice = device;
  lastFormat = format;
  *out = std::move(stream);
  return kMmNoError;
}

MmResult CSimSoundDevices::OpenOutput(std::unique_ptr<IWaveOut>* out, int device,
                                      const CWaveFormat& format) {
  if (const MmResult failure = Failure(CSimOperation::kOpenOutput); failure != kMmNoError)
    return failure;
  std::lock_guard lock(m_mutex);
  if (m_output != nullptr) return kMmAllocated;
  auto stream = std::make_unique<CSimWaveOut>(*this, m_pacing == CPacing::kRealTime);
  m_output = stream.get();
  ++openStreams;
  lastOutputDevice = device;
  lastFormat = format;
  *out = std::move(stream);
  return kMmNoError;
}

int CSimSoundDevices::CompleteInput(int blocks) {
  std::lock_guard lock(m_mutex);
  return m_input == nullptr ? 0 : m_input->Complete(blocks);
}

int CSimSoundDevices::CompleteOutput(int blocks) {
  std::lock_guard lock(m_mutex);
  return m_output == nullptr ? 0 : m_output->Complete(blocks);
}

int CSimSoundDevices::QueuedInput() {
  std::lock_guard lock(m_mutex);
  return m_input == nullptr ? 0 : m_input->Queued();
}

int CSimSoundDevices::QueuedOutput() {
  std::lock_guard lock(m_mutex);
  return m_output == nullptr ? 0 : m_output->Queued();
}

}  // namespace harkdeck
