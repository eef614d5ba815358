#include "platform/pulse/pulse_errors.h"

#include <pulse/def.h>
#include <pulse/error.h>

namespace harkdeck {

MmResult MmResultFromPulse(int error) {
  switch (error) {
    case PA_OK:
      return kMmNoError;
    case PA_ERR_CONNECTIONREFUSED:
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_INVALIDSERVER:
    case PA_ERR_TIMEOUT:
      return kMmNoDriver;
    case PA_ERR_NOENTITY:
      return kMmBadDeviceId;
    case PA_ERR_BUSY:
      return kMmAllocated;
    case PA_ERR_NOTSUPPORTED:
      return kWaveBadFormat;
    case PA_ERR_TOOLARGE:
      return kMmNoMemory;
    default:
      return kMmError;
  }
}

bool SampleLayoutFromFormat(const CWaveFormat& format, CSampleLayout* layout) {
  constexpr std::uint16_t kPcm = 1;
  if (format.formatTag != kPcm || format.channels == 0) return false;
  switch (format.bitsPerSample) {
    case 8:
      layout->format = PA_SAMPLE_U8;
      break;
    case 16:
      layout->format = PA_SAMPLE_S16LE;
      break;
    default:
      return false;
  }
  if (format.blockAlign != format.channels * format.bitsPerSample / 8) return false;
  if (format.channels > PA_CHANNELS_MAX) return false;
  if (format.samplesPerSec == 0 || format.samplesPerSec > PA_RATE_MAX) return false;
  layout->channels = static_cast<std::uint8_t>(format.channels);
  layout->rate = format.samplesPerSec;
  return true;
}

}  // namespace harkdeck
