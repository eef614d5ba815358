#include "files/byte_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace harkdeck {

CByteFile::~CByteFile() { Close(); }

bool CByteFile::Open(const std::string& path, CMode mode) {
  Close();
  // Take the lock before truncating, so a file held by a running recording
  // is never emptied by a second open.
  const int flags = mode == CMode::kRead ? O_RDONLY : (O_RDWR | O_CREAT);
  // Non-blocking, so that opening a fifo by mistake returns (and is refused
  // below) instead of waiting for a writer; regular files ignore the flag.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  if (mode == CMode::kCreateWrite && ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return false;
  }
  m_fd = fd;
  return true;
}

void CByteFile::Close() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
}

std::size_t CByteFile::Read(void* buffer, std::size_t count) {
  if (m_fd < 0) return 0;
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t total = 0;
  while (total < count) {
    const ssize_t n = ::read(m_fd, out + total, count - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += static_cast<std::size_t>(n);
  }
  return total;
}

bool CByteFile::Write(const void* data, std::size_t count) {
  if (m_fd < 0) return false;
  const auto* in = static_cast<const unsigned char*>(data);
  std::size_t total = 0;
  while (total < count) {
    const ssize_t n = ::write(m_fd, in + total, count - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    total += static_cast<std::size_t>(n);
  }
  return true;
}

std::int64_t CByteFile::Seek(std::int64_t offset, COrigin origin) {
  if (m_fd < 0) return -1;
  const off_t result = ::lseek(m_fd, offset, origin == COrigin::kBegin ? SEEK_SET : SEEK_CUR);
  return result < 0 ? -1 : result;
}

std::int64_t CByteFile::Position() const {
  if (m_fd < 0) return -1;
  const off_t result = ::lseek(m_fd, 0, SEEK_CUR);
  return result < 0 ? -1 : result;
}

std::int64_t CByteFile::Length() const {
  if (m_fd < 0) return -1;
  struct stat info {};
  return ::fstat(m_fd, &info) == 0 ? info.st_size : -1;
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace harkdeck
