#include "platform/posix/settings_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/home_path.h"

namespace harkdeck {

namespace {

constexpr const char* kKeyLine = "[HKEY_CURRENT_USER\\SOFTWARE\\Ollirum\\Harkdeck\\1.5]";

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool WriteWhole(const std::string& path, const std::string& content) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const bool ok = done == content.size() && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace

CSettingsFile::CSettingsFile(std::string path) : m_path(std::move(path)) {}

std::string CSettingsFile::DefaultPath() {
  return UserConfigFolder() + "/Ollirum/Harkdeck/1.5.conf";
}

bool CSettingsFile::OpenKey(bool* existedBefore) {
  m_values.clear();
  m_dirty = false;
  std::error_code error;
  const auto status = std::filesystem::status(m_path, error);
  if (std::filesystem::exists(status)) {
    if (!std::filesystem::is_regular_file(status)) return false;
    std::ifstream in(m_path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
      const auto equals = line.find('=');
      if (line.empty() || line[0] == '[' || line[0] == '#' || equals == std::string::npos) continue;
      m_values[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
    }
    *existedBefore = true;
    return true;
  }
  std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), error);
  *existedBefore = false;
  return WriteWhole(m_path, std::string(kKeyLine) + "\n");
}

std::optional<std::int32_t> CSettingsFile::ReadInt(const std::string& name) {
  const auto found = m_values.find(name);
  if (found == m_values.end()) return std::nullopt;
  const std::string& text = found->second;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

void CSettingsFile::WriteInt(const std::string& name, std::int32_t value) {
  m_values[name] = std::to_string(value);
  m_dirty = true;
}

bool CSettingsFile::CloseKey() {
  if (!m_dirty) return true;
  m_dirty = false;
  std::ostringstream out;
  out << kKeyLine << '\n';
  for (const auto& [name, value] : m_values) out << name << '=' << value << '\n';
  const std::string temporary = m_path + ".new";
  if (!WriteWhole(temporary, out.str())) {
    std::remove(temporary.c_str());
    return false;
  }
  return std::rename(temporary.c_str(), m_path.c_str()) == 0;
}

}  // namespace harkdeck
