#pragma once
// A headless game for tests of the dialogs: one screen that records the
// events it receives and keeps level statistics, "global.xml" written with
// the levels a test gives, the templates and the "guifont" alias every
// dialog uses, and helpers to run the open dialog frame by frame, click its
// buttons and read its texts.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/level_stats.h"
#include "game/core/player_store.h"
#include "game/scenes/scene.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace bv {
namespace test {

// The current screen of a dialog test.
class ListeningScene : public BvScene {
 public:
  void Init(intptr_t) override {}
  void OnEvent(int code) override { events.push_back(code); }
  BvLevelStats* GetLevelStats() override { return &stats; }
  std::vector<int> events;
  BvLevelStats stats;
};

class DialogTest : public ::testing::Test {
 protected:
  static constexpr float kFrameMs = 20.0f;
  static constexpr int kSceneNumber = 4;

  // Templates of every dialog; each gets the default 20 by 20 pixel body.
  void SetUp() override {
    for (const char* name : {"panel", "button", "sparkle", "guiaura", "achieveback",
                             "achievefreed", "achievescore"})
      world.AddTemplate(Gui(), name);
    Gui()->GetElements()->AddObject(new BvTextElement("guifont"));
    scene = new ListeningScene;
    world.game()->SetSceneEntry(kSceneNumber, scene);
    world.game()->SetScene(kSceneNumber);
    world.game()->GetStore().SelectProfile(0, "Ann");
  }

  // A level element of a "global.xml" level.
  static std::string Element(const char* name, const char* source, float x, float y) {
    return "<lvlelement name=\"" + std::string(name) + "\"><sourceelement>" + source +
           "</sourceelement><pos x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\"/></lvlelement>";
  }
  // "interfaceback" and the named buttons, 50 pixels apart downwards.
  static std::string PanelWithButtons(std::vector<const char*> buttons) {
    std::string xml = Element("interfaceback", "panel", 0, 0);
    float y = 100.0f;
    for (const char* button : buttons) {
      xml += Element(button, "button", 0, y);
      y -= 50.0f;
    }
    return xml;
  }
  // "global.xml" with levels 0..10, the given ones holding these elements.
  void WriteGlobal(const std::map<int, std::string>& levels) {
    std::string xml;
    for (int n = 0; n <= 10; ++n) {
      auto found = levels.find(n);
      xml += "<level name=\"gui" + std::to_string(n) + "\"><lvlelements>" +
             (found == levels.end() ? std::string() : found->second) + "</lvlelements></level>";
    }
    world.WriteLevels("global.xml", xml);
  }

  BvLevelManager* Gui() const { return world.game()->GetGlobalLevels(); }
  BvScene* OpenGui() const { return world.game()->GetGui(world.game()->GetCurrentGui()); }
  BvLevelElement* Find(const char* name) const {
    BvLevel* level = Gui()->GetCurrentLevel();
    return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
  }
  BvProfile& Profile() const { return *world.game()->GetCurrentProfile(); }

  // One frame of the open dialog: its update, then its level's pass.
  void Frame(float ms = kFrameMs) {
    if (BvScene* gui = OpenGui()) gui->Update(ms);
    Gui()->RenderCurrentLevel(ms, false, false);
  }
  void Frames(int count, float ms = kFrameMs) {
    for (int i = 0; i < count; ++i) Frame(ms);
  }
  // A press on the named element's world position for one frame.
  void Click(const char* name) {
    BvLevelElement* element = Find(name);
    ASSERT_NE(element, nullptr) << name;
    world.MoveCursor(element->GetPosition().X, element->GetPosition().Y);
    world.PressLeft(true);
    Frame();
    world.PressLeft(false);
  }
  void PressKey(int key) { world.system()->keyDown[key] = 1; }
  // Frames until the dialog closed (GUI mode 0); false after limit frames.
  bool RunUntilClosed(int limit = 200) {
    for (int i = 0; i < limit && world.game()->GetGuiMode() != 0; ++i) Frame();
    return world.game()->GetGuiMode() == 0;
  }
  // Texts of the dialog's level, in creation order.
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> texts;
    BvLevel* level = Gui()->GetCurrentLevel();
    if (!level) return texts;
    for (const auto& entry : level->GetIdIndex()) {
      const auto* element = static_cast<const BvLevelElement*>(entry.second);
      const BvElement* source = element->GetSourceElement();
      if (element->GetText() && source && source->GetNameString() == "guifont")
        texts.push_back(element->GetText());
    }
    return texts;
  }
  // The text element showing text, or null.
  BvLevelElement* TextElement(const std::wstring& text) const {
    BvLevel* level = Gui()->GetCurrentLevel();
    if (!level) return nullptr;
    for (const auto& entry : level->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (element->GetText() && text == element->GetText()) return element;
    }
    return nullptr;
  }

  NullVideo video;
  GameWorld world;
  ListeningScene* scene = nullptr;
};

}  // namespace test
}  // namespace bv
