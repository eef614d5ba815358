#include "platform/console/console_keys.h"

#include <algorithm>

#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

constexpr CConsoleKey kKeys[] = {
    {'a', kCtlArm, false, "arm"},          {'r', kCtlRec, false, "rec"},
    {'s', kCtlStop, false, "stop"},        {'p', kCtlPlay, false, "play"},
    {'v', kCtlVox, false, "vox"},          {'m', kCtlMode, false, "mode"},
    {'e', kCtlEditBar, false, "edit"},     {'<', kCtlBack, false, "back"},
    {'>', kCtlForward, false, "forward"},  {'g', kCtlForward, true, "go to time"},
    {'-', kCtlHalveStep, false, "step/2"}, {'+', kCtlDoubleStep, false, "step*2"},
    {'k', kCtlScript, false, "script"},    {'o', kCtlSource, false, "sound card"},
    {'h', kCtlHelp, false, "help"},        {'x', kCtlExit, false, "exit"},
};

}  // namespace

std::span<const CConsoleKey> ConsoleKeys() { return kKeys; }

const CConsoleKey* FindConsoleKey(char key) {
  const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                   [key](const CConsoleKey& k) { return k.key == key; });
  return found == std::end(kKeys) ? nullptr : found;
}

}  // namespace harkdeck
