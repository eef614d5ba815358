#pragma once

#include <string>

namespace harkdeck {

// $HOME, or the password database's home when it is unset; empty when neither
// is known.
std::string UserHomePath();

// $XDG_CONFIG_HOME, or ~/.config.
std::string UserConfigFolder();

}  // namespace harkdeck
