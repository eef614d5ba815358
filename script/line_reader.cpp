#include "script/line_reader.h"

namespace harkdeck {

CLineReader::~CLineReader() { Close(); }

bool CLineReader::Open(const std::string& /*path*/) { return false; }

void CLineReader::Close() {
  if (m_file != nullptr) {
    std::fclose(m_file);
    m_file = nullptr;
  }
}

CLineReader::CReadStatus CLineReader::ReadString(std::string* /*line*/) { return CReadStatus::kEnd; }

bool CLineReader::SeekToBegin() { return false; }

}  // namespace harkdeck
