#pragma once

#include <string>
#include <vector>

namespace harkdeck {

// The program's own options, read before the recorder's command line.
struct CCommandOptions {
  bool console = false;
  bool help = false;
  bool version = false;
  // A wave file to play into a simulated sound card instead of recording one.
  std::string inputWave;
  // What follows the options, as the recorder reads it ("/script FILE").
  std::string commandLine;
  // Set when the arguments cannot be used; says what is wrong.
  std::string error;
};

// Options come first; the first argument that is not one of ours starts the
// recorder's command line, which is passed on joined by blanks.
CCommandOptions ParseCommandOptions(const std::vector<std::string>& arguments);

// What --help prints.
std::string UsageText();

}  // namespace harkdeck
