#include <cstring>
#include <ctime>

#include "control/datetime_text.h"
#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

constexpr Time64 kArmedSeconds = 300;
constexpr const char* kReadFailure = "The script file could not be read.";

bool StartsWith(const std::string& line, const char* keyword) {
  return line.compare(0, std::strlen(keyword), keyword) == 0;
}

void ShowScriptKey(IWindow& window, std::int32_t active) {
  window.SetImage(kCtlScript, active == 1 ? kBmpScriptLit : kBmpScript);
}

}  // namespace

bool CHarkdeckDlg::OpenScript(const std::string& path) {
  const bool opened = m_scriptFile.Open(path);
  m_scriptActive = opened ? 1 : 0;
  ShowScriptKey(m_window, m_scriptActive);
  return opened;
}

void CHarkdeckDlg::ToggleScript() {
  if (m_scriptActive == 1) {
    // The recorder is left as it is: an arming or a recording goes on.
    m_scriptFile.Close();
    m_scriptActive = 0;
    ShowScriptKey(m_window, m_scriptActive);
    return;
  }
  if (m_scriptActive != 0) return;
  const CFileDialogRequest request{"txt", "*.txt", "", "", ""};
  const auto path = m_window.ChooseFileToOpen(request);
  if (path) OpenScript(*path);
}

void CHarkdeckDlg::RunScript() {
  if (m_scriptActive != 1) return;
  std::string piece;
  switch (m_scriptFile.ReadString(&piece)) {
    case CLineReader::CReadStatus::kLine:
      break;
    case CLineReader::CReadStatus::kEnd:
      m_scriptFile.Close();
      m_scriptActive = 0;
      ShowScriptKey(m_window, m_scriptActive);
      return;
    case CLineReader::CReadStatus::kError:
      m_window.MessageBox(kReadFailure, CBoxKind::kError);
      return;
  }
  // The line is text: a NUL byte ends it.
  const std::string line(piece.c_str());

  bool handled = line.size() < 3 || line[0] == ';';

  // Date-time first; a time of day only when not all six numbers read.
  const auto readTime = [this](const char* text, Time64* target) {
    if (const auto dateTime = ParseDateTimeText(text)) {
      *target = LocalTimeFromFields(dateTime->year, dateTime->month, dateTime->day, dateTime->hour,
                                    dateTime->minute, dateTime->second);
      return true;
    }
    if (const auto timeOfDay = ParseTimeOfDayText(text)) {
      *target = NextTimeOfDay(timeOfDay->hour, timeOfDay->minute, timeOfDay->second);
      return true;
    }
    return false;
  };

  if (StartsWith(line, "begin:")) handled = readTime(line.c_str() + 6, &m_beginTime);
  if (StartsWith(line, "end:")) handled = readTime(line.c_str() + 4, &m_endTime);
  if (StartsWith(line, "voxon:")) {
    m_voxOn = 1;
    handled = true;
  }
  if (StartsWith(line, "voxoff:")) {
    m_voxOn = 0;
    handled = true;
  }
  if (StartsWith(line, "arm:")) {
    const Time64 now = Now();
    if (m_beginTime < now) m_beginTime = now;
    if (m_endTime < m_beginTime) m_endTime = m_beginTime + kArmedSeconds;
    OnArm();
    handled = true;
  }
  if (StartsWith(line, "rewind:")) {
    if (!m_scriptFile.SeekToBegin()) m_window.MessageBox(kReadFailure, CBoxKind::kError);
    return;
  }

  if (!handled) {
    // Closed before the box opens, so no tick reads on while it shows.
    m_scriptActive = 0;
    m_scriptFile.Close();
    ShowScriptKey(m_window, m_scriptActive);
    m_window.MessageBox(line + " is not a good command", CBoxKind::kOk);
  }
}

Time64 CHarkdeckDlg::NextTimeOfDay(int hour, int minute, int second) {
  const Time64 now = Now();
  std::tm today{};
  BreakDownLocalTime(now, today);
  const Time64 t = LocalTimeFromFields(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday, hour,
                                       minute, second);
  if (t >= now) return t;
  // Tomorrow by the calendar, so that a daily recording keeps its wall-clock
  // hour across a daylight-saving change (86400 s would move it by the
  // shift). A day after today's noon is tomorrow whatever the shift.
  const Time64 noon =
      LocalTimeFromFields(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday, 12, 0, 0);
  std::tm tomorrow{};
  BreakDownLocalTime(noon + 86400, tomorrow);
  return LocalTimeFromFields(tomorrow.tm_year + 1900, tomorrow.tm_mon + 1, tomorrow.tm_mday, hour,
                             minute, second);
}

}  // namespace harkdeck
