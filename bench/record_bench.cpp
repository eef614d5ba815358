// Records from the default source through the sound backend, polling as the
// recorder's tick does, while parecord records the same source; then prints
// the CPU time and peak resident size of each.
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/pulse/pulse_sound_devices.h"

extern char** environ;

namespace {

using namespace harkdeck;
using Clock = std::chrono::steady_clock;

constexpr auto kTick = std::chrono::milliseconds(190);

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

void Print(const char* who, const rusage& usage, int blocks) {
  std::printf("%-10s cpu %.3f s (user %.3f, sys %.3f)  peak rss %.1f MB  wake-ups %ld", who,
              Seconds(usage.ru_utime) + Seconds(usage.ru_stime), Seconds(usage.ru_utime),
              Seconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0,
              usage.ru_nvcsw);
  if (blocks >= 0) std::printf("  blocks %d", blocks);
  std::printf("\n");
}

// Records for the given time; gives the number of blocks, or -1 on failure.
int RecordThroughBackend(int seconds, FILE* out) {
  CPulseSoundDevices devices;
  std::unique_ptr<IWaveIn> input;
  if (const MmResult result = devices.OpenInput(&input, kDefaultDevice, CWaveFormat{});
      result != kMmNoError) {
    std::fprintf(stderr, "opening the source failed with code %u\n", result);
    return -1;
  }
  std::array<std::array<std::uint8_t, kBlockBytes>, kRingSlots> buffers{};
  std::array<CBlockHeader, kRingSlots> headers;
  for (int i = 0; i < kRingSlots; ++i) {
    headers[i].data = buffers[i].data();
    headers[i].bufferLength = kBlockBytes;
    input->PrepareHeader(headers[i]);
    input->AddBuffer(headers[i]);
  }
  if (input->Start() != kMmNoError) return -1;
  int blocks = 0;
  int slot = 0;
  const auto end = Clock::now() + std::chrono::seconds(seconds);
  auto next = Clock::now();
  while (Clock::now() < end) {
    while (headers[slot].IsDone()) {
      std::fwrite(headers[slot].data, 1, headers[slot].bytesRecorded.load(), out);
      input->AddBuffer(headers[slot]);
      slot = (slot + 1) % kRingSlots;
      ++blocks;
    }
    next += kTick;
    std::this_thread::sleep_until(next);
  }
  input->Reset();
  for (CBlockHeader& header : headers) input->UnprepareHeader(header);
  input->Close();
  return blocks;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  const std::string folder = argc > 2 ? argv[2] : "/tmp";
  const std::string theirs = folder + "/parecord.wav";
  const char* args[] = {"parecord",     "--format=u8",  "--rate=11025",
                        "--channels=1", theirs.c_str(), nullptr};
  pid_t child = -1;
  if (posix_spawnp(&child, args[0], nullptr, nullptr, const_cast<char**>(args), environ) != 0) {
    std::fprintf(stderr, "parecord did not start\n");
    return 1;
  }
  FILE* ours = std::fopen((folder + "/backend.raw").c_str(), "wb");
  if (ours == nullptr) return 1;
  const int blocks = RecordThroughBackend(seconds, ours);
  std::fclose(ours);
  kill(child, SIGINT);
  int status = 0;
  rusage childUsage{};
  wait4(child, &status, 0, &childUsage);
  rusage ownUsage{};
  getrusage(RUSAGE_SELF, &ownUsage);
  std::printf("%d s from the default source, u8 mono 11025 Hz\n", seconds);
  Print("backend", ownUsage, blocks);
  Print("parecord", childUsage, -1);
  return blocks > 0 ? 0 : 1;
}
