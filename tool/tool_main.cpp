#include <iostream>
#include <string>
#include <vector>

#include "tool/run_tool.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = harkdeck::RunTool(arguments, HARKDECK_VERSION, std::cout, std::cerr);
  std::cout.flush();
  return std::cout ? status : harkdeck::kToolInputFault;
}
