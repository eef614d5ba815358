#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>

#include "control/harkdeck_dlg.h"
#include "files/recording_names.h"
#include "files/time_file.h"
#include "files/wave_header.h"
#include "panel/panel_ids.h"
#include "recording/block_ring.h"

namespace harkdeck {

namespace {

// A device that completes no block for about five seconds of ticks has gone
// away (unplugged, sound server ended); a running one completes five a second.
constexpr int kStalledTickLimit = 27;

// A device holds at most the four queued blocks. More than twice that in one
// service means one that completes a block as soon as it is queued again, and
// the tick must not spin on it.
constexpr int kMaxBlocksPerService = 2 * kRingSlots;

// The audio length must fit m_bytesWritten (signed 32-bit), which is below
// the RIFF size limit of 2^32 - 39 bytes.
constexpr std::int64_t kMaxAudioBytes = std::numeric_limits<std::int32_t>::max();

constexpr char kRecordingEndedTitle[] = "Harkdeck - recording ended";

// Nothing for a code without a text of its own.
const char* WaveErrorText(MmResult code) {
  switch (code) {
    case kMmBadDeviceId:
      return "The sound device does not exist";
    case kMmAllocated:
      return "Another program is using the sound device";
    case kMmInvalidHandle:
      return "The specified wave handle is invalid";
    case kMmNoDriver:
      return "No sound driver is present";
    case kMmNoMemory:
      return "Unable to allocate or lock memory";
    case kWaveBadFormat:
      return "Your sound card does not support the audio format";
    case kWaveUnprepared:
      return "The buffer has not been prepared";
    default:
      return nullptr;
  }
}

// Stops the input device, hands back every header and closes it. Blocks it
// completed and the tick has not serviced are dropped with it.
void ReleaseInputDevice() {
  if (g_waveIn) {
    g_waveIn->Reset();
    for (auto& header : g_inHeaders) {
      if (header && header->IsPrepared()) g_waveIn->UnprepareHeader(*header);
    }
    g_waveIn->Close();
    g_waveIn.reset();
  }
  g_inHeaders = {};
}

// error is the errno of the failed write; 0 when it set none.
std::string WriteFailureText(const std::string& outcome, const std::string& path, int error) {
  std::string text = outcome + ": writing to " + path + " failed";
  if (error != 0) text += std::string(" (") + std::strerror(error) + ")";
  return text;
}

}  // namespace

void CHarkdeckDlg::StartRecording() {
  if (m_recording == 1) return;
  AllocateBlockBuffers();
  g_ringIndex = 0;
  m_bytesWritten = 0;

  // Whatever a failed start opened is closed again; the files stay behind.
  const auto abandon = [this] {
    ReleaseInputDevice();
    m_waveFile.Close();
    m_timeFile.Close();
    FreeBlockBuffers();
  };

  const std::string waveName = WaveFileName(m_beginTime);
  if (waveName.empty() ||
      !m_waveFile.Open(m_recordFolder + waveName, CByteFile::CMode::kCreateWrite)) {
    abandon();
    return;
  }
  m_waveName = waveName;
  if (!m_timeFile.Open(m_recordFolder + TimeFileName(m_beginTime),
                       CByteFile::CMode::kCreateWrite)) {
    abandon();
    return;
  }
  m_window.SetTitle("Harkdeck -> " + m_recordFolder + m_waveName);

  errno = 0;
  if (!WriteWaveHeader(m_waveFile, kProvisionalAudioBytes)) {
    const int error = errno;
    abandon();
    m_window.MessageBox(
        WriteFailureText("Recording not started", m_recordFolder + m_waveName, error),
        CBoxKind::kError);
    return;
  }

  if (const MmResult result = m_services.sound.OpenInput(&g_waveIn, m_soundCard, CWaveFormat{});
      result != kMmNoError) {
    abandon();
    ReportWaveError("On opening the wave device..", result);
    return;
  }

  // The ring is serviced strictly in slot order, so a slot that is not queued
  // would hold up every block after it: start only with all four.
  bool allQueued = true;
  for (int i = 0; i < kRingSlots; ++i) {
    auto header = std::make_unique<CBlockHeader>();
    header->data = g_blockBuffers[i].data();
    header->bufferLength = kBlockBytes;
    g_inHeaders[i] = std::move(header);
    if (const MmResult result = g_waveIn->PrepareHeader(*g_inHeaders[i]); result != kMmNoError) {
      ReportWaveError("On preparing buffer ..", result);
    }
    if (const MmResult result = g_waveIn->AddBuffer(*g_inHeaders[i]); result != kMmNoError) {
      ReportWaveError("On adding buffer ..", result);
      allQueued = false;
    }
  }
  if (!allQueued) {
    abandon();
    return;
  }

  if (const MmResult result = g_waveIn->Start(); result != kMmNoError) {
    abandon();
    ReportWaveError("On starting recording..", result);
    return;
  }
  g_ringIndex = 0;
  m_ticksWithoutBlock = 0;
  m_recording = 1;
}

void CHarkdeckDlg::ServiceCaptureBlocks(Time64 now) {
  bool delivered = false;
  for (int serviced = 0; serviced < kMaxBlocksPerService && m_recording == 1 &&
                         g_inHeaders[g_ringIndex] && g_inHeaders[g_ringIndex]->IsDone();
       ++serviced) {
    CBlockHeader& header = *g_inHeaders[g_ringIndex];
    const std::uint32_t count =
        std::min(header.bytesRecorded.load(std::memory_order_relaxed), header.bufferLength);
    // An empty block is no audio: it gets neither a level nor a time record.
    if (count > 0) {
      delivered = true;
      const double level = MeasureBlockLevel(header.data, count);
      UpdateVoxGate(level, now);
      if (m_voxOn == 0 || m_voxHang > 0) {
        if (!WriteCapturedBlock(header.data, count, now)) return;
      }
      if (m_voxOn == 1 && m_voxHang == 0) ShowVoxPaused(now);
    }
    if (const MmResult result = g_waveIn->AddBuffer(header); result != kMmNoError) {
      // The header would stay done and be written again on every pass.
      EndRecordingEarly();
      ReportWaveError("On adding buffer ..", result);
      return;
    }
    g_ringIndex = (g_ringIndex + 1) % kRingSlots;
    if (m_voxOn == 1) ShowVoxDot();
  }

  if (delivered) {
    m_ticksWithoutBlock = 0;
  } else if (++m_ticksWithoutBlock >= kStalledTickLimit) {
    EndRecordingEarly();
    m_window.MessageBox("Recording ended: the sound device stopped delivering sound",
                        CBoxKind::kError);
  }
}

// Appends one block and then its time record, so that a recording cut short at
// any moment never has a time record without its block. A failed write takes
// both files back to where they stood and ends the recording.
bool CHarkdeckDlg::WriteCapturedBlock(const std::uint8_t* block, std::uint32_t count, Time64 now) {
  if (m_bytesWritten + static_cast<std::int64_t>(count) > kMaxAudioBytes) {
    EndRecordingEarly();
    m_window.MessageBox("Recording ended: the wave file has reached the largest size it can hold",
                        CBoxKind::kOk);
    return false;
  }
  const std::int64_t waveLength = m_waveFile.Length();
  const std::int64_t timeLength = m_timeFile.Length();
  const std::string wavePath = m_recordFolder + m_waveName;
  const std::string timePath = m_recordFolder + TimeFilePathFor(m_waveName);

  errno = 0;
  const bool waveWritten = m_waveFile.Write(block, count);
  const bool timeWritten = waveWritten && WriteTimeRecord(m_timeFile, now);
  if (waveWritten && timeWritten) {
    m_bytesWritten += static_cast<std::int32_t>(count);
    return true;
  }
  const int error = errno;
  std::error_code ignored;
  if (waveLength >= 0)
    std::filesystem::resize_file(wavePath, static_cast<std::uintmax_t>(waveLength), ignored);
  if (timeLength >= 0)
    std::filesystem::resize_file(timePath, static_cast<std::uintmax_t>(timeLength), ignored);
  EndRecordingEarly();
  m_window.MessageBox(WriteFailureText("Recording ended", waveWritten ? timePath : wavePath, error),
                      CBoxKind::kError);
  return false;
}

// Ends a recording that the device or the disk will not let go on, the way the
// tick ends one whose time is up. The files are final before the caller tells
// the user why.
void CHarkdeckDlg::EndRecordingEarly() {
  m_window.SetImage(kCtlRec, kBmpRec);
  StopRecording();
}

void CHarkdeckDlg::StopRecording() {
  m_armed = 0;
  if (m_recording == 1) {
    m_recording = 0;
    ReleaseInputDevice();
    m_waveFile.Seek(0, CByteFile::COrigin::kBegin);
    WriteWaveHeader(m_waveFile, static_cast<std::uint32_t>(m_bytesWritten));
    m_waveFile.Close();
    m_timeFile.Close();
    FreeBlockBuffers();
  }
  m_window.SetMeter(0);
  if (m_voxOn == 1) m_window.SetImage(kCtlVox, kBmpVoxYellow);
  m_window.SetTitle(kRecordingEndedTitle);
}

void CHarkdeckDlg::ReportWaveError(const std::string& prefix, MmResult code) {
  const char* text = WaveErrorText(code);
  m_window.MessageBox(text != nullptr ? prefix + text : prefix, CBoxKind::kOk);
}

}  // namespace harkdeck
