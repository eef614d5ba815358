#include "tool/repair.h"

#include <algorithm>
#include <cctype>

#include "files/wave_header.h"

namespace harkdeck {

CRepairPlan PlanRepair(const CRecording& recording) {
  CRepairPlan plan;
  plan.cutAudioBytes = recording.PartialBlockBytes();
  plan.audioBytes = recording.Blocks() * kBlockBytes;
  plan.audioTooLong = plan.audioBytes > kMostAudioBytes;
  plan.rewriteHeader =
      !plan.audioTooLong && (recording.audioBytesField != plan.audioBytes ||
                             recording.riffSize != plan.audioBytes + kRiffSizeOverAudio);
  if (recording.hasTimeFile) {
    const std::int64_t keptRecords = std::min(recording.Records(), recording.Blocks());
    plan.cutTimeBytes = recording.timeBytes - keptRecords * recording.recordSize;
    plan.blocksWithoutRecord = recording.Blocks() - keptRecords;
  }
  return plan;
}

std::vector<std::string> DescribeRepair(const CRecording& recording, const CRepairPlan& plan) {
  std::vector<std::string> steps;
  if (plan.cutAudioBytes > 0) {
    steps.push_back("cut the partial last block (" + std::to_string(plan.cutAudioBytes) +
                    " bytes) from " + recording.wavePath);
  }
  if (plan.rewriteHeader) {
    steps.push_back("set the header sizes from RIFF " + std::to_string(recording.riffSize) +
                    ", audio " + std::to_string(recording.audioBytesField) + " to RIFF " +
                    std::to_string(plan.audioBytes + kRiffSizeOverAudio) + ", audio " +
                    std::to_string(plan.audioBytes));
  }
  if (plan.cutTimeBytes > 0) {
    steps.push_back("drop the " + std::to_string(plan.cutTimeBytes) +
                    " bytes past the last block's time record from " + recording.timePath);
  }
  return steps;
}

namespace {

bool ApplyRepair(CRecording& recording, const CRepairPlan& plan, std::string& error) {
  const std::int64_t waveBytes = kWaveHeaderBytes + plan.audioBytes;
  if (plan.cutAudioBytes > 0 && !recording.wave.Truncate(waveBytes)) {
    error = recording.wavePath + " could not be cut.";
    return false;
  }
  if (plan.rewriteHeader &&
      (recording.wave.Seek(0, CByteFile::COrigin::kBegin) != 0 ||
       !WriteWaveHeader(recording.wave, static_cast<std::uint32_t>(plan.audioBytes)))) {
    error = "The header of " + recording.wavePath + " could not be written.";
    return false;
  }
  if (plan.cutTimeBytes > 0 && !recording.time.Truncate(recording.timeBytes - plan.cutTimeBytes)) {
    error = recording.timePath + " could not be cut.";
    return false;
  }
  // Read back what was written rather than trust it.
  if (!CheckWaveHeader(recording.wave) || recording.wave.Length() != waveBytes) {
    error = recording.wavePath + " does not read back as repaired.";
    return false;
  }
  return true;
}

}  // namespace

bool RepairRecording(const std::string& wavePath, const std::string& timePath, bool dryRun,
                     std::ostream& out, std::ostream& err) {
  CRecording recording;
  std::string error;
  const auto mode = dryRun ? CByteFile::CMode::kRead : CByteFile::CMode::kUpdate;
  if (!OpenRecording(wavePath, timePath, mode, CTimeFileNeed::kOptional, recording, error)) {
    err << error << '\n';
    return false;
  }
  const CRepairPlan plan = PlanRepair(recording);
  const std::vector<std::string> steps = DescribeRepair(recording, plan);
  if (steps.empty()) {
    out << wavePath << " needs no repair.\n";
  } else {
    for (std::string step : steps) {
      if (dryRun) {
        step = "Would " + step;
      } else {
        step[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(step[0])));
      }
      out << step << '\n';
    }
  }
  bool whole = true;
  if (!dryRun && plan.WritesSomething()) {
    if (!ApplyRepair(recording, plan, error)) {
      err << error << '\n';
      return false;
    }
    out << wavePath << " repaired.\n";
  }
  if (plan.audioTooLong) {
    err << wavePath
        << " holds more audio than a wave header can size; its header is left as it "
           "is.\n";
    whole = false;
  }
  if (!recording.hasTimeFile) {
    err << "No time file " << recording.timePath << ": the blocks cannot be dated.\n";
    whole = false;
  } else if (plan.blocksWithoutRecord > 0) {
    err << plan.blocksWithoutRecord << " blocks have no time record in " << recording.timePath
        << "; they play but cannot be dated.\n";
  }
  return whole;
}

}  // namespace harkdeck
