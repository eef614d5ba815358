#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "recording/sound_device.h"

namespace harkdeck {

// What the recorder is given by the program that hosts it.
struct CPlatformServices {
  IClock& clock;
  IWindow& window;
  ISoundDevices& sound;
  ISettingsStore& settings;
  IShell& shell;
  std::string commandLine;  // the text after the program name
  std::string homePath;     // stands for HOMEPATH; may be empty
  std::string helpPage;     // the user guide the Help key opens
};

}  // namespace harkdeck
