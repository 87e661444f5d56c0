#pragma once
// Scenes 10..15: the hidden-object screens, the second level (level 1) of
// every world. One second into the visit twelve objects of the picture are
// picked at random and their names written on a panel that slides in; the
// player clicks the objects (one per click), each found name is struck
// through; a hint button recharges for 40 seconds and then circles an object
// still hidden. When every object is found the profile advances at once,
// the end show plays and the recap opens over the screen. The three classes
// differ only in the file they load.
#include "game/core/level_stats.h"
#include "game/scenes/hidden_end_show.h"
#include "game/scenes/hidden_item.h"
#include "game/scenes/scene.h"

class BvLevelElement;

class BvHiddenScene : public BvScene {
 public:
  // States.
  static constexpr int kStateSearching = 0;
  static constexpr int kStateWon = 1;       // the end show runs
  static constexpr int kStateOpenRecap = 2;
  static constexpr int kStateRecap = 3;     // waiting for the recap's result
  static constexpr int kStateLeaving = 4;   // covering the screen, then done

  // Objects a visit asks for (fewer when the picture holds fewer).
  static constexpr int kItemCount = 12;
  // The objects are picked at this moment of the visit, and clicks count
  // from the second one.
  static constexpr float kSetupMs = 1000.0f;
  static constexpr float kInputFromMs = 2000.0f;

  BvHiddenScene();

  // "hidden1.xml" (the subclasses: their own file).
  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
  void Render(float ms) override {}
  void OnEvent(int code) override;
  BvLevelStats* GetLevelStats() override { return &m_Stats; }

  // The pause menu from the menu button, while no dialog is open.
  void HandleMenuButton();
  // Picks the objects, writes their names on the panel and slides it in.
  void SetupObjects();
  // The hint button, the tooltip and one click on the picture.
  void UpdateFound(float ms);
  void UpdateHintButton(float ms);
  // Sparkles round the hint's target.
  void ShowHint();
  // The hint points at the first object not yet found (none when all are).
  void RetargetHint();
  void ShowTooltip(const char* name);
  void HideTooltip();
  void UpdateLevelComplete(float ms);

  const BvLevelStats& GetStats() const { return m_Stats; }
  int GetItemCount() const { return m_ItemCount; }
  const BvHiddenItem& GetItem(int i) const { return m_Items[i]; }
  const BvHiddenHint& GetHint() const { return m_Hint; }
  const BvHiddenEndShow& GetEndShow() const { return m_EndShow; }
  const char* GetFile() const { return m_File; }
  bool IsTooltipShown() const { return m_TooltipShown; }

 protected:
  explicit BvHiddenScene(const char* file);

 private:
  void CreateTooltip();
  // Strikes the found item's name through and dims it.
  void StrikeName(const BvHiddenItem& item);
  void LightHintButton();

  const char* m_File;
  BvLevelStats m_Stats;
  // The first m_ItemCount are in play this visit.
  BvHiddenItem m_Items[kItemCount];
  int m_ItemCount = 0;
  BvHiddenHint m_Hint;
  BvHiddenEndShow m_EndShow;
  bool m_TooltipShown = false;
  // Made by Init on the current level; the level owns them.
  BvLevelElement* m_Tooltip = nullptr;
  BvLevelElement* m_TooltipText = nullptr;
};

class BvHiddenScene2 : public BvHiddenScene {
 public:
  BvHiddenScene2() : BvHiddenScene("hidden2.xml") {}
};
class BvHiddenScene3 : public BvHiddenScene {
 public:
  BvHiddenScene3() : BvHiddenScene("hidden3.xml") {}
};
