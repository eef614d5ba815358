#include "tool/run_tool.h"

#include <filesystem>

#include "tool/export.h"
#include "tool/index.h"
#include "tool/info.h"
#include "tool/recording.h"
#include "tool/repair.h"
#include "tool/tool_options.h"

namespace harkdeck {

namespace {

int RunReadingCommand(const CToolOptions& options, std::ostream& out, std::ostream& err) {
  const CTimeFileNeed need =
      options.command == CToolCommand::kInfo ? CTimeFileNeed::kOptional : CTimeFileNeed::kRequired;
  CRecording recording;
  std::string error;
  if (!OpenRecording(options.wavePath, options.timePath, CByteFile::CMode::kRead, need, recording,
                     error)) {
    err << error << '\n';
    return kToolInputFault;
  }
  if (options.command != CToolCommand::kInfo) {
    for (const std::string& warning : RecordingWarnings(recording)) err << warning << '\n';
  }
  bool done = false;
  switch (options.command) {
    case CToolCommand::kIndex:
      done = WriteIndex(recording, options.format, out, error);
      break;
    case CToolCommand::kInfo:
      done = WriteInfo(recording, out, error);
      break;
    case CToolCommand::kExport:
      if (!std::filesystem::is_directory(options.outFolder)) {
        err << options.outFolder << " is no folder.\n";
        return kToolInputFault;
      }
      return (options.each ? ExportEach(recording, options.outFolder, out, err)
                           : ExportRange(recording, options.range, options.outFolder, out, err))
                 ? kToolDone
                 : kToolInputFault;
    case CToolCommand::kRepair:
    case CToolCommand::kNone:
      break;
  }
  out.flush();
  if (!done) err << error << '\n';
  return done ? kToolDone : kToolInputFault;
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments, const std::string& version,
            std::ostream& out, std::ostream& err) {
  const CToolOptions options = ParseToolOptions(arguments);
  if (options.help) {
    out << ToolUsageText();
    return kToolDone;
  }
  if (options.version) {
    out << "harkdeck-tool " << version << '\n';
    return kToolDone;
  }
  if (!options.error.empty()) {
    err << "harkdeck-tool: " << options.error << "\nTry harkdeck-tool --help.\n";
    return kToolUsageFault;
  }
  switch (options.command) {
    case CToolCommand::kRepair:
      return RepairRecording(options.wavePath, options.timePath, options.dryRun, out, err)
                 ? kToolDone
                 : kToolInputFault;
    case CToolCommand::kIndex:
    case CToolCommand::kExport:
    case CToolCommand::kInfo:
      return RunReadingCommand(options, out, err);
    case CToolCommand::kNone:
      break;
  }
  return kToolUsageFault;
}

}  // namespace harkdeck
