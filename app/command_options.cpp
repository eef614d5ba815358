#include "app/command_options.h"

namespace harkdeck {

namespace {

constexpr char kInputWaveOption[] = "--input-wav";

}  // namespace

CCommandOptions ParseCommandOptions(const std::vector<std::string>& arguments) {
  CCommandOptions options;
  std::size_t i = 0;
  for (; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--console") {
      options.console = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == kInputWaveOption) {
      if (i + 1 == arguments.size()) {
        options.error = "--input-wav needs the name of a wave file";
        return options;
      }
      options.inputWave = arguments[++i];
    } else if (argument.rfind(std::string(kInputWaveOption) + "=", 0) == 0) {
      options.inputWave = argument.substr(sizeof kInputWaveOption);
    } else if (argument == "--") {
      ++i;
      break;
    } else if (argument.rfind("--", 0) == 0) {
      options.error = "unknown option " + argument;
      return options;
    } else {
      break;
    }
  }
  for (; i < arguments.size(); ++i) {
    if (!options.commandLine.empty()) options.commandLine += ' ';
    options.commandLine += arguments[i];
  }
  return options;
}

std::string UsageText() {
  return R"(Usage: harkdeck [OPTION]... [/script FILE]
Records a sound card's input as 8-bit mono 11025 Hz wave files, each with a
time file that dates every 0.2 s block, and plays them back with their times.

  /script FILE       run the command script FILE from start-up
  --console          use the terminal instead of a window (the default when
                     no display is available); keys are shown on screen.
                     Without a terminal, messages go to standard error with a
                     time stamp and take their default answer
  --input-wav FILE   record from FILE, played in real time through a
                     simulated sound card, instead of from the sound server
                     (8-bit or 16-bit PCM, any rate, mono or stereo)
  -h, --help         show this help and exit
      --version      show the version and exit

Recordings go to ~/Documents/Harkdeck/. Settings are kept in
$XDG_CONFIG_HOME/Ollirum/Harkdeck/1.5.conf (default ~/.config).
SIGTERM, SIGINT and SIGHUP end the program as closing the window does: a
running recording is finished first.
)";
}

}  // namespace harkdeck
