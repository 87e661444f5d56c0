#include "engine/shell/dialog_templates.h"

namespace bv {
namespace {

constexpr int kDisplayGroup = 1;
constexpr int kLanguageGroup = 2;

std::vector<BvDialogTemplate> MakeTemplates() {
  using K = BvControlKind;
  BvDialogTemplate config{kConfigTemplate, "Configuration", {}};
  config.controls = {
      {kControlDisplayLabel, K::Label, "Default display mode"},
      {kControlFullScreen, K::Radio, "Full screen mode", kDisplayGroup},
      {kControlWindow, K::Radio, "Window mode", kDisplayGroup},
      {kControlModeHint, K::Label, "(Use F1 to change mode during the game.)"},
      {kControlPlay, K::Button, "Play !"},
      {kControlQuit, K::Button, "Quit"},
  };
  BvDialogTemplate language{kConfigLangTemplate, "Configuration", {}};
  language.controls = {
      {kControlLanguageLabel, K::Label, "Select country"},
      {kControlFrench, K::Radio, "Français", kLanguageGroup},
      {kControlEnglish, K::Radio, "English", kLanguageGroup},
      {kControlSpanish, K::Radio, "Español", kLanguageGroup},
      {kControlDisplayLabel, K::Label, "Default display mode"},
      {kControlFullScreen, K::Radio, "Full screen mode", kDisplayGroup},
      {kControlWindow, K::Radio, "Window mode", kDisplayGroup},
      {kControlModeHint, K::Label, "(Use F1 to change mode during the game.)"},
      {kControlPlay, K::Button, "Play!"},
      {kControlQuit, K::Button, "Quit"},
  };
  return {config, language};
}

}  // namespace

const BvDialogTemplate* FindDialogTemplate(uint16_t id) {
  static const std::vector<BvDialogTemplate> templates = MakeTemplates();
  for (const BvDialogTemplate& t : templates) {
    if (t.id == id) return &t;
  }
  return nullptr;
}

}  // namespace bv
