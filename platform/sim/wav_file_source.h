#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace harkdeck {

// Sound read from a PCM wave file and turned into what the recorder captures
// (unsigned 8-bit mono at 11025 Hz), so that the simulated card can play an
// old recording into the recorder in real time.
class CWavFileSource {
 public:
  // Throws std::runtime_error saying what is wrong with the file.
  explicit CWavFileSource(const std::string& path);

  // Fills the next `count` bytes; silence once the file has been used up.
  // Runs on the simulated card's thread and does not allocate.
  void Fill(std::uint8_t* block, std::uint32_t count);

  const std::vector<std::uint8_t>& Samples() const { return m_samples; }

 private:
  std::vector<std::uint8_t> m_samples;
  std::size_t m_position = 0;
};

}  // namespace harkdeck
