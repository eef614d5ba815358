#pragma once

#include "platform/clock.h"

namespace harkdeck::test {

class CFakeClock final : public IClock {
 public:
  explicit CFakeClock(Time64 now = 1'700'000'000) : m_now(now) {}
  Time64 Now() override { return m_now; }
  void Set(Time64 now) { m_now = now; }
  void Advance(Time64 seconds) { m_now += seconds; }

 private:
  Time64 m_now;
};

}  // namespace harkdeck::test
