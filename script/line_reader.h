#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace harkdeck {

// Reads a script a line at a time: at most 254 characters a read, the line
// feed kept when it fits, CR LF read as LF. Opened without sharing.
class CLineReader {
 public:
  enum class CReadStatus { kLine, kEnd, kError };

  CLineReader() = default;
  ~CLineReader();
  CLineReader(const CLineReader&) = delete;
  CLineReader& operator=(const CLineReader&) = delete;

  bool Open(const std::string& path);
  bool IsOpen() const { return m_file != nullptr; }
  void Close();
  CReadStatus ReadString(std::string* line);
  bool SeekToBegin();

 private:
  std::FILE* m_file = nullptr;
};

}  // namespace harkdeck
