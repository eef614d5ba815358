#include "platform/console/console_window.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "control/datetime_text.h"
#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "platform/console/console_keys.h"

namespace harkdeck {

namespace {

constexpr char kBackspace = 0x7f;
constexpr char kCtrlH = 0x08;
constexpr char kCtrlU = 0x15;

std::string StampNow() { return FormatDateTime(std::time(nullptr)); }

}  // namespace

CConsoleWindow::CConsoleWindow(const CStreams& streams, int signalFd)
    : m_streams(streams), m_signalFd(signalFd) {
  m_panel.title = "Harkdeck";
  m_panel.state = "idle";
  if (!m_streams.interactive) return;
  m_savedTerminal = new termios;
  if (tcgetattr(m_streams.input, m_savedTerminal) == 0) {
    termios raw = *m_savedTerminal;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(m_streams.input, TCSANOW, &raw);
  } else {
    delete m_savedTerminal;
    m_savedTerminal = nullptr;
  }
  // The alternate screen keeps the user's scrollback as it was.
  Write("\x1b[?1049h\x1b[?25l\x1b[2J");
}

CConsoleWindow::~CConsoleWindow() {
  if (m_streams.interactive) Write("\x1b[?25h\x1b[?1049l");
  if (m_savedTerminal != nullptr) {
    tcsetattr(m_streams.input, TCSANOW, m_savedTerminal);
    delete m_savedTerminal;
  }
}

CDialogResult CConsoleWindow::RunModal(CHarkdeckDlg& dialog) {
  m_dialog = &dialog;
  dialog.OnInitDialog();
  RunLoop([] { return false; });
  dialog.OnDestroy();
  m_dialog = nullptr;
  return m_result;
}

template <typename Done>
void CConsoleWindow::RunLoop(Done done) {
  while (!m_ended && !done()) {
    // Keys typed ahead (or pasted) are handed out one at a time, so that a
    // prompt opened by one key receives the keys after it.
    if (!m_pending.empty()) {
      const char byte = m_pending.front();
      m_pending.erase(0, 1);
      HandleByte(byte);
      continue;
    }
    Draw();
    pollfd fds[2];
    int count = 0;
    if (m_signalFd >= 0) fds[count++] = {m_signalFd, POLLIN, 0};
    const int inputSlot = count;
    if (m_inputOpen) fds[count++] = {m_streams.input, POLLIN, 0};
    int timeoutMs = -1;
    if (m_timerPeriodMs > 0) {
      const auto wait = std::chrono::ceil<std::chrono::milliseconds>(
          m_nextTick - std::chrono::steady_clock::now());
      timeoutMs = static_cast<int>(std::max<std::int64_t>(0, wait.count()));
    }
    const int ready = poll(fds, static_cast<nfds_t>(count), timeoutMs);
    if (ready < 0) continue;  // a signal; its pipe says which
    if (m_signalFd >= 0 && (fds[0].revents & POLLIN) != 0) {
      char drained[64];
      [[maybe_unused]] const ssize_t got = read(m_signalFd, drained, sizeof drained);
      // Ends the way the close box does, so a recording is finished.
      if (m_dialog != nullptr) m_dialog->OnCancel();
      continue;
    }
    if (m_inputOpen && (fds[inputSlot].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      char buffer[256];
      const ssize_t got = read(m_streams.input, buffer, sizeof buffer);
      if (got <= 0) {
        m_inputOpen = false;
      } else {
        m_pending.append(buffer, static_cast<std::size_t>(got));
      }
    }
    if (m_timerPeriodMs > 0 && std::chrono::steady_clock::now() >= m_nextTick) Tick();
  }
  Draw();
}

void CConsoleWindow::Tick() {
  const auto period = std::chrono::milliseconds(m_timerPeriodMs);
  m_nextTick += period;
  // After a stall (a suspended machine) carry on from now instead of
  // delivering the missed ticks in a burst.
  const auto now = std::chrono::steady_clock::now();
  if (m_nextTick < now) m_nextTick = now + period;
  if (m_dialog != nullptr) m_dialog->OnTimer(kTimerId);
  RefreshState();
}

void CConsoleWindow::RefreshState() {
  if (m_dialog == nullptr) return;
  const CHarkdeckDlg& d = *m_dialog;
  m_panel.state = d.m_recording == 1 ? "recording"
                  : d.m_playing == 1 ? "playing"
                  : d.m_armed == 1   ? "armed"
                                     : "idle";
  m_panel.voxOn = d.m_voxOn == 1;
  m_panel.scriptActive = d.m_scriptActive == 1;
}

void CConsoleWindow::HandleByte(char byte) {
  if (m_prompts.empty()) {
    HandleKey(byte);
    return;
  }
  CPrompt& prompt = *m_prompts.back();
  if (byte == '\n' || byte == '\r') {
    prompt.done = true;
  } else if (byte == kBackspace || byte == kCtrlH) {
    if (!prompt.line.empty()) prompt.line.pop_back();
  } else if (byte == kCtrlU) {
    prompt.line.clear();
  } else if (static_cast<unsigned char>(byte) >= 0x20) {
    prompt.line += byte;
  }
}

void CConsoleWindow::HandleKey(char key) {
  if (m_dialog == nullptr) return;
  if (key == 'q') {
    m_dialog->OnCancel();
  } else if (key == kSliderUpKey || key == kSliderDownKey) {
    const int step = key == kSliderUpKey ? kSliderKeyStep : -kSliderKeyStep;
    m_panel.slider = std::clamp(m_panel.slider + step, 0, 100);
  } else if (const CConsoleKey* found = FindConsoleKey(key)) {
    m_ctrl = found->ctrl;
    m_dialog->OnCommand(found->controlId);
    m_ctrl = false;
  }
  RefreshState();
}

std::optional<std::string> CConsoleWindow::Ask(const std::string& question,
                                               const std::string& initial) {
  if (!m_streams.interactive || (!m_inputOpen && m_pending.empty()) || m_ended) {
    return std::nullopt;
  }
  CPrompt prompt{question, initial};
  m_prompts.push_back(&prompt);
  RunLoop([&] { return prompt.done || (!m_inputOpen && m_pending.empty()); });
  m_prompts.pop_back();
  if (!prompt.done) return std::nullopt;
  return prompt.line;
}

void CConsoleWindow::Draw() {
  if (!m_streams.interactive) return;
  std::vector<std::string> lines = RenderPanel(m_panel, m_streams.width);
  for (const CPrompt* prompt : m_prompts) {
    lines.emplace_back();
    std::string::size_type start = 0;
    const std::string& q = prompt->question;
    while (start <= q.size()) {
      const auto end = q.find('\n', start);
      lines.push_back(q.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  if (!m_prompts.empty()) lines.push_back("> " + m_prompts.back()->line);
  if (lines == m_drawn) return;
  std::string screen = "\x1b[H";
  for (const std::string& line : lines) screen += line + "\x1b[K\r\n";
  screen += "\x1b[J";
  Write(screen);
  m_drawn = std::move(lines);
}

void CConsoleWindow::Log(std::FILE* stream, const std::string& text) {
  std::fprintf(stream, "%s %s\n", StampNow().c_str(), text.c_str());
  std::fflush(stream);
}

void CConsoleWindow::Write(const std::string& text) {
  std::string::size_type done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(m_streams.output, text.data() + done, text.size() - done);
    if (wrote <= 0) return;
    done += static_cast<std::string::size_type>(wrote);
  }
}

void CConsoleWindow::SetImage(int controlId, int bitmapId) { m_panel.images[controlId] = bitmapId; }

void CConsoleWindow::SetText(int controlId, const std::string& text) {
  std::string& shown = m_panel.texts[controlId];
  if (shown == text) return;
  shown = text;
  if (!m_streams.interactive && controlId == kCtlStatus && !text.empty()) Log(m_streams.log, text);
}

void CConsoleWindow::SetMeter(int position) { m_panel.meter = position; }

int CConsoleWindow::SliderPosition() { return m_panel.slider; }

void CConsoleWindow::SetSliderPosition(int position) { m_panel.slider = position; }

void CConsoleWindow::SetTitle(const std::string& title) {
  if (m_panel.title == title) return;
  m_panel.title = title;
  if (!m_streams.interactive) Log(m_streams.log, title);
}

CBoxAnswer CConsoleWindow::MessageBox(const std::string& text, CBoxKind kind) {
  const bool yesNo = kind == CBoxKind::kYesNo;
  const CBoxAnswer byDefault = yesNo ? CBoxAnswer::kYes : CBoxAnswer::kOk;
  if (!m_streams.interactive || (!m_inputOpen && m_pending.empty())) {
    Log(m_streams.errors, (kind == CBoxKind::kError ? "Error: " : "") + text);
    return byDefault;
  }
  const std::string title = kind == CBoxKind::kError ? "Error" : "Harkdeck";
  const std::string question = title + ": " + text + (yesNo ? "\n[y]es / [n]o" : "\n[Enter] OK");
  for (;;) {
    const std::optional<std::string> answer = Ask(question, "");
    if (!answer || !yesNo) return byDefault;
    if (*answer == "y" || *answer == "Y" || *answer == "yes") return CBoxAnswer::kYes;
    if (*answer == "n" || *answer == "N" || *answer == "no") return CBoxAnswer::kNo;
  }
}

void CConsoleWindow::ShowDialog(const CDialogTemplate& dialog) {
  std::string text(dialog.title);
  for (int i = 0; i < dialog.lineCount; ++i) {
    text += i == 0 ? ": " : " ";
    text += dialog.lines[static_cast<std::size_t>(i)].text;
  }
  if (!m_streams.interactive || (!m_inputOpen && m_pending.empty())) {
    Log(m_streams.errors, text);
    return;
  }
  Ask(text + "\n[Enter] OK", "");
}

bool CConsoleWindow::EditText(const std::string& caption, std::string* text) {
  const std::optional<std::string> answer =
      Ask(caption + "\nEnter to accept, an empty line to cancel", *text);
  if (!answer || answer->empty()) return false;
  *text = *answer;
  return true;
}

std::optional<std::string> CConsoleWindow::ChooseFileToOpen(const CFileDialogRequest& request) {
  namespace fs = std::filesystem;
  std::string question =
      "Open " + (request.filterName.empty() ? request.filterPattern : request.filterName);
  if (!request.initialFolder.empty()) question += " in " + request.initialFolder;
  question += "\nFile name (empty line to cancel):";
  std::string initial = request.fileName.find('*') == std::string::npos ? request.fileName : "";
  for (;;) {
    const std::optional<std::string> answer = Ask(question, initial);
    if (!answer || answer->empty()) return std::nullopt;
    fs::path path(*answer);
    if (path.is_relative() && !request.initialFolder.empty())
      path = fs::path(request.initialFolder) / path;
    if (!path.has_extension() && !request.defaultExtension.empty()) {
      path += "." + request.defaultExtension;
    }
    std::error_code error;
    if (fs::is_regular_file(path, error)) return path.string();
    initial.clear();
    question = path.string() +
               "\nFile not found. Check the file name and try again (empty line to cancel):";
  }
}

bool CConsoleWindow::IsCtrlDown() { return m_ctrl; }

void CConsoleWindow::StartTimer(int /*id*/, int periodMs) {
  m_timerPeriodMs = periodMs;
  m_nextTick = std::chrono::steady_clock::now() + std::chrono::milliseconds(periodMs);
}

void CConsoleWindow::EndDialog(CDialogResult result) {
  m_result = result;
  m_ended = true;
}

}  // namespace harkdeck
