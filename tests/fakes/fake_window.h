#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace harkdeck::test {

// Records what the recorder shows and answers its questions from queues.
// onModal runs whenever a modal box or dialog opens, so a test can let ticks
// happen "while the user looks at it".
class CFakeWindow final : public IWindow {
 public:
  struct CBox {
    std::string text;
    CBoxKind kind;
  };

  void SetImage(int controlId, int bitmapId) override {
    images[controlId] = bitmapId;
    ++imageSets;
  }
  void SetText(int controlId, const std::string& text) override { texts[controlId] = text; }
  void SetMeter(int position) override { meter = position; }
  int SliderPosition() override { return slider; }
  void SetSliderPosition(int position) override { slider = position; }
  void SetTitle(const std::string& text) override { title = text; }

  CBoxAnswer MessageBox(const std::string& text, CBoxKind kind) override {
    boxes.push_back({text, kind});
    RunModal();
    if (kind != CBoxKind::kYesNo) return CBoxAnswer::kOk;
    if (yesNoAnswers.empty()) return CBoxAnswer::kNo;
    const CBoxAnswer answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }
  void ShowDialog(const CDialogTemplate& dialog) override {
    dialogs.push_back(dialog.id);
    RunModal();
  }
  bool EditText(const std::string& caption, std::string* text) override {
    editCaptions.push_back(caption);
    editShown.push_back(*text);
    RunModal();
    if (editAnswers.empty() || !editAnswers.front()) {
      if (!editAnswers.empty()) editAnswers.pop_front();
      return false;
    }
    *text = *editAnswers.front();
    editAnswers.pop_front();
    return true;
  }
  std::optional<std::string> ChooseFileToOpen(const CFileDialogRequest& request) override {
    fileRequests.push_back(request);
    RunModal();
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  bool IsCtrlDown() override { return ctrlDown; }
  void StartTimer(int id, int periodMs) override {
    timerId = id;
    timerPeriodMs = periodMs;
  }
  void EndDialog(CDialogResult result) override { endResult = result; }

  int Image(int controlId) const {
    const auto found = images.find(controlId);
    return found == images.end() ? 0 : found->second;
  }
  std::string Text(int controlId) const {
    const auto found = texts.find(controlId);
    return found == texts.end() ? std::string() : found->second;
  }

  std::map<int, int> images;
  long imageSets = 0;
  std::map<int, std::string> texts;
  int meter = 0;
  int slider = 0;
  std::string title;
  std::vector<CBox> boxes;
  std::deque<CBoxAnswer> yesNoAnswers;
  std::vector<int> dialogs;
  std::vector<std::string> editCaptions;
  std::vector<std::string> editShown;
  std::deque<std::optional<std::string>> editAnswers;
  std::vector<CFileDialogRequest> fileRequests;
  std::deque<std::optional<std::string>> fileAnswers;
  bool ctrlDown = false;
  int timerId = 0;
  int timerPeriodMs = 0;
  std::optional<CDialogResult> endResult;
  std::function<void()> onModal;

 private:
  void RunModal() {
    if (onModal) onModal();
  }
};

}  // namespace harkdeck::test
