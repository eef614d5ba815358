#include "tests/e2e/pulse_server.h"

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace harkdeck::test {

namespace fs = std::filesystem;

namespace {

fs::path FreshFolder() {
  std::string pattern = (fs::temp_directory_path() / "harkdeck-pulse-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

void PointAt(const fs::path& run) {
  setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
  setenv("PULSE_SERVER", ("unix:" + (run / "pulse/native").string()).c_str(), 1);
  setenv("PULSE_COOKIE", (run / "cookie").c_str(), 1);
}

// A server that has ended but that nobody has reaped yet counts as gone.
bool ProcessAlive(pid_t pid) {
  if (pid <= 0 || kill(pid, 0) != 0) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const auto nameEnd = line.rfind(')');
  return nameEnd == std::string::npos || line.compare(nameEnd + 1, 2, " Z") != 0;
}

}  // namespace

bool CPulseServer::Installed() {
  return ProgramOnPath("pulseaudio") && ProgramOnPath("pactl") && ProgramOnPath("pacat");
}

fs::path CPulseServer::PointAtNothing() {
  const fs::path folder = FreshFolder();
  fs::create_directories(folder / "run/pulse");
  PointAt(folder / "run");
  return folder;
}

bool CPulseServer::Start() {
  m_folder = FreshFolder();
  if (m_folder.empty()) return false;
  const fs::path run = m_folder / "run";
  fs::create_directories(run);
  fs::create_directories(m_folder / "home");
  fs::permissions(run, fs::perms::owner_all, fs::perm_options::replace);
  PointAt(run);
  setenv("HOME", (m_folder / "home").c_str(), 1);
  const int started =
      RunProgram({"pulseaudio", "--daemonize=yes", "--system=false", "--exit-idle-time=-1", "-n",
                  "--use-pid-file=yes", "--log-target=file:" + (m_folder / "pulse.log").string(),
                  "--load=module-null-sink sink_name=testsink rate=44100",
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                      (run / "pulse/native").string()});
  if (started != 0) return false;
  for (int i = 0; i < 100 && !Pactl({"info"}); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return Pactl({"set-default-sink", "testsink"}) &&
         Pactl({"set-default-source", "testsink.monitor"});
}

bool CPulseServer::KeepAwake() {
  if (!m_keepAwake.Start({"pacat", "--playback", "--device=testsink", "--latency-msec=20",
                          "--format=s16le", "--rate=44100", "--channels=2", "/dev/zero"})) {
    return false;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  return true;
}

bool CPulseServer::Pactl(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{"pactl"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunProgram(argv) == 0;
}

std::string CPulseServer::PactlOutput(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{"pactl"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const fs::path output = m_folder / "pactl.out";
  CChildProcess pactl;
  if (!pactl.Start(argv, output.string()) || pactl.Wait() != 0) return {};
  std::ifstream file(output);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

pid_t CPulseServer::ServerPid() const {
  std::ifstream file(m_folder / "run/pulse/pid");
  pid_t pid = -1;
  file >> pid;
  return pid;
}

void CPulseServer::Kill() {
  const pid_t pid = ServerPid();
  if (ProcessAlive(pid)) kill(pid, SIGKILL);
}

void CPulseServer::Stop() {
  m_keepAwake.Stop();
  if (m_folder.empty()) return;
  const pid_t pid = ServerPid();
  if (ProcessAlive(pid)) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 100 && ProcessAlive(pid); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (ProcessAlive(pid)) kill(pid, SIGKILL);
  }
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
  m_folder.clear();
}

}  // namespace harkdeck::test
