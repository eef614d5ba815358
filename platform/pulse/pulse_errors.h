#pragma once

#include <pulse/sample.h>

#include "recording/sound_device.h"
#include "recording/wave_format.h"

namespace harkdeck {

// The recorder's code for a server error number (PA_ERR_...).
MmResult MmResultFromPulse(int error);

// How the server describes the samples of a stream: encoding, rate, channels.
using CSampleLayout = pa_sample_spec;

// The server's sample layout for a PCM format record; false if the record is
// not plain integer PCM the server can take.
bool SampleLayoutFromFormat(const CWaveFormat& format, CSampleLayout* layout);

}  // namespace harkdeck
