#pragma once
// BvConfigLangDialog: the display-mode dialog with a language choice
// (French, English, Spanish) that relabels the dialog in that language.
#include "engine/shell/config_dialog.h"

namespace bv {
constexpr int32_t kLanguageFrench = 1;
constexpr int32_t kLanguageEnglish = 2;
constexpr int32_t kLanguageSpanish = 3;
}  // namespace bv

class BvConfigLangDialog : public BvConfigDialog {
 public:
  explicit BvConfigLangDialog(unsigned long parent = 0);

  // Sets the caption and the texts of the language's controls.
  void Relabel(int32_t language);

 protected:
  // The display part, then the French texts with French checked.
  intptr_t OnInitDialog(unsigned long window, uintptr_t first, intptr_t second) override;
  // The language buttons relabel the dialog; the rest as the display dialog.
  intptr_t OnCommand(unsigned long window, uintptr_t first, intptr_t second) override;
  // English, French, Spanish checks in this order: the last checked wins.
  void StoreLanguage() override;
};
