#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "control/harkdeck_dlg.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_sound.h"
#include "tests/fakes/fake_window.h"

namespace harkdeck::test {

// A whole recorder on a fake clock, a fake window and a simulated sound card,
// with its home in a fresh folder of its own.
class CRecorderFixture : public ::testing::Test {
 protected:
  CRecorderFixture() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps two test runs at once apart; '/' comes from
    // parameterised test names.
    std::string name = "harkdeck-test-" + std::to_string(::getpid()) + "-" +
                       info->test_suite_name() + "-" + info->name();
    for (char& c : name) c = c == '/' ? '_' : c;
    home = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
  }
  ~CRecorderFixture() override {
    dlg.reset();
    std::filesystem::remove_all(home);
  }

  // Constructs the window and runs its start-up.
  CHarkdeckDlg& Start(const std::string& commandLine = {}) {
    dlg = std::make_unique<CHarkdeckDlg>(CPlatformServices{
        clock, window, sound, settings, shell, commandLine, home.string(), "help.html"});
    dlg->OnInitDialog();
    return *dlg;
  }

  void Tick() { dlg->OnTimer(2); }
  void TickAt(Time64 now) {
    clock.Set(now);
    Tick();
  }

  std::string RecordFolder() const { return (home / "Documents/Harkdeck/").string(); }

  std::filesystem::path home;
  CFakeClock clock;
  CFakeWindow window;
  CFakeSettings settings;
  CFakeShell shell;
  CFakeSound sound;
  std::unique_ptr<CHarkdeckDlg> dlg;
};

}  // namespace harkdeck::test
