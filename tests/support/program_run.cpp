#include "tests/support/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace harkdeck::test {

namespace {

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string UtcScriptTime(std::time_t t) {
  std::tm fields{};
  gmtime_r(&t, &fields);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &fields);
  return text;
}

CProgramRun::CProgramRun(const std::filesystem::path& home,
                         const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment, CTerminal terminal)
    : m_home(home) {
  const std::string out = (home / "stdout.log").string();
  const std::string err = (home / "stderr.log").string();
  if (terminal == CTerminal::kPseudo) {
    winsize size{};
    size.ws_row = 30;
    size.ws_col = 100;
    m_pid = forkpty(&m_terminal, nullptr, nullptr, &size);
  } else {
    m_pid = fork();
  }
  if (m_pid != 0) {
    if (m_terminal >= 0) m_reader = std::thread([this] { ReadTerminal(); });
    return;
  }
  if (terminal == CTerminal::kNone) {
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
  }
  dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
  setenv("TERM", "xterm", 1);
  for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> argv;
  std::string program = HARKDECK_BINARY;
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

CProgramRun::~CProgramRun() {
  if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  if (m_terminal >= 0) {
    close(m_terminal);
    m_reader.join();
  }
}

void CProgramRun::ReadTerminal() {
  char buffer[4096];
  for (;;) {
    pollfd fd{m_terminal, POLLIN, 0};
    if (poll(&fd, 1, 100) < 0) return;
    if ((fd.revents & POLLNVAL) != 0) return;
    if ((fd.revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
    const ssize_t got = read(m_terminal, buffer, sizeof buffer);
    if (got <= 0) return;
    const std::lock_guard lock(m_mutex);
    m_screen.append(buffer, static_cast<std::size_t>(got));
  }
}

void CProgramRun::Signal(int signal) { kill(m_pid, signal); }

int CProgramRun::WaitForExit(double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_pid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

std::string CProgramRun::Output() const { return ReadWhole(m_home / "stdout.log"); }
std::string CProgramRun::Errors() const { return ReadWhole(m_home / "stderr.log"); }

void CProgramRun::Type(const std::string& keys) {
  for (const char key : keys) {
    // One key at a time, as a person types.
    [[maybe_unused]] const ssize_t wrote = write(m_terminal, &key, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string CProgramRun::Screen() {
  const std::lock_guard lock(m_mutex);
  return m_screen;
}

bool CProgramRun::WaitForScreen(const std::string& text, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Screen().find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace harkdeck::test
