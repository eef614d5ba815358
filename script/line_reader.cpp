#include "script/line_reader.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace harkdeck {

namespace {
// A read fills a buffer of 255 with its terminating NUL: 254 characters.
constexpr std::size_t kPieceChars = 254;
}  // namespace

CLineReader::~CLineReader() { Close(); }

bool CLineReader::Open(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // Not shared: the exclusive lock keeps every other opener out, a second
  // open in this process included.
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  m_file = ::fdopen(fd, "r");
  if (m_file == nullptr) {
    ::close(fd);
    return false;
  }
  return true;
}

void CLineReader::Close() {
  if (m_file != nullptr) {
    std::fclose(m_file);
    m_file = nullptr;
  }
}

CLineReader::CReadStatus CLineReader::ReadString(std::string* line) {
  line->clear();
  if (m_file == nullptr) return CReadStatus::kError;
  while (line->size() < kPieceChars) {
    int c = std::getc(m_file);
    if (c == EOF) break;
    // Text mode: CR LF is one line feed, wherever the piece boundary falls.
    if (c == '\r') {
      const int next = std::getc(m_file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, m_file);
      }
    }
    line->push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  if (std::ferror(m_file) != 0) {
    std::clearerr(m_file);
    line->clear();
    return CReadStatus::kError;
  }
  return line->empty() ? CReadStatus::kEnd : CReadStatus::kLine;
}

bool CLineReader::SeekToBegin() {
  if (m_file == nullptr) return false;
  return std::fseek(m_file, 0, SEEK_SET) == 0;
}

}  // namespace harkdeck
