#include <cstdint>
#include <vector>

#include "panel/panel_ids.h"
#include "tests/unit/capture_fixture.h"

namespace harkdeck::test {
namespace {

constexpr char kPaused[] = "Recording paused by Vox level";
constexpr char kResumed[] = "Recording resumed";
constexpr std::uint8_t kQuiet = 130;  // rms 2, level 15.04
constexpr std::uint8_t kLoud = 200;   // rms 72, level 92.8

class VoxGateTest : public CCaptureFixture {};

TEST_F(VoxGateTest, SliderThresholds) {
  struct CCase {
    int slider;
    std::uint8_t value;
    bool opens;
  };
  const CCase cases[] = {
      {100, 128, false},                    // threshold 0: pure silence never opens
      {100, 129, false},                    // rms 1 is level 0, not above 0
      {100, 130, true},                     // rms 2 opens
      {0, 0, false},                        // threshold 100: the loudest block stays below
      {0, 255, false},   {50, 138, false},  // rms 10: level 49.97
      {50, 139, true},                      // rms 11: level 52.03
      {50, 118, false},  {50, 117, true},
  };
  for (const auto& c : cases) {
    window.slider = c.slider;
    dlg->m_voxHang = 0;
    const std::vector<std::uint8_t> block(kBlockBytes, c.value);
    dlg->UpdateVoxGate(dlg->MeasureBlockLevel(block.data(), kBlockBytes), kT);
    EXPECT_EQ(dlg->m_voxHang, c.opens ? 5 : 0)
        << "slider " << c.slider << ", byte " << int{c.value};
  }
}

TEST_F(VoxGateTest, MeterShowsTheLastBlockOfATick) {
  StartRecordingNow();
  DeliverAndTick({128 + 100, 128 + 10}, kT + 2);
  EXPECT_EQ(window.meter, 49);
  DeliverAndTick({128 + 10, 128 + 100}, kT + 3);
  EXPECT_EQ(window.meter, 99);
  DeliverAndTick({128}, kT + 4);
  EXPECT_EQ(window.meter, 0);
}

TEST_F(VoxGateTest, LoudBlockKeepsTheGateOpenForFourMore) {
  window.slider = 50;
  dlg->m_voxOn = 1;
  StartRecordingNow();

  struct CStep {
    std::uint8_t value;
    int hang;
    bool written;
    int dot;
  };
  const CStep steps[] = {
      {kLoud, 5, true, kBmpVoxGreen},  {kQuiet, 4, true, kBmpVoxGreen},
      {kQuiet, 3, true, kBmpVoxGreen}, {kQuiet, 2, true, kBmpVoxGreen},
      {kQuiet, 1, true, kBmpVoxGreen}, {kQuiet, 0, false, kBmpVoxRed},
      {kQuiet, 0, false, kBmpVoxRed},  {kLoud, 5, true, kBmpVoxGreen},
  };
  std::vector<std::uint8_t> expectedBlocks;
  Time64 now = kT + 2;
  for (const auto& step : steps) {
    DeliverAndTick({step.value}, now);
    if (step.written) expectedBlocks.push_back(step.value);
    EXPECT_EQ(dlg->m_voxHang, step.hang);
    EXPECT_EQ(window.Image(kCtlVox), step.dot);
    EXPECT_EQ(BlockValues(), expectedBlocks);
    EXPECT_EQ(TimeRecords().size(), expectedBlocks.size());
    if (step.hang == 0) {
      EXPECT_EQ(window.Text(kCtlStatus), kPaused);
      EXPECT_EQ(window.Image(kCtlMarker), kBmpMarkerLit);
      EXPECT_EQ(dlg->m_statusTime, now);
    }
    ++now;
  }
  EXPECT_EQ(window.Text(kCtlStatus), kResumed);
  EXPECT_EQ(dlg->m_statusTime, now - 1);

  dlg->m_endTime = now;
  TickAt(now + 1);
  EXPECT_EQ(dlg->m_recording, 0);
  EXPECT_EQ(window.Image(kCtlVox), kBmpVoxYellow);
  EXPECT_EQ(window.meter, 0);
  const auto wave = ReadBytes(WavePath());
  EXPECT_EQ(U32At(wave, 42), 6 * kBlockBytes);
  EXPECT_EQ(wave.size(), kHeaderBytes + 6 * kBlockBytes);
}

TEST_F(VoxGateTest, PausedTextOutlivesTheSixSecondClearingWhileTheGateStaysShut) {
  window.slider = 50;
  dlg->m_voxOn = 1;
  StartRecordingNow();
  for (Time64 now = kT + 2; now < kT + 12; ++now) DeliverAndTick({kQuiet}, now);
  EXPECT_EQ(window.Text(kCtlStatus), kPaused);
  EXPECT_TRUE(BlockValues().empty());
  EXPECT_TRUE(TimeRecords().empty());

  DeliverAndTick({kLoud}, kT + 12);
  EXPECT_EQ(window.Text(kCtlStatus), kResumed);
  TickAt(kT + 17);
  EXPECT_EQ(window.Text(kCtlStatus), kResumed);
  TickAt(kT + 18);
  EXPECT_EQ(window.Text(kCtlStatus), "");
}

TEST_F(VoxGateTest, FirstBlockOfARecordingUsesTheHangLeftFromBefore) {
  struct CCase {
    int hangBefore;
    bool written;
  };
  for (const auto& c : {CCase{0, false}, CCase{3, true}}) {
    window.slider = 50;
    dlg->m_voxOn = 1;
    dlg->m_voxHang = c.hangBefore;
    StartRecordingNow();
    DeliverAndTick({kQuiet}, kT + 2);
    EXPECT_EQ(BlockValues().size(), c.written ? 1u : 0u) << "hang " << c.hangBefore;
    dlg->m_endTime = kT + 2;
    TickAt(kT + 3);
    ASSERT_EQ(dlg->m_recording, 0);
  }
}

TEST_F(VoxGateTest, WithVoxOffEveryBlockIsWrittenYetTheHangFollowsTheLevel) {
  window.slider = 50;
  StartRecordingNow();
  dlg->SetStatus(kPaused);
  DeliverAndTick({kQuiet, kQuiet}, kT + 2);
  EXPECT_EQ(dlg->m_voxHang, 0);
  EXPECT_EQ(window.Text(kCtlStatus), kPaused) << "no pause is shown with Vox off";
  DeliverAndTick({kLoud, kQuiet}, kT + 3);
  EXPECT_EQ(dlg->m_voxHang, 4);
  EXPECT_EQ(window.Text(kCtlStatus), kResumed);
  EXPECT_EQ(BlockValues(), (std::vector<std::uint8_t>{kQuiet, kQuiet, kLoud, kQuiet}));
  EXPECT_EQ(TimeRecords(), (std::vector<Time64>{kT + 2, kT + 2, kT + 3, kT + 3}));
}

}  // namespace
}  // namespace harkdeck::test
