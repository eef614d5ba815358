#pragma once

#include <optional>
#include <string>

#include "res/dialog_templates.h"

namespace harkdeck {

enum class CBoxKind { kOk, kError, kYesNo };
enum class CBoxAnswer { kOk, kYes, kNo };
enum class CDialogResult { kOk = 1, kCancel = 2 };

struct CFileDialogRequest {
  std::string defaultExtension;  // without the dot
  std::string fileName;          // proposed name, may be a pattern such as "*.wav"
  std::string filterName;        // e.g. "Wave files (*.wav)"; empty for no filter list
  std::string filterPattern;     // e.g. "*.wav"
  std::string initialFolder;     // empty: the dialog's own choice
};

// Everything the recorder asks of its window. Controls and images are named by
// the panel's control ids and bitmap ids (panel/panel_ids.h).
class IWindow {
 public:
  virtual ~IWindow() = default;

  virtual void SetImage(int controlId, int bitmapId) = 0;
  virtual void SetText(int controlId, const std::string& text) = 0;
  virtual void SetMeter(int position) = 0;
  virtual int SliderPosition() = 0;
  virtual void SetSliderPosition(int position) = 0;
  virtual void SetTitle(const std::string& title) = 0;

  // Modal; the window timer keeps firing while these are open.
  virtual CBoxAnswer MessageBox(const std::string& text, CBoxKind kind) = 0;
  virtual void ShowDialog(const CDialogTemplate& dialog) = 0;
  // The date-time edit dialog. True on OK, with *text replaced by what was typed.
  virtual bool EditText(const std::string& caption, std::string* text) = 0;
  // The full path of an existing file, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFileToOpen(const CFileDialogRequest& request) = 0;

  // Whether a Ctrl key was held at the click being handled.
  virtual bool IsCtrlDown() = 0;
  virtual void StartTimer(int id, int periodMs) = 0;
  virtual void EndDialog(CDialogResult result) = 0;
};

}  // namespace harkdeck
