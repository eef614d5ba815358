#pragma once

#include <filesystem>
#include <string>

#include "tests/e2e/child_process.h"

namespace harkdeck::test {

// A private sound server on its own socket in a temporary folder, with a null
// sink "testsink" whose monitor is the default source. This process's
// environment points the client library (and the helper programs) at it.
class CPulseServer {
 public:
  CPulseServer() = default;
  CPulseServer(const CPulseServer&) = delete;
  CPulseServer& operator=(const CPulseServer&) = delete;
  ~CPulseServer() { Stop(); }

  static bool Installed();
  // Points the environment at a socket in a fresh folder where nothing listens.
  static std::filesystem::path PointAtNothing();

  bool Start();
  void Stop();
  // Kills the server as a crash would, leaving its clients to notice.
  void Kill();
  // A null idle sink wakes only every couple of seconds; a quiet stream kept
  // playing into it makes capture and the monitor run in real time.
  bool KeepAwake();
  bool Pactl(const std::vector<std::string>& arguments);
  // What pactl printed, or empty if it failed.
  std::string PactlOutput(const std::vector<std::string>& arguments);

  const std::filesystem::path& Folder() const { return m_folder; }

 private:
  pid_t ServerPid() const;

  std::filesystem::path m_folder;
  CChildProcess m_keepAwake;
};

}  // namespace harkdeck::test
