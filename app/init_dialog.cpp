#include <filesystem>
#include <system_error>

#include "app/command_line.h"
#include "app/record_folder.h"
#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {
constexpr const char* kWelcome = "Welcome to Harkdeck.  Click on 'Help' for user information.";
constexpr const char* kSoundCardValue = "soundcard";
constexpr const char* kLevelSliderValue = "levelslider";
constexpr int kSliderMax = 100;
}  // namespace

bool CHarkdeckDlg::OnInitDialog() {
  LoadPanelImages();
  m_walkFrame = 0;
  const Time64 now = m_clock.Now();
  m_beginTime = now;
  m_endTime = now;
  m_scriptActive = 0;
  m_skipSeconds = 4;
  m_armed = 0;
  m_recording = 0;
  m_playing = 0;
  m_displayMode = 0;
  m_voxHang = 0;
  m_voxOn = 0;
  m_waveName = "*.wav";
  m_soundCard = -1;
  m_shortTimes = 0;
  m_timeRecordSize = 8;
  LoadSettings();
  m_window.StartTimer(kTimerId, kTickPeriodMs);
  // The welcome message waits for the first tick to be pushed to the line.
  m_statusText = kWelcome;
  m_window.SetImage(kCtlMarker, kBmpMarkerLit);
  m_statusTime = now;
  OpenCommandLineScript();
  PrepareRecordFolder();
  return true;
}

void CHarkdeckDlg::LoadSettings() {
  ISettingsStore& store = m_services.settings;
  bool existed = false;
  if (!store.OpenKey(&existed)) return;
  if (existed) {
    if (const auto card = store.ReadInt(kSoundCardValue); card && *card >= -1) m_soundCard = *card;
    if (const auto slider = store.ReadInt(kLevelSliderValue);
        slider && *slider >= 0 && *slider <= kSliderMax) {
      m_window.SetSliderPosition(*slider);
    }
  }
  store.CloseKey();
}

void CHarkdeckDlg::SaveSettings() {
  ISettingsStore& store = m_services.settings;
  bool existed = false;
  if (!store.OpenKey(&existed)) return;
  store.WriteInt(kSoundCardValue, m_soundCard);
  store.WriteInt(kLevelSliderValue, m_window.SliderPosition());
  store.CloseKey();
}

void CHarkdeckDlg::OpenCommandLineScript() {
  const auto name = ScriptNameFromCommandLine(m_services.commandLine);
  if (name) OpenScript(*name);
}

void CHarkdeckDlg::PrepareRecordFolder() {
  m_recordFolder = RecordFolderFor(m_services.homePath);
  for (const auto& level : FolderLevels(m_recordFolder)) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(level, error))) {
      std::filesystem::create_directory(level, error);
    }
  }
}

}  // namespace harkdeck
