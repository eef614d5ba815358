#pragma once

#include <string>

namespace harkdeck {

// Hands documents and programs to the desktop. Results are not reported:
// the recorder never depends on what the desktop does with them.
class IShell {
 public:
  virtual ~IShell() = default;
  virtual void OpenDocument(const std::string& path) = 0;
  virtual void Launch(const std::string& program, const std::string& parameters) = 0;
};

}  // namespace harkdeck
