#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace harkdeck::test {

class CFakeShell final : public IShell {
 public:
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void Launch(const std::string& program, const std::string& parameters) override {
    launched.emplace_back(program, parameters);
  }

  std::vector<std::string> opened;
  std::vector<std::pair<std::string, std::string>> launched;
};

}  // namespace harkdeck::test
