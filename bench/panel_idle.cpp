// CPU time of the real panel window: idle, or recording from a simulated card
// paced in real time. Usage: harkdeck_panel_bench [idle|record] [seconds]
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "platform/posix/system_clock.h"
#include "platform/qt/qt_window.h"
#include "platform/sim/sim_sound_devices.h"

namespace {

using namespace harkdeck;

class CMemorySettings final : public ISettingsStore {
 public:
  bool OpenKey(bool* existedBefore) override {
    *existedBefore = false;
    return true;
  }
  std::optional<std::int32_t> ReadInt(const std::string&) override { return std::nullopt; }
  void WriteInt(const std::string&, std::int32_t) override {}
  bool CloseKey() override { return true; }
};

class CQuietShell final : public IShell {
 public:
  void OpenDocument(const std::string&) override {}
  void Launch(const std::string&, const std::string&) override {}
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const bool record = argc > 1 && std::strcmp(argv[1], "record") == 0;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  const auto home = std::filesystem::temp_directory_path() / "harkdeck-panel-bench";
  std::filesystem::remove_all(home);
  CSystemClock clock;
  CMemorySettings settings;
  CQuietShell shell;
  CSimSoundDevices sound(CSimSoundDevices::CPacing::kRealTime);
  CQtWindow window;
  CHarkdeckDlg dialog(
      CPlatformServices{clock, window, sound, settings, shell, "", home.string(), ""});

  double start = 0;
  bool recorded = false;
  // A second to settle, then the measured span.
  QTimer::singleShot(1000, [&] {
    if (record) dialog.OnCommand(kCtlRec);
    start = CpuSeconds();
  });
  QTimer::singleShot(1000 + seconds * 1000, [&] {
    recorded = dialog.m_recording == 1;
    const double used = CpuSeconds() - start;
    std::printf("%s for %d s: %.3f s of CPU (%.2f %%)%s\n", record ? "recording" : "idle", seconds,
                used, 100.0 * used / seconds,
                record && !recorded ? " -- the recording did not start" : "");
    window.EndDialog(CDialogResult::kCancel);
  });
  window.RunModal(dialog);
  std::filesystem::remove_all(home);
  return record && !recorded ? 1 : 0;
}
