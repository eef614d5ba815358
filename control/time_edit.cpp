#include <cstdint>
#include <string>
#include <vector>

#include "control/datetime_text.h"
#include "control/harkdeck_dlg.h"
#include "files/little_endian.h"
#include "files/time_file.h"

namespace harkdeck {

namespace {

constexpr std::int32_t kModeBegin = 0;
constexpr std::int32_t kModeEnd = 1;
constexpr std::int32_t kModeDuration = 2;
constexpr std::int32_t kModeRecorded = 4;

// Whole seconds of records that must remain after the position before '>'
// moves: twice the step. The seek keeps two seconds in hand the same way.
constexpr std::int64_t kForwardMarginSteps = 2;
constexpr std::int64_t kSeekMarginSeconds = 2;

constexpr const char* kEndBeforeBegin = "The End time is before the Begin time!";
constexpr const char* kTargetBeforePlayback =
    "The target time is before the current playback time!";
constexpr const char* kNoTimeFile =
    "This recording has no time file, so playback cannot skip or seek by time.";

constexpr std::size_t kScanChunkBytes = 64 * 1024;

std::int64_t BytesAfterPosition(const CByteFile& file) { return file.Length() - file.Position(); }

// The time file read forward in large pieces. The search probes one record a
// second; a seek and a read for each probe held the window for seconds on a
// recording of a hundred hours.
class CRecordScanner {
 public:
  CRecordScanner(CByteFile& file, int recordSize) : m_file(file), m_recordSize(recordSize) {}

  // The record at byte offset at; false when the file ends before it.
  bool Read(std::int64_t at, Time64* time) {
    const auto held = static_cast<std::int64_t>(m_chunk.size());
    if (at < m_chunkStart || at + m_recordSize > m_chunkStart + held) {
      m_chunk.resize(kScanChunkBytes);
      if (m_file.Seek(at, CByteFile::COrigin::kBegin) < 0) return false;
      m_chunk.resize(m_file.Read(m_chunk.data(), m_chunk.size()));
      m_chunkStart = at;
      if (static_cast<std::int64_t>(m_chunk.size()) < m_recordSize) return false;
    }
    const unsigned char* bytes = m_chunk.data() + (at - m_chunkStart);
    *time = m_recordSize == kShortTimeRecordBytes ? GetLittleEndian<std::int32_t>(bytes)
                                                  : GetLittleEndian<Time64>(bytes);
    return true;
  }

 private:
  CByteFile& m_file;
  int m_recordSize;
  std::vector<unsigned char> m_chunk;
  std::int64_t m_chunkStart = 0;
};

}  // namespace

void CHarkdeckDlg::EditTimes() { EditShownValue(); }

bool CHarkdeckDlg::EditShownValue() {
  // The mode chooses what is edited when the dialog opens; the value applies
  // to the state found when it closes, since ticks go on meanwhile.
  const std::int32_t mode = m_displayMode;
  std::string caption;
  std::string text;
  switch (mode) {
    case kModeBegin:
      caption = "Edit Begin time";
      text = FormatDateTime(m_beginTime);
      break;
    case kModeEnd:
      caption = "Edit End time";
      text = FormatDateTime(m_endTime);
      break;
    case kModeDuration:
      caption = "Edit Duration";
      text = FormatDuration(m_endTime - m_beginTime);
      break;
    case kModeRecorded:
      caption = "Specify the target date-time";
      text = FormatDateTime(m_recordedTime);
      break;
    default:
      return false;
  }
  if (!m_window.EditText(caption, &text)) return false;

  if (mode == kModeDuration) {
    const auto span = ParseDurationText(text.c_str());
    if (!span) return false;
    m_endTime = m_beginTime + SpanFromFields(span->days, span->hours, span->minutes, span->seconds);
    return true;
  }
  const auto fields = ParseDateTimeText(text.c_str());
  if (!fields) return false;
  const Time64 t = LocalTimeFromFields(fields->year, fields->month, fields->day, fields->hour,
                                       fields->minute, fields->second);
  if (mode == kModeBegin) {
    m_beginTime = t;
    if (m_beginTime > m_endTime) m_endTime = m_beginTime;
  } else if (mode == kModeEnd) {
    m_endTime = t;
    if (m_beginTime > m_endTime) {
      m_window.MessageBox(kEndBeforeBegin, CBoxKind::kOk);
      m_endTime = m_beginTime;
    }
  } else {
    m_seekTarget = t;
    if (m_recordedTime > m_seekTarget) {
      m_window.MessageBox(kTargetBeforePlayback, CBoxKind::kOk);
      m_seekTarget = m_recordedTime;
    }
  }
  return true;
}

bool CHarkdeckDlg::RefuseWithoutTimeFile() {
  if (m_hasTimeFile == 1) return false;
  m_window.MessageBox(kNoTimeFile, CBoxKind::kError);
  return true;
}

void CHarkdeckDlg::SkipBack() {
  if (m_playing != 1 || RefuseWithoutTimeFile()) return;
  // No partial skip to the start.
  if (m_timeFile.Position() <= TimeBytesForSeconds(m_skipSeconds, m_timeRecordSize)) return;
  SeekRecordingBySeconds(m_waveFile, m_timeFile, -m_skipSeconds, m_timeRecordSize);
}

void CHarkdeckDlg::SkipForward() {
  const bool ctrlDown = m_window.IsCtrlDown();
  if (m_playing != 1) return;
  if (ctrlDown) {
    SeekToTarget();
    return;
  }
  if (RefuseWithoutTimeFile()) return;
  if (BytesAfterPosition(m_timeFile) <=
      TimeBytesForSeconds(kForwardMarginSteps * m_skipSeconds, m_timeRecordSize)) {
    return;
  }
  SeekRecordingBySeconds(m_waveFile, m_timeFile, m_skipSeconds, m_timeRecordSize);
}

void CHarkdeckDlg::SeekToTarget() {
  if (RefuseWithoutTimeFile()) return;
  const bool targetPrompt = m_displayMode == kModeRecorded;
  if (!EditShownValue() || !targetPrompt) return;
  // Playback may have ended while the prompt was open; the files may belong
  // to a recording by now.
  if (m_playing != 1) return;
  const std::int64_t step = TimeBytesForSeconds(1, m_timeRecordSize);
  const std::int64_t margin = TimeBytesForSeconds(kSeekMarginSeconds, m_timeRecordSize);
  const std::int64_t length = m_timeFile.Length();
  const std::int64_t start = m_timeFile.Position();
  std::int64_t position = start;
  CRecordScanner scanner(m_timeFile, m_timeRecordSize);
  while (m_recordedTime < m_seekTarget && length - position > margin) {
    position += step;
    if (!scanner.Read(position, &m_recordedTime)) break;
  }
  // Both files stand where a step-by-step walk leaves them; the next refill
  // reads the probed record again, with its block.
  m_timeFile.Seek(position, CByteFile::COrigin::kBegin);
  m_waveFile.Seek(WaveBytesForSeconds((position - start) / step), CByteFile::COrigin::kCurrent);
}

}  // namespace harkdeck
