#pragma once
// GUI 2: asks the first player's name when play starts without a profile.
// OK or Enter makes the player in slot 0 (an empty name becomes the
// numbered default name) and reports 6; cancel or Escape reports 7.
#include <string>

#include "game/gui/gui.h"
#include "game/gui/name_entry.h"

class BvNewPlayerGui : public BvGui {
 public:
  void Init(intptr_t argument) override;
  void Update(float ms) override { RunStandardFrame(ms); }

  void Build();
  void CreatePlayer();
  void Cancel();

  const BvNameEntry& GetName() const { return m_Name; }
  BvLevelElement* GetNameText() const { return m_NameText; }
  BvLevelElement* GetCursor() const { return m_Cursor; }

 protected:
  void HandleInput() override;

 private:
  BvNameEntry m_Name;
  BvLevelElement* m_NameText = nullptr;
  BvLevelElement* m_Cursor = nullptr;
};

// The name a player left empty gets: the "playern" text formatted with the
// player's number, at most 15 characters (Latin-1).
std::string DefaultPlayerName(int number);
