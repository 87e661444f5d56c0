#pragma once
// Scenes 4..9: the board screens of worlds 0..5, all around the game's one
// board. A visit lays the score bar, the spell panel and the menu button
// over the world's screen file, sets the level up one second in, drives the
// board every frame, keeps the level's statistics, opens the recap once the
// board's won show has ended, and leaves with the result the closing dialog
// sends. The six classes differ only in the file they load.
#include "game/core/level_stats.h"
#include "game/scenes/scene.h"

class BvLayout;
class BvLevelElement;

class BvSwapScene : public BvScene {
 public:
  // States.
  static constexpr int kStatePlaying = 0;
  static constexpr int kStateWon = 1;      // set by the board when its won show ends
  static constexpr int kStateRecap = 2;    // waiting for the recap's result
  static constexpr int kStateLeaving = 3;  // covering the screen, then done

  // board: the shared board, not owned (may be null in tests).
  explicit BvSwapScene(BvLayout* board);

  // "swap1.xml" (the subclasses: their own file).
  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
  void Render(float ms) override {}
  void OnEvent(int code) override;
  // Points for the current game's score, shown by the score text.
  void AddScore(int points) override;
  BvLevelStats* GetLevelStats() override { return &m_Stats; }

  // The layout of the level (the "-layout" value when given, else the
  // profile's) handed to the board.
  void SetupLevel();
  // The menu button, the spell panel and the right button.
  void HandleButtons();

  BvLevelElement* GetScoreText() const { return m_ScoreText; }
  BvLevelElement* GetLevelText() const { return m_LevelText; }
  BvLayout* GetBoard() const { return m_Board; }
  const char* GetFile() const { return m_File; }

 protected:
  BvSwapScene(BvLayout* board, const char* file);

 private:
  // The layout index this visit plays.
  int LayoutNumber() const;
  void CreateFontAlias();
  void CreateScoreBar();

  const char* m_File;
  BvLevelStats m_Stats;
  BvLayout* m_Board;
  // Made by Init on the current level; the level owns them.
  BvLevelElement* m_ScoreText = nullptr;
  BvLevelElement* m_LevelText = nullptr;
};

class BvSwapScene2 : public BvSwapScene {
 public:
  explicit BvSwapScene2(BvLayout* board) : BvSwapScene(board, "swap2.xml") {}
};
class BvSwapScene3 : public BvSwapScene {
 public:
  explicit BvSwapScene3(BvLayout* board) : BvSwapScene(board, "swap3.xml") {}
};
class BvSwapScene4 : public BvSwapScene {
 public:
  explicit BvSwapScene4(BvLayout* board) : BvSwapScene(board, "swap4.xml") {}
};
class BvSwapScene5 : public BvSwapScene {
 public:
  explicit BvSwapScene5(BvLayout* board) : BvSwapScene(board, "swap5.xml") {}
};
class BvSwapScene6 : public BvSwapScene {
 public:
  explicit BvSwapScene6(BvLayout* board) : BvSwapScene(board, "swap6.xml") {}
};
