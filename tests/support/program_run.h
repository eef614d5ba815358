#pragma once

#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace harkdeck::test {

// A date-time in the form scripts take, in UTC: the program under test runs
// with TZ=UTC.
std::string UtcScriptTime(std::time_t t);

// The real program started as a child with its own home and no display,
// either without a terminal, as a service runs it, or on a terminal of its
// own that the test types into and reads.
class CProgramRun {
 public:
  enum class CTerminal { kNone, kPseudo };

  CProgramRun(const std::filesystem::path& home, const std::vector<std::string>& arguments,
              const std::map<std::string, std::string>& environment = {},
              CTerminal terminal = CTerminal::kNone);
  ~CProgramRun();
  CProgramRun(const CProgramRun&) = delete;
  CProgramRun& operator=(const CProgramRun&) = delete;

  void Signal(int signal);
  // The exit status, or -1 when it has not ended within the time given.
  int WaitForExit(double seconds);
  std::string Output() const;
  std::string Errors() const;

  // On a terminal: keys typed, and everything the program drew so far.
  void Type(const std::string& keys);
  std::string Screen();
  // Waits until the screen shows the text; false on timeout.
  bool WaitForScreen(const std::string& text, double seconds);

 private:
  void ReadTerminal();

  std::filesystem::path m_home;
  pid_t m_pid = -1;
  int m_terminal = -1;
  std::thread m_reader;
  std::mutex m_mutex;
  std::string m_screen;
};

}  // namespace harkdeck::test
