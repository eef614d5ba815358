#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "recording/wave_format.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {

// When the recordings below were made.
inline constexpr Time64 kRecordedStart = 1'700'000'000;

inline void PutLe(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
  // Byte by byte: a range insert here trips a false overflow warning in GCC 12 at -O2.
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// The 46-byte header as this program writes it; formatLength 16 gives the
// layout of other programs.
inline std::vector<std::uint8_t> WaveHeader(std::uint32_t audioBytes,
                                            std::uint32_t formatLength = 18) {
  std::vector<std::uint8_t> header;
  PutTag(header, "RIFF");
  PutLe(header, audioBytes + 38, 4);
  PutTag(header, "WAVE");
  PutTag(header, "fmt ");
  PutLe(header, formatLength, 4);
  PutLe(header, 1, 2);
  PutLe(header, 1, 2);
  PutLe(header, 11025, 4);
  PutLe(header, 11025, 4);
  PutLe(header, 1, 2);
  PutLe(header, 8, 2);
  PutLe(header, 0, 2);
  PutTag(header, "data");
  PutLe(header, audioBytes, 4);
  return header;
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// The sample value of every byte of audio block k in the recordings below.
inline std::uint8_t BlockValue(int k) { return static_cast<std::uint8_t>(k % 250 + 1); }

// Audio of whole blocks, block k filled with BlockValue(k), then extra bytes.
inline std::vector<std::uint8_t> BlockAudio(int blocks, int extraBytes = 0) {
  std::vector<std::uint8_t> audio;
  for (int k = 0; k < blocks; ++k) audio.insert(audio.end(), kBlockBytes, BlockValue(k));
  audio.insert(audio.end(), static_cast<std::size_t>(extraBytes), BlockValue(blocks));
  return audio;
}

inline void WriteWave(const std::string& path, const std::vector<std::uint8_t>& audio,
                      std::uint32_t formatLength = 18) {
  std::vector<std::uint8_t> bytes =
      WaveHeader(static_cast<std::uint32_t>(audio.size()), formatLength);
  bytes.insert(bytes.end(), audio.begin(), audio.end());
  WriteBytes(path, bytes);
}

inline void WriteTimes(const std::string& path, const std::vector<Time64>& records, int width) {
  std::vector<std::uint8_t> bytes;
  for (const Time64 record : records) PutLe(bytes, static_cast<std::uint64_t>(record), width);
  WriteBytes(path, bytes);
}

// A recorder started on the fake clock, with helpers to lay down a recording
// and to play it through the simulated card.
class CPlaybackFixture : public CRecorderFixture {
 protected:
  static constexpr Time64 kT = kRecordedStart;

  CPlaybackFixture() {
    clock.Set(kT);
    Start();
  }

  std::string Path(const std::string& name) const { return RecordFolder() + name; }

  // A recording of the given blocks whose record k is times[k].
  std::string Record(const std::string& stem, int blocks, const std::vector<Time64>& times,
                     int width = 8) {
    WriteWave(Path(stem + ".wav"), BlockAudio(blocks));
    WriteTimes(Path(stem + ".tim"), times, width);
    return Path(stem + ".wav");
  }

  // Record k stamped kT + k: every record tells which block it belongs to.
  static std::vector<Time64> CountingTimes(int records) {
    std::vector<Time64> times;
    for (int k = 0; k < records; ++k) times.push_back(kT + k);
    return times;
  }

  void Play(const std::string& path) {
    window.fileAnswers.push_back(path);
    dlg->OnPlay();
  }

  // The device finishes one block, then a tick comes.
  void PlayOneBlock() {
    sound.CompleteOutput(1);
    Tick();
  }

  std::int64_t TimeRecordPosition() const {
    return dlg->m_timeFile.Position() / dlg->m_timeRecordSize;
  }
  std::int64_t WaveBlockPosition() const { return (dlg->m_waveFile.Position() - 46) / kBlockBytes; }
  // Puts both files at block k, as a playback that has queued k blocks.
  void StandAt(std::int64_t k) {
    dlg->m_waveFile.Seek(46 + k * kBlockBytes, CByteFile::COrigin::kBegin);
    dlg->m_timeFile.Seek(k * dlg->m_timeRecordSize, CByteFile::COrigin::kBegin);
  }

  // True when nobody holds the file: the player has closed it.
  static bool IsReleased(const std::string& path) {
    CByteFile probe;
    return probe.Open(path, CByteFile::CMode::kRead);
  }
};

}  // namespace harkdeck::test
