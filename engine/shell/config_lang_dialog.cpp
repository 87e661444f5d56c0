#include "engine/shell/config_lang_dialog.h"

#include <string>

namespace {

constexpr uintptr_t kLowWord = 0xFFFF;
// The caption's row in the texts table.
constexpr int kCaption = 0;

struct Texts {
  int control;
  // French, English, Spanish (UTF-8).
  const char* text[3];
};

const Texts kTexts[] = {
    {kCaption, {"Configuration", "Configuration", "Configuración"}},
    {bv::kControlLanguageLabel, {"Langue", "Language", "Idioma"}},
    {bv::kControlDisplayLabel,
     {"Affichage par défaut", "Default display mode", "Visualización predefinida"}},
    {bv::kControlFullScreen, {"Plein écran", "Full screen mode", "Pantalla completa"}},
    {bv::kControlWindow, {"Fenêtre", "Window mode", "Ventana"}},
    {bv::kControlModeHint,
     {"(F1 pour changer de mode pendant le jeu.)", "(Use F1 to change mode during the game.)",
      "(F1 para cambiar el modo durante el juego)"}},
    {bv::kControlPlay, {"Jouer!", "Play!", "Jugar!"}},
    {bv::kControlQuit, {"Quitter", "Quit", "Salir"}},
};

// The language of a language button; 0 for another control.
int32_t LanguageOf(int control) {
  switch (control) {
    case bv::kControlFrench: return bv::kLanguageFrench;
    case bv::kControlEnglish: return bv::kLanguageEnglish;
    case bv::kControlSpanish: return bv::kLanguageSpanish;
    default: return 0;
  }
}

}  // namespace

BvConfigLangDialog::BvConfigLangDialog(unsigned long parent)
    : BvConfigDialog(bv::kConfigLangTemplate, parent) {
  // Both answer the brush (its colour): a white dialog, labels without
  // their own background.
  AddHandler(bv::kWmCtlColorDlg, [this](unsigned long, uintptr_t, intptr_t) {
    return static_cast<intptr_t>(GetBrush().color);
  });
  AddHandler(bv::kWmCtlColorStatic, [this](unsigned long, uintptr_t, intptr_t control) {
    return static_cast<intptr_t>(OnCtlColor(static_cast<int>(control)).color);
  });
}

void BvConfigLangDialog::Relabel(int32_t language) {
  if (language < bv::kLanguageFrench || language > bv::kLanguageSpanish) return;
  for (const Texts& row : kTexts) {
    const std::string text = row.text[language - 1];
    if (row.control == kCaption) {
      SetCaption(text);
    } else if (BvDialogControl* control = GetItem(row.control)) {
      control->text = text;
    }
  }
}

intptr_t BvConfigLangDialog::OnInitDialog(unsigned long window, uintptr_t first, intptr_t second) {
  Relabel(bv::kLanguageFrench);
  CheckRadio(bv::kControlFrench);
  return BvConfigDialog::OnInitDialog(window, first, second);
}

intptr_t BvConfigLangDialog::OnCommand(unsigned long window, uintptr_t first, intptr_t second) {
  const int32_t language = LanguageOf(static_cast<int>(first & kLowWord));
  if (language == 0) return BvConfigDialog::OnCommand(window, first, second);
  Relabel(language);
  return 1;
}

void BvConfigLangDialog::StoreLanguage() {
  const int order[] = {bv::kControlEnglish, bv::kControlFrench, bv::kControlSpanish};
  for (int control : order) {
    const BvDialogControl* button = GetItem(control);
    if (button != nullptr && button->checked) language = LanguageOf(control);
  }
}
