#include "platform/console/console_panel.h"

#include <algorithm>

#include "panel/panel_ids.h"
#include "platform/console/console_keys.h"

namespace harkdeck {

namespace {

char GlyphOf(const CConsolePanel& panel, int controlId) {
  const auto found = panel.images.find(controlId);
  if (found == panel.images.end()) return '0';
  const int bitmap = found->second;
  if (bitmap == kBmpDigit0) return '0';
  if (bitmap >= kBmpDigit0 + 3 && bitmap <= kBmpDigit0 + 11) {
    return static_cast<char>('1' + bitmap - (kBmpDigit0 + 3));
  }
  if (bitmap == kBmpDash) return '-';
  if (bitmap == kBmpColon) return ':';
  return ' ';
}

std::string Glyphs(const CConsolePanel& panel, int first, int count) {
  std::string text;
  for (int id = first; id < first + count; ++id) text += GlyphOf(panel, id);
  return text;
}

std::string LevelBar(int level, int cells) {
  const int clamped = std::clamp(level, 0, 100);
  const int lit = clamped * cells / 100;
  return "[" + std::string(static_cast<std::size_t>(lit), '#') +
         std::string(static_cast<std::size_t>(cells - lit), '.') + "]";
}

std::string TextOf(const CConsolePanel& panel, int controlId) {
  const auto found = panel.texts.find(controlId);
  return found == panel.texts.end() ? std::string() : found->second;
}

// Lays the key legend out in lines no wider than the terminal.
void AppendKeyLegend(std::vector<std::string>* lines, int width) {
  std::string line;
  auto add = [&](const std::string& item) {
    if (!line.empty() && static_cast<int>(line.size() + 2 + item.size()) > width) {
      lines->push_back(line);
      line.clear();
    }
    if (!line.empty()) line += "  ";
    line += item;
  };
  for (const CConsoleKey& key : ConsoleKeys())
    add(std::string(1, key.key) + " " + std::string(key.label));
  add(std::string(1, kSliderDownKey) + std::string(1, kSliderUpKey) + " vox level");
  add("q close");
  if (!line.empty()) lines->push_back(line);
}

}  // namespace

std::string ReadoutText(const CConsolePanel& panel, int firstControl) {
  if (firstControl == kCtlNowFirst) {
    return Glyphs(panel, kCtlNowFirst, 4) + "-" + Glyphs(panel, kCtlNowFirst + 4, 2) + "-" +
           Glyphs(panel, kCtlNowFirst + 6, 2) + " " + Glyphs(panel, kCtlNowFirst + 8, 2) + ":" +
           Glyphs(panel, kCtlNowFirst + 10, 2) + ":" + Glyphs(panel, kCtlNowFirst + 12, 2);
  }
  return Glyphs(panel, kCtlYear1000, 4) + GlyphOf(panel, kCtlSeparator1) +
         Glyphs(panel, kCtlMonth10, 2) + GlyphOf(panel, kCtlSeparator2) +
         Glyphs(panel, kCtlDay10, 2) + " " + Glyphs(panel, kCtlHour10, 2) + ":" +
         Glyphs(panel, kCtlMinute10, 2) + ":" + Glyphs(panel, kCtlSecond10, 2);
}

std::string ModeLabel(const CConsolePanel& panel) {
  const auto found = panel.images.find(kCtlMode);
  switch (found == panel.images.end() ? kBmpModeBegin : found->second) {
    case kBmpModeEnd:
      return "End";
    case kBmpModeDuration:
      return "Duration";
    case kBmpModeCountdown:
      return "Countdown";
    case kBmpModeRecorded:
      return "Recorded";
    default:
      return "Begin";
  }
}

std::vector<std::string> RenderPanel(const CConsolePanel& panel, int width) {
  std::vector<std::string> lines;
  lines.push_back(panel.title);
  lines.push_back("  Now        " + ReadoutText(panel, kCtlNowFirst));
  std::string mode = ModeLabel(panel);
  mode.resize(11, ' ');
  lines.push_back("  " + mode + ReadoutText(panel, kCtlYear1000) + "   step " +
                  TextOf(panel, kCtlStepText));
  lines.push_back("  State " + panel.state + "   Vox " + (panel.voxOn ? "on" : "off") +
                  "   Script " + (panel.scriptActive ? "running" : "none"));
  lines.push_back("  Level " + LevelBar(panel.meter, 20) + " " + std::to_string(panel.meter) +
                  "   Vox level " + std::to_string(panel.slider));
  lines.push_back("  " + TextOf(panel, kCtlStatus));
  lines.emplace_back();
  AppendKeyLegend(&lines, width);
  return lines;
}

}  // namespace harkdeck
