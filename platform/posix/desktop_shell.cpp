#include "platform/posix/desktop_shell.h"

#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <vector>

namespace harkdeck {

namespace {

// Runs the program in a grandchild so that no zombie is left behind and the
// recorder never waits for it.
void SpawnDetached(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return;
  if (child == 0) {
    ::setsid();
    if (::fork() == 0) {
      ::execvp(argv[0], argv.data());
      ::_exit(127);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
}

}  // namespace

void CDesktopShell::OpenDocument(const std::string& path) { SpawnDetached({"xdg-open", path}); }

void CDesktopShell::Launch(const std::string& program, const std::string& parameters) {
  std::vector<std::string> arguments{program};
  std::istringstream words(parameters);
  for (std::string word; words >> word;) arguments.push_back(word);
  SpawnDetached(arguments);
}

}  // namespace harkdeck
