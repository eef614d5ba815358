#include "platform/posix/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace harkdeck {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() {
    folder = std::filesystem::temp_directory_path() /
             ("harkdeck-settings-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    path = (folder / "Ollirum/Harkdeck/1.5.conf").string();
  }
  ~SettingsFileTest() override { std::filesystem::remove_all(folder); }

  void WriteFile(const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
  }
  std::string ReadFile() const {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path folder;
  std::string path;
};

TEST_F(SettingsFileTest, FirstOpenCreatesAnEmptyKeyAndWritesSurviveReopen) {
  CSettingsFile store(path);
  bool existed = true;
  ASSERT_TRUE(store.OpenKey(&existed));
  EXPECT_FALSE(existed);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(store.ReadInt("soundcard"), std::nullopt);
  store.WriteInt("soundcard", -1);
  store.WriteInt("levelslider", 42);
  ASSERT_TRUE(store.CloseKey());

  CSettingsFile again(path);
  ASSERT_TRUE(again.OpenKey(&existed));
  EXPECT_TRUE(existed);
  EXPECT_EQ(again.ReadInt("soundcard"), -1);
  EXPECT_EQ(again.ReadInt("levelslider"), 42);
  EXPECT_NE(ReadFile().find("SOFTWARE\\Ollirum\\Harkdeck\\1.5"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(SettingsFileTest, MalformedValuesReadAsMissing) {
  WriteFile("soundcard=two\nlevelslider=99999999999\nother\n=5\nx=12abc\ny= 7 \n");
  CSettingsFile store(path);
  bool existed = false;
  ASSERT_TRUE(store.OpenKey(&existed));
  EXPECT_TRUE(existed);
  EXPECT_EQ(store.ReadInt("soundcard"), std::nullopt);
  EXPECT_EQ(store.ReadInt("levelslider"), std::nullopt);
  EXPECT_EQ(store.ReadInt("x"), std::nullopt);
  EXPECT_EQ(store.ReadInt("y"), 7);
}

TEST_F(SettingsFileTest, KeyThatIsAFolderCannotBeOpened) {
  std::filesystem::create_directories(path);
  CSettingsFile store(path);
  bool existed = false;
  EXPECT_FALSE(store.OpenKey(&existed));
}

TEST_F(SettingsFileTest, BinaryGarbageIsSurvived) {
  static const char kGarbage[] = "\0\xff\xfe=\x01\nsoundcard=1\n";
  WriteFile(std::string(kGarbage, sizeof kGarbage - 1));
  CSettingsFile store(path);
  bool existed = false;
  ASSERT_TRUE(store.OpenKey(&existed));
  EXPECT_EQ(store.ReadInt("soundcard"), 1);
}

}  // namespace
}  // namespace harkdeck
