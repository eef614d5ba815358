#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "control/datetime_text.h"
#include "tests/unit/temp_folder.h"
#include "tests/unit/tool_recording_builder.h"
#include "tool/recording.h"
#include "tool/transmissions.h"

namespace harkdeck {

// 2026-07-03 14:05:09 in the tests' time zone, UTC.
inline const Time64 kT0 = LocalTimeFromFields(2026, 7, 3, 14, 5, 9);

// A Vox recording with every kind of gap: a pause the gate left out, a gate
// that closed and opened again within a second, a clock set back an hour and
// a two-hour silence.
inline std::vector<Time64> GappyStamps() {
  return Joined({Stamps(kT0, 12), Stamps(kT0 + 8, 7), Stamps(kT0 + 10, 6), Stamps(kT0 - 3600, 10),
                 Stamps(kT0 + 7200, 5)});
}

// The transmissions made in GappyStamps.
inline std::vector<CTransmission> GappyTransmissions() {
  return {{0, 12, kT0, kT0 + 2},
          {12, 13, kT0 + 8, kT0 + 11},
          {25, 10, kT0 - 3600, kT0 - 3599},
          {35, 5, kT0 + 7200, kT0 + 7200}};
}

class CToolTest : public ::testing::Test {
 protected:
  std::string WavePath(const std::string& name = "0703140509.wav") const {
    return folder.Path(name);
  }
  std::string TimePath(const std::string& name = "0703140509.tim") const {
    return folder.Path(name);
  }
  void Build(const std::vector<Time64>& stamps, const CBuildOptions& options = {}) {
    BuildRecording(WavePath(), TimePath(), stamps, options);
  }
  // Opens the built recording for reading; fails the test when it cannot.
  void Open(CRecording& recording) {
    std::string error;
    ASSERT_TRUE(OpenRecording(WavePath(), "", CByteFile::CMode::kRead, CTimeFileNeed::kRequired,
                              recording, error))
        << error;
  }

  CTempFolder folder;
};

}  // namespace harkdeck
