#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace harkdeck {

// A fresh folder per test, removed afterwards.
class CTempFolder {
 public:
  CTempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "harkdeck-" + std::to_string(::getpid()) + "-" + info->test_suite_name() +
                       "-" + info->name();
    for (char& c : name) c = c == '/' ? '_' : c;
    m_path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~CTempFolder() { std::filesystem::remove_all(m_path); }
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  std::string Path(const std::string& name) const { return (m_path / name).string(); }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path m_path;
};

}  // namespace harkdeck
