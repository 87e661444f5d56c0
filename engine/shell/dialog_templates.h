#pragma once
// The layouts of the configuration dialogs by template id: caption and
// controls (labels, push buttons, radio buttons), with their first texts.
#include <cstdint>
#include <string>
#include <vector>

enum class BvControlKind { Label, Button, Radio };

struct BvDialogControl {
  int id = 0;
  BvControlKind kind = BvControlKind::Label;
  // UTF-8.
  std::string text;
  // Radio buttons of one group exclude each other (0: no group).
  int group = 0;
  bool checked = false;
  bool enabled = true;
  // The text is drawn without its own background.
  bool transparent = false;
};

struct BvDialogTemplate {
  uint16_t id = 0;
  std::string caption;
  std::vector<BvDialogControl> controls;
};

namespace bv {

// Template ids and control ids of the configuration dialogs.
constexpr uint16_t kConfigLangTemplate = 105;
constexpr uint16_t kConfigTemplate = 109;
constexpr int kControlPlay = 1;
constexpr int kControlQuit = 2;
constexpr int kControlFullScreen = 1001;
constexpr int kControlWindow = 1002;
constexpr int kControlLanguageLabel = 1009;
constexpr int kControlFrench = 1013;
constexpr int kControlEnglish = 1014;
constexpr int kControlSpanish = 1015;
constexpr int kControlModeHint = 1016;
constexpr int kControlDisplayLabel = 1017;

// The template with the id; null when there is none.
const BvDialogTemplate* FindDialogTemplate(uint16_t id);

}  // namespace bv
