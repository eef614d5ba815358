#pragma once

#include "platform/sim/sim_sound_devices.h"

namespace harkdeck::test {

// The simulated sound card, driven block by block by the test.
using CFakeSound = CSimSoundDevices;

}  // namespace harkdeck::test
