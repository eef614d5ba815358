#pragma once

#include "platform/clock.h"

namespace harkdeck {

class CSystemClock final : public IClock {
 public:
  Time64 Now() override;
};

}  // namespace harkdeck
