#pragma once

#include <vector>

#include "platform/pulse/pulse_device_list.h"
#include "recording/sound_device.h"

namespace harkdeck {

// The sound server's devices. Inputs are its sources, hardware inputs first
// and sink monitors after; output device n is the server's n-th sink. Device
// -1 is the server's default source or sink. Streams opened here must be
// closed before this object goes.
class CPulseSoundDevices final : public ISoundDevices {
 public:
  int InputDeviceCount() override;
  MmResult InputCaps(int device, CInputCaps* caps) override;
  MmResult OpenInput(std::unique_ptr<IWaveIn>* out, int device, const CWaveFormat& format) override;
  MmResult OpenOutput(std::unique_ptr<IWaveOut>* out, int device,
                      const CWaveFormat& format) override;

 private:
  // The listing the last count was given from, so that the names asked for
  // next match its numbering.
  std::vector<CPulseDevice> m_sources;
};

}  // namespace harkdeck
