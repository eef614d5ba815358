#pragma once

#include <cstdint>
#include <string>

#include "control/platform_services.h"
#include "files/byte_file.h"
#include "platform/time_value.h"
#include "script/line_reader.h"

namespace harkdeck {

// The main window: the whole recorder's state and every handler. Member
// functions live in the folder of their subsystem (app/, control/, recording/,
// playback/, panel/, script/).
//
// Flags are 32-bit integers holding 0 or 1; handlers compare with 0 and 1
// explicitly and do nothing for any other value.
class CHarkdeckDlg {
 public:
  explicit CHarkdeckDlg(const CPlatformServices& services);
  ~CHarkdeckDlg();
  CHarkdeckDlg(const CHarkdeckDlg&) = delete;
  CHarkdeckDlg& operator=(const CHarkdeckDlg&) = delete;

  // app/
  bool OnInitDialog();
  void OnExit();
  void OnDestroy();
  void OnSysCommand(int commandId);
  void OnHelp();
  // The dialog's standard keys: Escape and the close box (cancel), Enter (OK).
  void OnCancel();
  void OnOK();

  // control/
  void OnTimer(int timerId);
  void OnTick();
  void SetStatus(const std::string& text);
  // A click on a notify control, routed through the message map.
  void OnCommand(int controlId);
  void OnArm();
  void OnRec();
  void OnStop();
  void OnPlay();
  void OnVox();
  void EditTimes();
  void SkipBack();
  void SkipForward();
  void SeekToTarget();

  // recording/
  void StartRecording();
  void ServiceCaptureBlocks(Time64 now);
  void StopRecording();
  void ReportWaveError(const std::string& prefix, MmResult code);
  double MeasureBlockLevel(const std::uint8_t* block, std::uint32_t count);
  void UpdateVoxGate(double level, Time64 now);
  void ChooseSoundCard();

  // playback/
  void StartPlayback();
  void ServicePlaybackBlocks();
  void StopPlayback();

  // panel/
  void LoadPanelImages();
  void ShowStateImages();
  void ShowNow();
  void ShowModeDisplay();
  void CycleDisplayMode();
  void DoubleSkipStep();
  void HalveSkipStep();

  // script/
  bool OpenScript(const std::string& path);
  void ToggleScript();
  void RunScript();
  Time64 NextTimeOfDay(int hour, int minute, int second);

  // Recorder state, in declaration order.
  std::int32_t m_bytesWritten = 0;
  CByteFile m_waveFile;
  CByteFile m_timeFile;
  std::string m_waveName;
  std::int32_t m_hasTimeFile = 0;
  Time64 m_recordedTime = 0;
  Time64 m_statusTime = 0;
  std::int32_t m_skipSeconds = 0;
  std::int32_t m_soundCard = 0;
  Time64 m_seekTarget = 0;
  std::string m_recordFolder;
  std::int32_t m_shortTimes = 0;
  std::int32_t m_timeRecordSize = 0;
  std::string m_statusText;
  std::string m_skipText;
  int m_hIcon = 128;
  Time64 m_beginTime = 0;
  Time64 m_endTime = 0;
  std::int32_t m_armed = 0;
  std::int32_t m_recording = 0;
  std::int32_t m_playing = 0;
  std::int32_t m_displayMode = 0;
  std::int32_t m_voxHang = 0;
  std::int32_t m_voxOn = 0;
  std::int32_t m_scriptActive = 0;
  CLineReader m_scriptFile;

  // Panel.
  int m_walkFrame = 0;

 private:
  friend class CHarkdeckDlgTestAccess;

  void ClearStatus(Time64 now);
  // Pushes the status text and the step text to their controls.
  void UpdateTexts();
  void LoadSettings();
  void SaveSettings();
  void OpenCommandLineScript();
  void PrepareRecordFolder();
  // The clock reading of the running tick, or a fresh one between ticks.
  Time64 Now();
  // The edit bar's dialog for whatever the second read-out shows; true when
  // a value was accepted and applied.
  bool EditShownValue();
  // Refuses to skip or seek a recording that has no time file; true when it did.
  bool RefuseWithoutTimeFile();
  // recording/
  bool WriteCapturedBlock(const std::uint8_t* block, std::uint32_t count, Time64 now);
  void EndRecordingEarly();
  void ShowVoxPaused(Time64 now);
  void ShowVoxDot();

  CPlatformServices m_services;
  IClock& m_clock;
  IWindow& m_window;
  // Set while a tick runs: a box it opens must not let another tick in.
  bool m_inTick = false;
  Time64 m_tickNow = 0;
  // Ticks in a row in which the input device completed no block.
  int m_ticksWithoutBlock = 0;
};

}  // namespace harkdeck
