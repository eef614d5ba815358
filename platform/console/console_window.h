#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/console/console_panel.h"
#include "platform/dialog_host.h"

struct termios;

namespace harkdeck {

// The recorder's window on a terminal: the panel drawn as text and kept up to
// date in place, one key per button, boxes and dialogs answered at a prompt.
// Without a terminal (a service, a pipe) nothing waits for an answer: boxes go
// to the error stream with a time stamp and take their default answer, and the
// status line and the title are logged as they change.
class CConsoleWindow final : public IWindow, public IDialogHost {
 public:
  struct CStreams {
    int input = 0;
    int output = 1;
    std::FILE* log = stdout;
    std::FILE* errors = stderr;
    bool interactive = false;
    int width = 80;
  };

  // `signalFd` becomes readable when the program is asked to end; -1 for none.
  CConsoleWindow(const CStreams& streams, int signalFd);
  ~CConsoleWindow() override;
  CConsoleWindow(const CConsoleWindow&) = delete;
  CConsoleWindow& operator=(const CConsoleWindow&) = delete;

  IWindow& Window() override { return *this; }
  CDialogResult RunModal(CHarkdeckDlg& dialog) override;

  void SetImage(int controlId, int bitmapId) override;
  void SetText(int controlId, const std::string& text) override;
  void SetMeter(int position) override;
  int SliderPosition() override;
  void SetSliderPosition(int position) override;
  void SetTitle(const std::string& title) override;
  CBoxAnswer MessageBox(const std::string& text, CBoxKind kind) override;
  void ShowDialog(const CDialogTemplate& dialog) override;
  bool EditText(const std::string& caption, std::string* text) override;
  std::optional<std::string> ChooseFileToOpen(const CFileDialogRequest& request) override;
  bool IsCtrlDown() override;
  void StartTimer(int id, int periodMs) override;
  void EndDialog(CDialogResult result) override;

  const CConsolePanel& Panel() const { return m_panel; }

 private:
  // A question waiting for a line typed at the terminal; nested when a box
  // comes up while another prompt is open.
  struct CPrompt {
    std::string question;
    std::string line;
    bool done = false;
  };

  // Ticks, reads keys and watches for the end signal until `done` holds or
  // the dialog has ended.
  template <typename Done>
  void RunLoop(Done done);
  void Tick();
  void HandleByte(char byte);
  void HandleKey(char key);
  // The typed line, or nothing when input ended or the dialog is ending.
  std::optional<std::string> Ask(const std::string& question, const std::string& initial);
  void Draw();
  void Log(std::FILE* stream, const std::string& text);
  void Write(const std::string& text);
  void RefreshState();

  CStreams m_streams;
  int m_signalFd;
  CHarkdeckDlg* m_dialog = nullptr;
  CConsolePanel m_panel;
  std::vector<CPrompt*> m_prompts;
  std::vector<std::string> m_drawn;
  int m_timerPeriodMs = 0;
  std::chrono::steady_clock::time_point m_nextTick;
  bool m_ended = false;
  CDialogResult m_result = CDialogResult::kCancel;
  bool m_inputOpen = true;
  std::string m_pending;
  bool m_ctrl = false;
  termios* m_savedTerminal = nullptr;
};

}  // namespace harkdeck
