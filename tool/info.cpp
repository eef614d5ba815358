#include "tool/info.h"

#include "control/datetime_text.h"
#include "files/wave_header.h"
#include "tool/report_text.h"
#include "tool/transmissions.h"

namespace harkdeck {

namespace {

std::string SizesVerdict(const CRecording& recording) {
  if (recording.audioBytesField == kProvisionalAudioBytes &&
      recording.riffSize == kProvisionalAudioBytes + kRiffSizeOverAudio &&
      recording.AudioBytes() != kProvisionalAudioBytes) {
    return "provisional: the recording never ended; repair sets them";
  }
  if (recording.audioBytesField == recording.AudioBytes() &&
      recording.riffSize == recording.AudioBytes() + kRiffSizeOverAudio) {
    return "final";
  }
  return "do not match the " + std::to_string(recording.AudioBytes()) +
         " bytes of audio; repair sets them";
}

void WriteGapsAndSteps(CRecording& recording, std::ostream& out) {
  CTimeRecordReader reader(recording);
  Time64 previous = 0;
  Time64 time = 0;
  bool any = false;
  bool first = true;
  while (reader.Next(time)) {
    if (!first && (time - previous > kListedGapSeconds || time < previous)) {
      if (!any) out << "Gaps over a minute and clock steps back:\n";
      any = true;
      out << "  block " << reader.Block() << ": " << DateTimeText(previous) << " -> "
          << DateTimeText(time);
      if (time < previous) {
        out << "  (clock back " << FormatDuration(previous - time) << ")\n";
      } else {
        out << "  (" << FormatDuration(time - previous) << ")\n";
      }
    }
    previous = time;
    first = false;
  }
  if (!any) out << "Gaps over a minute: none\n";
}

}  // namespace

bool WriteInfo(CRecording& recording, std::ostream& out, std::string& error) {
  const CWaveFormat& f = recording.format;
  out << "Wave file     " << recording.wavePath << " (" << recording.waveBytes << " bytes)\n";
  out << "Header sizes  RIFF " << recording.riffSize << ", audio " << recording.audioBytesField
      << " (" << SizesVerdict(recording) << ")\n";
  out << "Format        tag " << f.formatTag << ", " << f.channels << " channel, "
      << f.samplesPerSec << " Hz, " << f.avgBytesPerSec << " bytes/s, alignment " << f.blockAlign
      << ", " << f.bitsPerSample << " bits, " << f.extraSize << " extra bytes\n";
  out << "Blocks        " << recording.Blocks() << " (" << BlockSecondsText(recording.Blocks())
      << " s of audio)";
  if (recording.PartialBlockBytes() != 0) {
    out << " and a partial block of " << recording.PartialBlockBytes() << " bytes";
  }
  out << '\n';
  if (!recording.hasTimeFile) {
    error = "No time file " + recording.timePath + ": the blocks cannot be dated.";
    return false;
  }
  out << "Time file     " << recording.timePath << " (" << recording.timeBytes << " bytes)\n";
  out << "Records       " << recording.Records() << " of " << recording.recordSize << " bytes";
  if (recording.timeBytes % recording.recordSize != 0) {
    out << " and " << recording.timeBytes % recording.recordSize << " bytes of a record cut short";
  }
  out << '\n';
  CRecordSummary summary;
  if (!SummariseRecords(recording, summary, error)) return false;
  if (summary.blocks == 0) {
    out << "No block has a time record\n";
    if (recording.Blocks() == 0) return true;
    error = "No block of " + recording.wavePath + " can be dated.";
    return false;
  }
  out << "First         " << DateTimeText(summary.first) << '\n';
  out << "Last          " << DateTimeText(summary.last) << '\n';
  out << "Transmissions " << summary.transmissions << '\n';
  WriteGapsAndSteps(recording, out);
  return true;
}

}  // namespace harkdeck
