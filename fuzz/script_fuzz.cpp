#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "control/harkdeck_dlg.h"
#include "fuzz/fuzz_file.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_sound.h"
#include "tests/fakes/fake_window.h"

namespace {

// Enough ticks to read a script of a few dozen lines and make the recordings
// it arms, yet few enough that a script of only "rewind:" ends.
constexpr int kTicks = 96;
// 2030-03-30 12:00:00 UTC, the day before the clocks go forward.
constexpr harkdeck::Time64 kStart = 1'901'188'800;

std::string HomeFolder() {
  return (std::filesystem::temp_directory_path() /
          ("harkdeck-fuzz-home-" + std::to_string(getpid())))
      .string();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // Times of day are resolved in a zone with daylight saving.
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  return 0;
}

// Any bytes as a script file, run by a whole recorder on a fake clock, window
// and sound card: every line the reader gives and every command's argument
// is parsed, and what the script arms is recorded.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace harkdeck;
  const std::string script = fuzz::WriteInputFile(".txt", data, size);
  const std::string home = HomeFolder();
  {
    test::CFakeClock clock(kStart);
    test::CFakeWindow window;
    test::CFakeSettings settings;
    test::CFakeShell shell;
    test::CFakeSound sound;
    sound.keepPlayed = false;
    CHarkdeckDlg dlg(CPlatformServices{clock, window, sound, settings, shell, "", home, "help"});
    dlg.OnInitDialog();
    dlg.OpenScript(script);
    for (int tick = 0; tick < kTicks && dlg.m_scriptActive == 1; ++tick) {
      // Waits are jumped over, so a recording is made within two ticks.
      if (dlg.m_armed == 1 && dlg.m_beginTime >= clock.Now()) {
        clock.Set(dlg.m_beginTime + 1);
      } else if (dlg.m_recording == 1) {
        sound.CompleteInput(2);
        clock.Set(dlg.m_endTime >= clock.Now() ? dlg.m_endTime + 1 : clock.Now() + 1);
      } else {
        clock.Advance(1);
      }
      dlg.OnTimer(2);
    }
    dlg.OnDestroy();
  }
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  std::remove(script.c_str());
  return 0;
}
