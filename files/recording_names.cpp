#include "files/recording_names.h"

#include <cstdio>
#include <ctime>

#include "control/datetime_text.h"

namespace harkdeck {

namespace {

std::string RecordingFileName(Time64 beginTime, const char* extension) {
  std::tm fields{};
  if (!BreakDownLocalTime(beginTime, fields)) return {};
  char name[32];
  std::snprintf(name, sizeof name, "%02d%02d%02d%02d%02d.%s", fields.tm_mon + 1, fields.tm_mday,
                fields.tm_hour, fields.tm_min, fields.tm_sec, extension);
  return name;
}

}  // namespace

std::string WaveFileName(Time64 beginTime) { return RecordingFileName(beginTime, "wav"); }

std::string TimeFileName(Time64 beginTime) { return RecordingFileName(beginTime, "tim"); }

std::string TimeFilePathFor(const std::string& wavePath) {
  std::string path = wavePath;
  for (std::size_t at = path.find("wav"); at != std::string::npos; at = path.find("wav", at + 3)) {
    path.replace(at, 3, "tim");
  }
  return path;
}

}  // namespace harkdeck
