#pragma once

#include <cstdint>

#include "files/byte_file.h"
#include "recording/wave_format.h"

namespace harkdeck {

inline constexpr std::int64_t kWaveHeaderBytes = 46;
// Audio length written while recording: 25 blocks. A recording that never
// ended keeps it; playback reads to the physical end of the file anyway.
inline constexpr std::uint32_t kProvisionalAudioBytes = 55125;
// The RIFF size is the audio length plus the header bytes after the size.
inline constexpr std::uint32_t kRiffSizeOverAudio = 38;

// Writes the 46 header bytes at the file's current position. True only when
// every byte was written.
bool WriteWaveHeader(CByteFile& file, std::uint32_t audioBytes);

// Reads every header field from offset 0, even after a mismatch, so a file
// long enough is left at offset 46, the start of the audio. True only for the
// layout this program writes; the two sizes and the extra-bytes field are not
// checked, but a file shorter than 46 bytes fails. The format record read is
// stored in *formatRead when given.
bool CheckWaveHeader(CByteFile& file, CWaveFormat* formatRead = nullptr);

}  // namespace harkdeck
