#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/harkdeck_dlg.h"
#include "files/recording_names.h"
#include "files/time_file.h"
#include "files/wave_header.h"
#include "panel/panel_ids.h"
#include "recording/block_ring.h"

namespace harkdeck {

namespace {

constexpr const char* kPlaybackTitle = "Harkdeck - playback ";
constexpr const char* kPlaybackEndedTitle = "Harkdeck - playback ended";
constexpr const char* kUnopenableWave = "Unable to open the wave file for playback";

struct CPrimingFailure {
  const char* prefix;
  MmResult code;
};

bool IsIdle(const CHarkdeckDlg& dlg) {
  return dlg.m_armed == 0 && dlg.m_recording == 0 && dlg.m_playing == 0;
}

// Stops the output device and drops its headers; blocks still queued are not
// heard.
void CloseOutputRing() {
  if (g_waveOut) {
    g_waveOut->Reset();
    for (const auto& header : g_outHeaders) {
      if (header && header->IsPrepared()) g_waveOut->UnprepareHeader(*header);
    }
    g_waveOut->Close();
    g_waveOut.reset();
  }
  g_outHeaders = {};
}

// Fills the four slots from the files and queues them. Failures are handed
// back, to be reported once the recorder is playing.
std::vector<CPrimingFailure> PrimeOutputRing(CHarkdeckDlg& dlg) {
  std::vector<CPrimingFailure> failures;
  for (int slot = 0; slot < kRingSlots; ++slot) {
    auto& header = g_outHeaders[static_cast<std::size_t>(slot)];
    header = std::make_unique<CBlockHeader>();
    header->data = g_blockBuffers[static_cast<std::size_t>(slot)].data();
    header->bufferLength = kBlockBytes;
    dlg.m_waveFile.Read(header->data, kBlockBytes);
    if (const MmResult result = g_waveOut->PrepareHeader(*header); result != kMmNoError) {
      failures.push_back({"On preparing buffer ..", result});
    }
    if (const MmResult result = g_waveOut->Write(*header); result != kMmNoError) {
      failures.push_back({"On adding buffer ..", result});
    }
    if (dlg.m_hasTimeFile == 1) {
      ReadTimeRecord(dlg.m_timeFile, dlg.m_timeRecordSize, dlg.m_recordedTime);
    }
  }
  return failures;
}

}  // namespace

void CHarkdeckDlg::StartPlayback() {
  CFileDialogRequest request;
  request.defaultExtension = "wav";
  request.fileName = m_waveName;
  request.filterName = "Wave files (*.wav)";
  request.filterPattern = "*.wav";
  request.initialFolder = m_recordFolder;
  const std::optional<std::string> chosen = m_window.ChooseFileToOpen(request);
  if (!chosen) return;
  // Ticks went on while the dialog was open: a script may have armed the
  // recorder, and a recording started since then owns the files and the ring.
  if (!IsIdle(*this)) return;
  const std::string& path = *chosen;

  if (!m_waveFile.Open(path, CByteFile::CMode::kRead)) {
    m_window.MessageBox(kUnopenableWave, CBoxKind::kOk);
    return;
  }
  m_shortTimes = 0;
  m_timeRecordSize = kLongTimeRecordBytes;
  m_window.SetTitle(kPlaybackTitle + path);

  const std::string timePath = TimeFilePathFor(path);
  m_hasTimeFile = m_timeFile.Open(timePath, CByteFile::CMode::kRead) ? 1 : 0;
  if (m_hasTimeFile == 1) {
    m_timeRecordSize =
        TimeRecordSizeFor(FileSize(path).value_or(0), FileSize(timePath).value_or(0));
    m_shortTimes = m_timeRecordSize == kShortTimeRecordBytes ? 1 : 0;
  }
  CWaveFormat format;
  const bool headerOk = CheckWaveHeader(m_waveFile, &format);
  if (m_hasTimeFile == 0 || !headerOk) {
    // A hint lets ticks in, and a recording that one of them starts opens
    // m_waveFile and m_timeFile for itself: no file is held across a hint.
    m_waveFile.Close();
    m_timeFile.Close();
    if (m_hasTimeFile == 0) {
      m_window.ShowDialog(kNoTimeTemplate);
      m_recordedTime = Now();
    }
    if (!headerOk) {
      m_window.ShowDialog(kForeignWaveTemplate);
      m_window.SetImage(kCtlPlay, kBmpPlay);
      return;
    }
    if (!IsIdle(*this)) return;
    if (!m_waveFile.Open(path, CByteFile::CMode::kRead) || !CheckWaveHeader(m_waveFile, &format)) {
      m_waveFile.Close();
      m_window.MessageBox(kUnopenableWave, CBoxKind::kOk);
      return;
    }
  }

  // Freshly allocated buffers hold silence, so a recording shorter than the
  // four priming blocks plays what it has and then silence.
  AllocateBlockBuffers();
  g_ringIndex = 0;
  m_bytesWritten = 0;
  const MmResult opened = m_services.sound.OpenOutput(&g_waveOut, m_soundCard, format);
  if (opened != kMmNoError) {
    g_waveOut.reset();
    m_waveFile.Close();
    m_timeFile.Close();
    FreeBlockBuffers();
    ReportWaveError("On opening the wave device..", opened);
    return;
  }

  const std::vector<CPrimingFailure> failures = PrimeOutputRing(*this);

  m_playing = 1;
  m_window.SetImage(kCtlBack, kBmpBack);
  m_window.SetImage(kCtlForward, kBmpForward);
  // An error box lets ticks in; they must find the recorder already playing,
  // holding its ring and its files.
  for (const CPrimingFailure& failure : failures) ReportWaveError(failure.prefix, failure.code);
}

void CHarkdeckDlg::ServicePlaybackBlocks() {
  while (m_playing == 1) {
    CBlockHeader& header = *g_outHeaders[static_cast<std::size_t>(g_ringIndex)];
    if (!header.IsDone()) return;
    // A refill needs more than one block left, so the last block is never
    // read and the blocks still queued are cut off by the stop.
    if (m_waveFile.Length() <= m_waveFile.Position() + kBlockBytes) {
      StopPlayback();
      return;
    }
    // With more than a block left a short read is a read error: trying again
    // would spin inside this tick.
    if (m_waveFile.Read(header.data, kBlockBytes) < static_cast<std::size_t>(kBlockBytes)) {
      StopPlayback();
      return;
    }
    g_waveOut->Write(header);
    g_ringIndex = (g_ringIndex + 1) % kRingSlots;
    if (m_hasTimeFile == 1) ReadTimeRecord(m_timeFile, m_timeRecordSize, m_recordedTime);
  }
}

void CHarkdeckDlg::StopPlayback() {
  if (m_playing == 1) {
    m_playing = 0;
    m_window.SetImage(kCtlPlay, kBmpPlay);
    m_window.SetImage(kCtlBack, kBmpArrowBlank);
    m_window.SetImage(kCtlForward, kBmpArrowBlank);
    m_displayMode = 0;
    CloseOutputRing();
    m_waveFile.Close();
    if (m_hasTimeFile == 1) m_timeFile.Close();
    FreeBlockBuffers();
  }
  m_window.SetTitle(kPlaybackEndedTitle);
}

}  // namespace harkdeck
