#include "platform/pulse/pulse_sound_devices.h"

#include <new>

#include "platform/pulse/pulse_errors.h"
#include "platform/pulse/pulse_stream.h"

namespace harkdeck {

namespace {

// Every PCM layout the caps record can name: the server converts as needed.
constexpr std::uint32_t kAllFormats = 0x00000FFFu;

class CPulseWaveIn final : public IWaveIn {
 public:
  CPulseStream stream{CPulseStream::CDirection::kRecord};

  MmResult PrepareHeader(CBlockHeader& header) override { return stream.Prepare(header); }
  MmResult AddBuffer(CBlockHeader& header) override { return stream.Queue(header); }
  MmResult Start() override { return stream.Start(); }
  MmResult Reset() override { return stream.Reset(); }
  MmResult UnprepareHeader(CBlockHeader& header) override { return stream.Unprepare(header); }
  MmResult Close() override {
    stream.Close();
    return kMmNoError;
  }
};

class CPulseWaveOut final : public IWaveOut {
 public:
  CPulseStream stream{CPulseStream::CDirection::kPlayback};

  MmResult PrepareHeader(CBlockHeader& header) override { return stream.Prepare(header); }
  MmResult Write(CBlockHeader& header) override { return stream.Queue(header); }
  MmResult Reset() override { return stream.Reset(); }
  MmResult UnprepareHeader(CBlockHeader& header) override { return stream.Unprepare(header); }
  MmResult Close() override {
    stream.Close();
    return kMmNoError;
  }
};

// The server's name of device n of the listing, or null for the default.
MmResult DeviceName(int device, MmResult (*list)(std::vector<CPulseDevice>*),
                    std::vector<CPulseDevice>* devices, const char** name) {
  *name = nullptr;
  if (device == kDefaultDevice) return kMmNoError;
  if (device < 0) return kMmBadDeviceId;
  if (const MmResult result = list(devices); result != kMmNoError) return result;
  if (static_cast<std::size_t>(device) >= devices->size()) return kMmBadDeviceId;
  *name = (*devices)[static_cast<std::size_t>(device)].name.c_str();
  return kMmNoError;
}

}  // namespace

int CPulseSoundDevices::InputDeviceCount() {
  if (ListPulseSources(&m_sources) != kMmNoError) m_sources.clear();
  return static_cast<int>(m_sources.size());
}

MmResult CPulseSoundDevices::InputCaps(int device, CInputCaps* caps) {
  if (m_sources.empty()) {
    if (const MmResult result = ListPulseSources(&m_sources); result != kMmNoError) return result;
  }
  if (device < 0 || static_cast<std::size_t>(device) >= m_sources.size()) return kMmBadDeviceId;
  try {
    caps->name = m_sources[static_cast<std::size_t>(device)].description;
  } catch (const std::bad_alloc&) {
    return kMmNoMemory;
  }
  caps->formats = kAllFormats;
  return kMmNoError;
}

MmResult CPulseSoundDevices::OpenInput(std::unique_ptr<IWaveIn>* out, int device,
                                       const CWaveFormat& format) {
  CSampleLayout layout;
  if (!SampleLayoutFromFormat(format, &layout)) return kWaveBadFormat;
  try {
    std::vector<CPulseDevice> sources;
    const char* name = nullptr;
    if (const MmResult result = DeviceName(device, ListPulseSources, &sources, &name);
        result != kMmNoError) {
      return result;
    }
    auto wave = std::make_unique<CPulseWaveIn>();
    if (const MmResult result = wave->stream.Open(name, layout); result != kMmNoError)
      return result;
    *out = std::move(wave);
    return kMmNoError;
  } catch (const std::bad_alloc&) {
    return kMmNoMemory;
  }
}

MmResult CPulseSoundDevices::OpenOutput(std::unique_ptr<IWaveOut>* out, int device,
                                        const CWaveFormat& format) {
  CSampleLayout layout;
  if (!SampleLayoutFromFormat(format, &layout)) return kWaveBadFormat;
  try {
    std::vector<CPulseDevice> sinks;
    const char* name = nullptr;
    if (const MmResult result = DeviceName(device, ListPulseSinks, &sinks, &name);
        result != kMmNoError) {
      return result;
    }
    auto wave = std::make_unique<CPulseWaveOut>();
    if (const MmResult result = wave->stream.Open(name, layout); result != kMmNoError)
      return result;
    *out = std::move(wave);
    return kMmNoError;
  } catch (const std::bad_alloc&) {
    return kMmNoMemory;
  }
}

}  // namespace harkdeck
