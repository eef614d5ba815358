#include "platform/posix/system_clock.h"

#include <ctime>

namespace harkdeck {

Time64 CSystemClock::Now() { return static_cast<Time64>(std::time(nullptr)); }

}  // namespace harkdeck
