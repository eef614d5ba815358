#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recording/sound_device.h"

namespace harkdeck {

struct CPulseDevice {
  std::string name;         // the server's name, used to open it
  std::string description;  // what the user sees
  bool monitor = false;     // a sink's monitor rather than a hardware input
};

// Asks the server for its sources or sinks, blocking the calling thread. The
// listing runs on a private loop of the caller's own, so the audio threads
// never see it.
MmResult ListPulseSources(std::vector<CPulseDevice>* sources);
MmResult ListPulseSinks(std::vector<CPulseDevice>* sinks);

}  // namespace harkdeck
