#include "tool/report_text.h"

#include <cinttypes>
#include <cstdio>

#include "control/datetime_text.h"
#include "recording/wave_format.h"

namespace harkdeck {

std::string DateTimeText(Time64 t) {
  std::string text = FormatDateTime(t);
  if (text.empty()) text = "(time " + std::to_string(t) + ")";
  return text;
}

std::string BlockSecondsText(std::int64_t blocks) {
  char text[48];
  std::snprintf(text, sizeof text, "%" PRId64 ".%" PRId64, blocks / kBlocksPerSecond,
                blocks % kBlocksPerSecond * 2);
  return text;
}

std::string LabelSecondsText(std::int64_t blocks) {
  char text[48];
  std::snprintf(text, sizeof text, "%" PRId64 ".%06" PRId64, blocks / kBlocksPerSecond,
                blocks % kBlocksPerSecond * 200000);
  return text;
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[16];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          quoted += escaped;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

}  // namespace harkdeck
