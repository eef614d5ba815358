#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/command_options.h"
#include "app/harkdeck_app.h"
#include "platform/console/console_window.h"
#include "platform/posix/desktop_shell.h"
#include "platform/posix/home_path.h"
#include "platform/posix/settings_file.h"
#include "platform/posix/system_clock.h"
#include "platform/posix/termination_signals.h"
#include "platform/sim/sim_sound_devices.h"
#include "platform/sim/wav_file_source.h"

#ifdef HARKDECK_PULSE
#include "platform/pulse/pulse_sound_devices.h"
#endif

#ifdef HARKDECK_QT
#include <QApplication>
#include <QSocketNotifier>

#include "platform/qt/qt_window.h"
#endif

namespace {

using namespace harkdeck;

#ifndef HARKDECK_PULSE
// Stands in when the program is built without a sound backend: every open
// fails as "no driver".
class CNoSoundDevices final : public ISoundDevices {
 public:
  int InputDeviceCount() override { return 0; }
  MmResult InputCaps(int, CInputCaps*) override { return kMmBadDeviceId; }
  MmResult OpenInput(std::unique_ptr<IWaveIn>*, int, const CWaveFormat&) override {
    return kMmNoDriver;
  }
  MmResult OpenOutput(std::unique_ptr<IWaveOut>*, int, const CWaveFormat&) override {
    return kMmNoDriver;
  }
};
#endif

std::string HelpPage() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path installed =
      fs::canonical(fs::path("/proc/self/exe"), error).parent_path().parent_path() /
      "share/doc/harkdeck/harkdeck.html";
  if (!error && fs::exists(installed, error)) return installed.string();
  return std::string(HARKDECK_SOURCE_DIR) + "/res/help/harkdeck.html";
}

#ifdef HARKDECK_QT
bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}
#endif

std::unique_ptr<ISoundDevices> MakeSoundDevices(const CCommandOptions& options,
                                                std::unique_ptr<CWavFileSource>* source) {
  if (!options.inputWave.empty()) {
    *source = std::make_unique<CWavFileSource>(options.inputWave);
    auto sim = std::make_unique<CSimSoundDevices>(CSimSoundDevices::CPacing::kRealTime);
    sim->inputs = {{"Wave file " + options.inputWave, true}};
    CWavFileSource* feed = source->get();
    sim->signal = [feed](std::uint8_t* block, std::uint32_t count) { feed->Fill(block, count); };
    sim->keepPlayed = false;
    return sim;
  }
#ifdef HARKDECK_PULSE
  return std::make_unique<CPulseSoundDevices>();
#else
  return std::make_unique<CNoSoundDevices>();
#endif
}

int TerminalWidth() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20) return size.ws_col;
  return 80;
}

}  // namespace

int main(int argc, char** argv) {
  const CCommandOptions options =
      ParseCommandOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::fprintf(stderr, "harkdeck: %s\nTry 'harkdeck --help'.\n", options.error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("harkdeck %s\n", HARKDECK_VERSION);
    return 0;
  }

  std::unique_ptr<CWavFileSource> source;
  std::unique_ptr<ISoundDevices> sound;
  try {
    sound = MakeSoundDevices(options, &source);
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "harkdeck: %s\n", error.what());
    return 1;
  }
  CSystemClock clock;
  CSettingsFile settings(CSettingsFile::DefaultPath());
  CDesktopShell shell;
  CTerminationSignals termination;
  const std::string home = UserHomePath();
  const std::string help = HelpPage();

#ifdef HARKDECK_QT
  if (!options.console && DisplayAvailable()) {
    QApplication application(argc, argv);
    CQtWindow window;
    QSocketNotifier notifier(termination.Fd(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &window, [&] {
      termination.Take();
      window.close();
    });
    const CPlatformServices services{clock, window, *sound, settings, shell, options.commandLine,
                                     home,  help};
    CHarkdeckApp app(services, window);
    return app.InitInstance() ? 1 : 0;
  }
#endif
  CConsoleWindow::CStreams streams;
  streams.interactive = isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1;
  streams.width = TerminalWidth();
  CConsoleWindow window(streams, termination.Fd());
  const CPlatformServices services{clock, window, *sound, settings, shell, options.commandLine,
                                   home,  help};
  CHarkdeckApp app(services, window);
  return app.InitInstance() ? 1 : 0;
}
