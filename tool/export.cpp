#include "tool/export.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "files/little_endian.h"
#include "files/recording_names.h"
#include "files/time_file.h"
#include "files/wave_header.h"
#include "tool/report_text.h"
#include "tool/transmissions.h"

namespace harkdeck {

namespace {

constexpr std::int64_t kBlocksPerCopy = 64;
constexpr std::size_t kRecordsPerWrite = 1024;

enum class CBeginResult { kBegun, kNameTaken, kFailed };

// One recording being written: audio copied from the source by runs of
// consecutive blocks, time records gathered and written in batches.
class CExportWriter {
 public:
  CExportWriter(CRecording& source, std::string folder)
      : m_source(source),
        m_folder(std::move(folder)),
        m_copy(static_cast<std::size_t>(kBlocksPerCopy * kBlockBytes)) {
    m_records.reserve(kRecordsPerWrite * kLongTimeRecordBytes);
  }
  ~CExportWriter() { Abandon(); }

  bool IsOpen() const { return m_wave.IsOpen(); }

  // Creates the two files named from the first block's date-time.
  CBeginResult Begin(Time64 firstTime, std::string& error) {
    m_firstTime = firstTime;
    const std::filesystem::path folder(m_folder);
    m_wavePath = (folder / WaveFileName(firstTime)).string();
    m_timePath = (folder / TimeFileName(firstTime)).string();
    std::error_code code;
    for (const std::string& path : {m_wavePath, m_timePath}) {
      if (std::filesystem::exists(path, code)) {
        error = path + " exists and is not overwritten.";
        return CBeginResult::kNameTaken;
      }
    }
    if (!m_wave.Open(m_wavePath, CByteFile::CMode::kCreateWrite)) {
      error = m_wavePath + " cannot be created.";
      return CBeginResult::kFailed;
    }
    if (!m_time.Open(m_timePath, CByteFile::CMode::kCreateWrite)) {
      error = m_timePath + " cannot be created.";
      Abandon();
      return CBeginResult::kFailed;
    }
    m_blocks = 0;
    m_runFirst = m_runEnd = 0;
    m_records.clear();
    if (!WriteWaveHeader(m_wave, kProvisionalAudioBytes)) {
      Fail(m_wavePath, error);
      return CBeginResult::kFailed;
    }
    return CBeginResult::kBegun;
  }

  bool Append(std::int64_t block, Time64 time, std::string& error) {
    if ((m_blocks + 1) * kBlockBytes > kMostAudioBytes) {
      error =
          m_wavePath + " would pass the 4 GiB that a wave header can size; cut a shorter range.";
      Abandon();
      return false;
    }
    if (block != m_runEnd) {
      if (!CopyRun(error)) return false;
      m_runFirst = block;
    }
    m_runEnd = block + 1;
    ++m_blocks;
    unsigned char bytes[kLongTimeRecordBytes];
    PutLittleEndian(time, bytes);
    m_records.insert(m_records.end(), bytes, bytes + sizeof bytes);
    if (m_records.size() == kRecordsPerWrite * kLongTimeRecordBytes) return FlushRecords(error);
    return true;
  }

  // Copies what is left, writes the final header and closes both files.
  bool Finish(std::ostream& out, Time64 lastTime, std::string& error) {
    if (!CopyRun(error) || !FlushRecords(error)) return false;
    const auto audioBytes = static_cast<std::uint32_t>(m_blocks * kBlockBytes);
    if (m_wave.Seek(0, CByteFile::COrigin::kBegin) != 0 || !WriteWaveHeader(m_wave, audioBytes)) {
      return Fail(m_wavePath, error);
    }
    m_wave.Close();
    m_time.Close();
    out << m_wavePath << "  " << DateTimeText(m_firstTime) << " .. " << DateTimeText(lastTime)
        << "  " << BlockSecondsText(m_blocks) << " s\n";
    return true;
  }

  // Removes the files of an export that did not finish.
  void Abandon() {
    if (!m_wave.IsOpen() && !m_time.IsOpen()) return;
    const bool hadTime = m_time.IsOpen();
    m_wave.Close();
    m_time.Close();
    std::error_code code;
    std::filesystem::remove(m_wavePath, code);
    if (hadTime) std::filesystem::remove(m_timePath, code);
  }

 private:
  bool Fail(const std::string& path, std::string& error) {
    error = path + " could not be written (disk full?).";
    Abandon();
    return false;
  }

  bool CopyRun(std::string& error) {
    if (m_runEnd == m_runFirst) return true;
    if (m_source.wave.Seek(kWaveHeaderBytes + m_runFirst * kBlockBytes,
                           CByteFile::COrigin::kBegin) < 0) {
      error = m_source.wavePath + " cannot be read.";
      Abandon();
      return false;
    }
    for (std::int64_t block = m_runFirst; block < m_runEnd; block += kBlocksPerCopy) {
      const auto bytes =
          static_cast<std::size_t>(std::min(kBlocksPerCopy, m_runEnd - block) * kBlockBytes);
      if (m_source.wave.Read(m_copy.data(), bytes) != bytes) {
        error = m_source.wavePath + " cannot be read.";
        Abandon();
        return false;
      }
      if (!m_wave.Write(m_copy.data(), bytes)) return Fail(m_wavePath, error);
    }
    m_runFirst = m_runEnd;
    return true;
  }

  bool FlushRecords(std::string& error) {
    if (!m_time.Write(m_records.data(), m_records.size())) return Fail(m_timePath, error);
    m_records.clear();
    return true;
  }

  CRecording& m_source;
  std::string m_folder;
  std::string m_wavePath;
  std::string m_timePath;
  CByteFile m_wave;
  CByteFile m_time;
  std::vector<unsigned char> m_copy;
  std::vector<unsigned char> m_records;
  std::int64_t m_blocks = 0;
  std::int64_t m_runFirst = 0;
  std::int64_t m_runEnd = 0;
  Time64 m_firstTime = 0;
};

enum class CBlockFate { kSkip, kAppend, kStartNew };

// Runs every dated block through fate and writes the blocks it keeps; false
// when anything failed, each failure told on err.
template <typename Fate>
bool ExportBlocks(CRecording& recording, const std::string& folder, Fate fate, std::ostream& out,
                  std::ostream& err, std::int64_t& written) {
  std::string error;
  CRecordSummary summary;
  if (!SummariseRecords(recording, summary, error)) {
    err << error << '\n';
    return false;
  }
  bool allWell = true;
  bool skipping = false;
  CExportWriter writer(recording, folder);
  CTimeRecordReader reader(recording);
  Time64 time = 0;
  Time64 lastTime = 0;
  while (reader.Next(time)) {
    const CBlockFate blockFate = fate(time);
    if (blockFate == CBlockFate::kSkip) continue;
    if (blockFate == CBlockFate::kStartNew || (!writer.IsOpen() && !skipping)) {
      if (writer.IsOpen()) {
        if (!writer.Finish(out, lastTime, error)) {
          err << error << '\n';
          return false;
        }
        ++written;
      }
      const CBeginResult begun = writer.Begin(time, error);
      skipping = begun != CBeginResult::kBegun;
      if (skipping) {
        err << error << '\n';
        allWell = false;
        // A name that is taken spoils only this export; anything else, all.
        if (begun == CBeginResult::kFailed) return false;
      }
    }
    if (skipping) continue;
    if (!writer.Append(reader.Block(), time, error)) {
      err << error << '\n';
      return false;
    }
    lastTime = time;
  }
  if (reader.Failed()) {
    err << recording.timePath << " could not be read to the end.\n";
    return false;
  }
  if (writer.IsOpen()) {
    if (!writer.Finish(out, lastTime, error)) {
      err << error << '\n';
      return false;
    }
    ++written;
  }
  return allWell;
}

}  // namespace

bool ExportRange(CRecording& recording, const CExportRange& range, const std::string& folder,
                 std::ostream& out, std::ostream& err) {
  std::int64_t written = 0;
  const bool done = ExportBlocks(
      recording, folder,
      [&](Time64 t) { return range.Holds(t) ? CBlockFate::kAppend : CBlockFate::kSkip; }, out, err,
      written);
  if (done && written == 0) {
    err << "No block of " << recording.wavePath << " lies in the range; nothing was written.\n";
    return false;
  }
  return done;
}

bool ExportEach(CRecording& recording, const std::string& folder, std::ostream& out,
                std::ostream& err) {
  std::int64_t written = 0;
  bool first = true;
  Time64 previous = 0;
  const bool done = ExportBlocks(
      recording, folder,
      [&](Time64 t) {
        const bool starts = first || !ContinuesTransmission(previous, t);
        first = false;
        previous = t;
        return starts ? CBlockFate::kStartNew : CBlockFate::kAppend;
      },
      out, err, written);
  if (done && written == 0) {
    err << "No block of " << recording.wavePath << " has a time record; nothing was written.\n";
    return false;
  }
  return done;
}

}  // namespace harkdeck
