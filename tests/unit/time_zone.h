#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace harkdeck {

// Sets TZ for the life of the object and puts the old value back.
class CTimeZone {
 public:
  explicit CTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~CTimeZone() {
    if (m_old) {
      ::setenv("TZ", m_old->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  CTimeZone(const CTimeZone&) = delete;
  CTimeZone& operator=(const CTimeZone&) = delete;

 private:
  std::optional<std::string> m_old;
};

}  // namespace harkdeck
