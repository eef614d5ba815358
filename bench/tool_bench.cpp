// Times harkdeck-tool over synthetic recordings of one and of 24 hours of
// audio and reports each run's peak memory, to show that it does not grow
// with the recording. The wave files are sparse; the exports are real.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "files/byte_file.h"
#include "files/time_file.h"
#include "files/wave_header.h"
#include "recording/wave_format.h"

namespace {

using namespace harkdeck;

constexpr int kTransmissionSeconds = 30;
constexpr int kGapSeconds = 3;

// Every block of audio is kept; the clock jumps kGapSeconds after every
// kTransmissionSeconds, as a Vox recording of busy traffic would.
bool MakeRecording(const std::string& wavePath, const std::string& timePath, int hours) {
  const std::int64_t blocks = static_cast<std::int64_t>(hours) * 3600 * kBlocksPerSecond;
  CByteFile wave;
  CByteFile time;
  if (!wave.Open(wavePath, CByteFile::CMode::kCreateWrite) ||
      !time.Open(timePath, CByteFile::CMode::kCreateWrite) ||
      !WriteWaveHeader(wave, static_cast<std::uint32_t>(blocks * kBlockBytes)) ||
      !wave.Truncate(kWaveHeaderBytes + blocks * kBlockBytes)) {
    return false;
  }
  const Time64 start = 1783087509;  // 2026-07-03 14:05:09 UTC
  for (std::int64_t k = 0; k < blocks; ++k) {
    const std::int64_t second = k / kBlocksPerSecond;
    const Time64 stamp = start + second + second / kTransmissionSeconds * kGapSeconds;
    if (!WriteTimeRecord(time, stamp)) return false;
  }
  return true;
}

struct CRun {
  double seconds = 0;
  long peakKiB = 0;
  int status = -1;
};

CRun RunTool(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  std::string binary = HARKDECK_TOOL_BINARY;
  argv.push_back(binary.data());
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  CRun run;
  const auto begun = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (child > 0 && ::wait4(child, &status, 0, &usage) == child) {
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    run.peakKiB = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return run;
}

void Report(const char* what, int hours, const CRun& run) {
  std::printf("%-22s %3d h  %8.3f s  %8ld KiB  exit %d\n", what, hours, run.seconds, run.peakKiB,
              run.status);
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  ::setenv("TZ", "UTC", 1);
  char folderTemplate[] = "/tmp/harkdeck-bench-XXXXXX";
  if (::mkdtemp(folderTemplate) == nullptr) return 1;
  const fs::path folder(folderTemplate);
  std::printf("%-22s %5s  %10s  %12s\n", "run", "audio", "time", "peak memory");
  int failures = 0;
  for (const int hours : {1, 24}) {
    const std::string wave = (folder / "0703140509.wav").string();
    const std::string time = (folder / "0703140509.tim").string();
    if (!MakeRecording(wave, time, hours)) {
      std::fprintf(stderr, "cannot write the recording in %s\n", folder.c_str());
      return 1;
    }
    const fs::path out = folder / "out";
    fs::create_directory(out);
    for (const auto& [what, arguments] :
         std::vector<std::pair<const char*, std::vector<std::string>>>{
             {"index", {"index", wave}},
             {"index --json", {"index", "--json", wave}},
             {"info", {"info", wave}},
             {"export --each", {"export", "--each", "--out", out.string(), wave}}}) {
      const CRun run = RunTool(arguments);
      Report(what, hours, run);
      failures += run.status != 0;
    }
    const auto written = std::distance(fs::directory_iterator(out), fs::directory_iterator());
    std::printf("%-22s %3d h  %ld recordings written\n", "", hours, static_cast<long>(written / 2));
    fs::remove_all(out);
    fs::remove(wave);
    fs::remove(time);
  }
  fs::remove_all(folder);
  return failures == 0 ? 0 : 1;
}
