#include "recording/block_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "recording/wave_format.h"

namespace harkdeck {
namespace {

struct CLevelCase {
  const char* name;
  std::vector<std::uint8_t> pattern;  // repeated over a full block
  double level;
  int meter;
};

std::vector<std::uint8_t> Block(const std::vector<std::uint8_t>& pattern) {
  std::vector<std::uint8_t> block(kBlockBytes);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = pattern[i % pattern.size()];
  return block;
}

TEST(BlockLevelTest, LevelsAndMeterPositions) {
  const CLevelCase cases[] = {
      {"silence", {128}, 0.0, 0},
      {"rms exactly 1", {127, 129}, 0.0, 0},
      {"rms below 1", {128, 128, 128, 129}, 0.0, 0},
      {"rms 2", {126, 130}, 15.0413, 15},
      {"rms 10", {138}, 49.9661, 49},
      {"rms 10 either side of silence", {118, 138}, 49.9661, 49},
      {"rms 20", {108, 148}, 65.0074, 65},
      {"rms 100", {228}, 99.9322, 99},
      {"rms 127.5, full swing", {0, 255}, 99.9322, 99},
  };
  for (const auto& c : cases) {
    const auto block = Block(c.pattern);
    const double level = BlockLevel(block.data(), static_cast<std::uint32_t>(block.size()));
    EXPECT_NEAR(level, c.level, 1e-4) << c.name;
    EXPECT_EQ(MeterPosition(level), c.meter) << c.name;
  }
}

TEST(BlockLevelTest, OnlyTheRecordedBytesCount) {
  std::vector<std::uint8_t> block(kBlockBytes, 0);
  for (int i = 0; i < 100; ++i) block[static_cast<std::size_t>(i)] = 138;
  EXPECT_NEAR(BlockLevel(block.data(), 100), 49.9661, 1e-4);
}

TEST(BlockLevelTest, EmptyBlockIsSilent) {
  const std::uint8_t byte = 0;
  EXPECT_EQ(BlockLevel(&byte, 0), 0.0);
}

}  // namespace
}  // namespace harkdeck
