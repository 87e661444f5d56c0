#pragma once
// Base of every dialog: a scene that lives over the current screen on the
// global level manager's current level (level n of "global.xml", loaded by
// BvGame::ShowGui). Its panel "interfaceback" drops in from above and its
// elements fade in on opening; Hide fades everything out and lifts the
// panel away; the dialog closes, passing its result to the current screen,
// once every element of its level has faded away.
#include <irrlicht.h>

#include "game/scenes/scene.h"

class BvLevel;
class BvLevelElement;

class BvGui : public BvScene {
 public:
  // States of every dialog.
  static constexpr int kStateOpen = 2;
  static constexpr int kStateCountedUp = 3;  // the recaps, after their count-up
  static constexpr int kStateClosing = 4;

  BvGui() = default;

  // The base opening: the game's own cursor back, timer, done flag and
  // result cleared, "guimove", the panel's drop-in, the fade-in. Every
  // dialog calls it from its own Init, then sets state 2.
  void Init(intptr_t argument) override;
  // The scene's timer, then the cursor's world position in layer 0 of the
  // global level manager, which every hit test of the dialog uses.
  void Update(float ms) override;
  // The named element of the dialog's level (its "Alert" when missing)
  // under the stored cursor.
  bool IsMouseOver(const char* name) override;
  // Done flag, GUI mode 0, then the current screen's OnEvent(result).
  virtual void Close(int result);
  // Fade-out, "guimove", the panel lifted away; state 4.
  virtual void Hide();

  // The current level of the global level manager (null without one).
  BvLevel* GetLevel() const;
  // The dialog's level holds no element with a picture any more (or there
  // is no level).
  bool IsLevelIdle() const;
  // Every element of the level fades from its own colour at alpha 0 to its
  // own colour in half a second; elements made later are not touched.
  void FadeInElements();
  // Every element of the level fades out in one second and is removed.
  void FadeOutElements();

  float GetCursorX() const { return m_CursorX; }
  float GetCursorY() const { return m_CursorY; }

 protected:
  // The frame of most dialogs: base Update, the input handler while open,
  // and the close once the level is empty after Hide.
  void RunStandardFrame(float ms);
  // Close with the stored result once the level is empty after Hide.
  void CloseOnceFaded();
  // The dialog's buttons and keys while it is open (state 2).
  virtual void HandleInput() {}
  // Stores the result, then Hide.
  void HideWithResult(int result);
  // The named element of the dialog's level, silently null when missing.
  BvLevelElement* FindElement(const char* name) const;
  // The named element of the dialog's level; the lookup's "Alert" when it
  // is missing.
  BvLevelElement* GetElement(const char* name) const;
  // A text in "guifont" on the dialog's level at position (relative to the
  // parent, when there is one), on layer.
  BvLevelElement* AddText(BvLevelElement* parent, const irr::core::vector2df& position,
                          const wchar_t* text, int layer);
  // The button pattern: the named button of the level (the lookup's
  // "Alert" when it is missing) attached to "interfaceback", and its label
  // GetText(labelKey) at (0, 3) on layer, attached to the button.
  BvLevelElement* LabelButton(const char* name, const char* labelKey, int layer);
  // A level element of the dialog's level made from the named template.
  // Without that template (the lookup's "Alert") nothing is made: an
  // element without a source never runs its fade-out, so the dialog would
  // never close.
  BvLevelElement* CreateElement(const char* templateName, const irr::core::vector2df& position,
                                float startDelay);

  // Cursor in world pixels of layer 0 of the global level manager.
  float m_CursorX = 0.0f;
  float m_CursorY = 0.0f;
};
