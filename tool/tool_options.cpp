#include "tool/tool_options.h"

#include <stdexcept>

#include "control/datetime_text.h"

namespace harkdeck {

namespace {

CToolCommand CommandNamed(const std::string& name) {
  if (name == "index") return CToolCommand::kIndex;
  if (name == "export") return CToolCommand::kExport;
  if (name == "repair") return CToolCommand::kRepair;
  if (name == "info") return CToolCommand::kInfo;
  return CToolCommand::kNone;
}

// A local date-time in the accepted form, or a message in error.
std::optional<Time64> DateTimeArgument(const std::string& option, const std::string& text,
                                       std::string& error) {
  const auto fields = ParseDateTimeText(text.c_str());
  if (!fields) {
    error = option + " wants a date-time such as \"2026-07-03 14:05:00\", not \"" + text + "\".";
    return std::nullopt;
  }
  try {
    return LocalTimeFromFields(fields->year, fields->month, fields->day, fields->hour,
                               fields->minute, fields->second);
  } catch (const std::invalid_argument& invalid) {
    error = option + " \"" + text + "\": " + invalid.what();
    return std::nullopt;
  }
}

bool LooksLikeDateOnly(const std::string& text) {
  return text.find(':') == std::string::npos && text.find('-') != std::string::npos;
}

bool LooksLikeTimeOfDay(const std::string& text) {
  return !text.empty() && text[0] != '-' && text.find(':') != std::string::npos;
}

}  // namespace

CToolOptions ParseToolOptions(const std::vector<std::string>& arguments) {
  CToolOptions options;
  if (arguments.empty()) {
    options.error = "Name a command: index, export, repair or info.";
    return options;
  }
  std::size_t at = 0;
  if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
    options.help = true;
    return options;
  }
  if (arguments[0] == "--version") {
    options.version = true;
    return options;
  }
  options.command = CommandNamed(arguments[at++]);
  if (options.command == CToolCommand::kNone) {
    options.error = "Unknown command \"" + arguments[0] + "\"; the commands are index, export, " +
                    "repair and info.";
    return options;
  }
  const CToolCommand command = options.command;
  auto wrongCommand = [&](const std::string& option, const char* owner) {
    options.error = option + " belongs to " + owner + ".";
  };

  while (at < arguments.size() && options.error.empty()) {
    std::string argument = arguments[at++];
    std::string value;
    bool hasValue = false;
    if (argument.rfind("--", 0) == 0) {
      const std::size_t equals = argument.find('=');
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
        argument.resize(equals);
        hasValue = true;
      }
    }
    auto takeValue = [&]() -> bool {
      if (hasValue) return true;
      if (at >= arguments.size()) {
        options.error = argument + " wants a value.";
        return false;
      }
      value = arguments[at++];
      return true;
    };

    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--time") {
      if (takeValue()) options.timePath = value;
    } else if (argument == "--csv" || argument == "--json" || argument == "--labels") {
      if (command != CToolCommand::kIndex) {
        wrongCommand(argument, "index");
      } else {
        options.format = argument == "--csv"    ? CIndexFormat::kCsv
                         : argument == "--json" ? CIndexFormat::kJson
                                                : CIndexFormat::kLabels;
      }
    } else if (argument == "--from" || argument == "--to") {
      if (command != CToolCommand::kExport) {
        wrongCommand(argument, "export");
      } else if (takeValue()) {
        if (!hasValue && LooksLikeDateOnly(value) && at < arguments.size() &&
            LooksLikeTimeOfDay(arguments[at])) {
          value += " " + arguments[at++];
        }
        const auto time = DateTimeArgument(argument, value, options.error);
        (argument == "--from" ? options.range.from : options.range.to) = time;
      }
    } else if (argument == "--each") {
      if (command != CToolCommand::kExport) {
        wrongCommand(argument, "export");
      } else {
        options.each = true;
      }
    } else if (argument == "--out") {
      if (command != CToolCommand::kExport) {
        wrongCommand(argument, "export");
      } else if (takeValue()) {
        options.outFolder = value;
      }
    } else if (argument == "--dry-run") {
      if (command != CToolCommand::kRepair) {
        wrongCommand(argument, "repair");
      } else {
        options.dryRun = true;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      options.error = "Unknown option " + argument + ".";
    } else if (!options.wavePath.empty()) {
      options.error = "One wave file at a time: \"" + argument + "\" is one too many.";
    } else {
      options.wavePath = argument;
    }
  }
  if (!options.error.empty() || options.help) return options;

  if (options.wavePath.empty()) {
    options.error = "Name the wave file of a recording.";
  } else if (command == CToolCommand::kExport) {
    const bool ranged = options.range.from || options.range.to;
    if (ranged == options.each) {
      options.error = "export wants either --from and --to (one may be left out) or --each.";
    } else if (options.range.from && options.range.to && *options.range.to <= *options.range.from) {
      options.error = "--to must be later than --from.";
    }
  }
  return options;
}

std::string ToolUsageText() {
  return R"(Usage: harkdeck-tool COMMAND [OPTIONS] WAVE-FILE

Lists, cuts out and repairs Harkdeck recordings (a wave file and the time file
beside it that dates every 0.2 s block), without a window or a sound server.
Date-times are local time.

Commands:
  index WAVE-FILE   The transmissions: runs of blocks whose time records step by
                    at most one second, each with its start and end date-time,
                    its length in seconds and its offset in the wave file; then
                    the talk time per hour and the totals.
      --csv         One line per transmission, comma-separated, after a line of
                    column names.
      --json        All of it as one JSON object.
      --labels      A label track for an audio editor: start and end in seconds
                    of the audio, and the start date-time, tab-separated.
  export WAVE-FILE  Copies blocks to new recordings that any player opens, each
                    with a final header and its own time file, named MMDDhhmmss
                    from its first block's date-time as recordings are.
      --from "YYYY-MM-DD hh:mm:ss"
                    The first second to export (default: the start).
      --to "YYYY-MM-DD hh:mm:ss"
                    The first second not to export (default: the end).
      --each        Every transmission to a recording of its own.
      --out FOLDER  Where the recordings go (default: the current folder).
                    Existing files are never overwritten.
  repair WAVE-FILE  Mends a recording that never ended (the program was killed,
                    the power failed): cuts a partial last block, sets the
                    header's sizes to match the audio, drops time records past
                    the last block and says how many blocks lack one. Writes
                    nothing when nothing is wrong, and refuses files that are
                    not Harkdeck recordings.
      --dry-run     Says what it would do and writes nothing.
  info WAVE-FILE    Header fields, blocks, time records and their width, first
                    and last date-time, gaps over a minute, clock steps back.

Every command:
  --time FILE       The time file (default: the wave file's path with every
                    "wav" in it made "tim").
  --help            This text.
  --version         The version.

Exit status: 0 done; 1 the recording is foreign, damaged, missing or in use, or
nothing could be written; 2 the command line is wrong.
)";
}

}  // namespace harkdeck
