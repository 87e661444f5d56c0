#pragma once
// Scene 3, the story book: at the start of a world the world's chapter with
// its picture, after the world's hidden-object level the page of the spell
// just earned. The lines fade in one after another down both columns; the
// "play" arrow leaves with result 0.
#include <string>
#include <vector>

#include "game/scenes/scene.h"

class BvLevelElement;

// One line of a page, as laid out before display.
struct BvStoryLine {
  std::string key;
  const char* font;
  float x;
  float y;
  int alignment;  // 0 centred, 1 left
  float delayMs;
};

// The lines of the page for book number w (the profile's world + 1): the
// chapter page when spellPage is false, else the spell page; the left
// column first, then the right one, each line with its fade-in delay.
std::vector<BvStoryLine> StoryPageLines(int w, bool spellPage);

class BvStoryScene : public BvScene {
 public:
  static constexpr int kStateOpening = 1;
  static constexpr int kStateLive = 2;
  static constexpr int kStateLeaving = 3;

  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
  void OnEvent(int code) override;

  void ShowPage();
  void ShowImages();
  void HandleButtons();

  const std::vector<BvLevelElement*>& GetPageTexts() const { return m_PageTexts; }

 private:
  // The book the profile is at: its world + 1, and whether the spell page.
  int BookNumber() const;
  bool IsSpellPage() const;

  std::vector<BvLevelElement*> m_PageTexts;
  BvLevelElement* m_Arrow = nullptr;
};
