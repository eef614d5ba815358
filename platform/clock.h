#pragma once

#include "platform/time_value.h"

namespace harkdeck {

class IClock {
 public:
  virtual ~IClock() = default;
  virtual Time64 Now() = 0;
};

}  // namespace harkdeck
