#pragma once

#include <cstdint>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "recording/wave_format.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {

// 2023-11-14 22:13:20 UTC: recordings begun then are named 1114221320.
inline constexpr Time64 kT = 1'700'000'000;
inline constexpr char kWaveName[] = "1114221320.wav";
inline constexpr char kTimeName[] = "1114221320.tim";
inline constexpr std::int64_t kHeaderBytes = 46;

// A recorder whose simulated card delivers blocks of one byte value each,
// taken from a queue (silence once it runs dry). A block of the byte 128 + r
// has an RMS of r.
class CCaptureFixture : public CRecorderFixture {
 protected:
  CCaptureFixture() {
    clock.Set(kT);
    Start();
    sound.signal = [this](std::uint8_t* block, std::uint32_t count) {
      std::uint8_t value = kSilence;
      if (!blockValues.empty()) {
        value = blockValues.front();
        blockValues.pop_front();
      }
      std::memset(block, value, count);
    };
  }

  // Arms a recording begun at kT and lets the tick one second later start it.
  void StartRecordingNow() {
    dlg->m_beginTime = kT;
    dlg->m_endTime = kT + 3600;
    dlg->m_armed = 1;
    TickAt(kT + 1);
  }

  // The card completes blocks of these byte values; then a tick at `now`.
  void DeliverAndTick(const std::vector<std::uint8_t>& values, Time64 now) {
    blockValues.insert(blockValues.end(), values.begin(), values.end());
    sound.CompleteInput(static_cast<int>(values.size()));
    TickAt(now);
  }

  std::string WavePath() const { return RecordFolder() + kWaveName; }
  std::string TimePath() const { return RecordFolder() + kTimeName; }

  static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes.at(offset)) |
           static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
           static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 |
           static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
  }
  std::vector<Time64> TimeRecords() const {
    const auto bytes = ReadBytes(TimePath());
    std::vector<Time64> records;
    for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
      std::uint64_t value = 0;
      for (int i = 7; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
      records.push_back(static_cast<Time64>(value));
    }
    return records;
  }
  // The first byte of every audio block in the wave file, in file order.
  std::vector<std::uint8_t> BlockValues() const {
    const auto bytes = ReadBytes(WavePath());
    std::vector<std::uint8_t> values;
    for (std::size_t at = kHeaderBytes; at < bytes.size(); at += kBlockBytes) {
      values.push_back(bytes[at]);
    }
    return values;
  }

  std::deque<std::uint8_t> blockValues;
};

}  // namespace harkdeck::test
