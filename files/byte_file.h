#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace harkdeck {

// A byte-stream file opened without sharing: an exclusive lock is taken at
// open and the open fails while anyone else, this process included, holds it.
// Closed by its destruction.
class CByteFile {
 public:
  enum class CMode { kCreateWrite, kRead, kUpdate };
  enum class COrigin { kBegin, kCurrent };

  CByteFile() = default;
  ~CByteFile();
  CByteFile(const CByteFile&) = delete;
  CByteFile& operator=(const CByteFile&) = delete;

  // kCreateWrite creates the file or truncates an existing one; kRead needs a
  // regular file that exists; kUpdate opens one that exists for reading and
  // writing and keeps its content.
  bool Open(const std::string& path, CMode mode);
  bool IsOpen() const { return m_fd >= 0; }
  void Close();

  // Bytes read; 0 at the end of the file or on failure.
  std::size_t Read(void* buffer, std::size_t count);
  // True only when every byte was written.
  bool Write(const void* data, std::size_t count);
  // The new position, or -1 when the file is not open or the seek fails.
  std::int64_t Seek(std::int64_t offset, COrigin origin);
  // -1 when the file is not open.
  std::int64_t Position() const;
  std::int64_t Length() const;
  // Cuts or extends the file to length bytes; the position stays. False when
  // the file is not open for writing or the change fails.
  bool Truncate(std::int64_t length);

 private:
  int m_fd = -1;
};

// Size of a file from the file system, or nothing when it cannot be read.
std::optional<std::uint64_t> FileSize(const std::string& path);

}  // namespace harkdeck
