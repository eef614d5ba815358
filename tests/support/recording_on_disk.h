#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/time_value.h"

namespace harkdeck::test {

// A recording as its two files hold it, read back for checking.
struct CRecordingOnDisk {
  bool headerPasses = false;
  std::uint32_t riffSize = 0;
  std::uint32_t dataSize = 0;
  std::uint64_t waveLength = 0;
  std::vector<std::uint8_t> audio;
  std::vector<Time64> times;

  std::size_t Blocks() const;
  // The root mean square of a block around silence (128).
  double BlockRms(std::size_t block) const;
};

CRecordingOnDisk ReadRecording(const std::filesystem::path& wavePath);

// Every wave file in the folder, sorted by name.
std::vector<std::filesystem::path> WaveFilesIn(const std::filesystem::path& folder);

// Checks a finished recording: the header is final and passes the program's
// own check, the audio is whole blocks with one time record each, and the
// times never go backwards.
void ExpectFinalAndConsistent(const CRecordingOnDisk& recording);

}  // namespace harkdeck::test
