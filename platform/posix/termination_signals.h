#pragma once

namespace harkdeck {

// Turns SIGTERM, SIGINT and SIGHUP into a readable pipe, so that an event loop
// can end the program the way closing the window does instead of dying with a
// recording half written. One instance per process.
class CTerminationSignals {
 public:
  CTerminationSignals();
  ~CTerminationSignals();
  CTerminationSignals(const CTerminationSignals&) = delete;
  CTerminationSignals& operator=(const CTerminationSignals&) = delete;

  // Readable once a signal has arrived.
  int Fd() const { return m_readFd; }
  // Empties the pipe; true when a signal had arrived.
  bool Take();

 private:
  int m_readFd = -1;
};

}  // namespace harkdeck
