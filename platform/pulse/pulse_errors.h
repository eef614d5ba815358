#pragma once

#include <pulse/sample.h>

#include "recording/sound_device.h"
#include "recording/wave_format.h"

namespace harkdeck {

// The recorder's code for a server error number (PA_ERR_...).
MmResult MmResultFromPulse(int error);

// The server's sample spec for a PCM format record; false if the record is
// not plain integer PCM the server can take.
bool SampleSpecFromFormat(const CWaveFormat& format, pa_sample_spec* spec);

}  // namespace harkdeck
