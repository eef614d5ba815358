#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace harkdeck::test {

bool CChildProcess::Start(const std::vector<std::string>& argv, const std::string& stdoutPath) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!stdoutPath.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  const int failed = posix_spawnp(&m_pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) m_pid = -1;
  return failed == 0;
}

int CChildProcess::Wait() {
  if (m_pid <= 0) return -1;
  int status = 0;
  const pid_t ended = waitpid(m_pid, &status, 0);
  m_pid = -1;
  return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void CChildProcess::Stop() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGINT);
  for (int i = 0; i < 50; ++i) {
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_pid = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(m_pid, SIGKILL);
  Wait();
}

int RunProgram(const std::vector<std::string>& argv) {
  CChildProcess child;
  if (!child.Start(argv, "/dev/null")) return -1;
  return child.Wait();
}

bool ProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (access((std::filesystem::path(folder) / name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace harkdeck::test
