#include "platform/posix/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace harkdeck {

namespace {

volatile std::sig_atomic_t g_writeFd = -1;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnTerminationSignal(int /*signal*/) {
  const char byte = 1;
  // Only async-signal-safe calls here; a full pipe already says enough.
  [[maybe_unused]] const ssize_t written = write(g_writeFd, &byte, 1);
}

}  // namespace

CTerminationSignals::CTerminationSignals() {
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  m_readFd = fds[0];
  g_writeFd = fds[1];
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

CTerminationSignals::~CTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals) sigaction(signal, &action, nullptr);
  close(g_writeFd);
  g_writeFd = -1;
  close(m_readFd);
}

bool CTerminationSignals::Take() {
  char buffer[64];
  bool any = false;
  while (read(m_readFd, buffer, sizeof buffer) > 0) any = true;
  return any;
}

}  // namespace harkdeck
