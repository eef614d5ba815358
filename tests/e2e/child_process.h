#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace harkdeck::test {

// A helper program run in the background, ended by its own pid.
class CChildProcess {
 public:
  CChildProcess() = default;
  CChildProcess(const CChildProcess&) = delete;
  CChildProcess& operator=(const CChildProcess&) = delete;
  ~CChildProcess() { Stop(); }

  // Starts argv[0] found on PATH; stdout goes to the file if one is named.
  bool Start(const std::vector<std::string>& argv, const std::string& stdoutPath = "");
  // Waits for it to end by itself; gives its exit status, or -1.
  int Wait();
  // Asks it to end with SIGINT, then SIGKILL if it lingers.
  void Stop();

 private:
  pid_t m_pid = -1;
};

// Runs a program to its end and gives its exit status (-1 if it could not run).
int RunProgram(const std::vector<std::string>& argv);

bool ProgramOnPath(const std::string& name);

}  // namespace harkdeck::test
