// The options headless: the sliders' mapping between knob and volume, a drag
// reaching the sound manager and the configuration at once, the switches of
// the current profile with their ticks, and Enter closing with result 8.
#include "game/gui/options_gui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/gui/volume_slider.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 20.0f;

TEST(VolumeSliderTest, KnobAndVolumeMapBothWays) {
  struct Case {
    int volume;
    int x;
  };
  for (const Case& c : {Case{0, -80}, Case{33, -28}, Case{50, 0}, Case{99, 78}, Case{100, 80}})
    EXPECT_EQ(bv::SliderXForVolume(c.volume), c.x) << c.volume;

  struct Drag {
    float x;
    float volume;
  };
  // Ends, middle, fractions of a pixel truncated, and beyond the ends.
  for (const Drag& d : {Drag{-80, 0}, Drag{0, 50}, Drag{80, 100}, Drag{-28, 32.5f},
                        Drag{-79.5f, 0}, Drag{-100, 0}, Drag{200, 100}})
    EXPECT_FLOAT_EQ(bv::VolumeForSliderX(d.x), d.volume) << d.x;
  EXPECT_EQ(bv::ClampSliderX(-95), -80);
  EXPECT_EQ(bv::ClampSliderX(95), 80);
  EXPECT_EQ(bv::ClampSliderX(12.5f), 12.5f);
}

class ListeningScene : public BvScene {
 public:
  void Init(intptr_t) override {}
  void OnEvent(int code) override { events.push_back(code); }
  std::vector<int> events;
};

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BvLevelManager* gui = Gui();
    for (const char* name : {"interfaceback", "slidebar1", "slider1", "slidebar2", "slider2",
                             "fullscreen", "showhint", "timemode", "btnok", "checked"})
      world.AddTemplate(gui, name);
    gui->GetElements()->AddObject(new BvTextElement("guifont"));
    auto element = [](const char* name, int x, int y) {
      return "<lvlelement name=\"" + std::string(name) + "\"><sourceelement>" + name +
             "</sourceelement><pos x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
             "\"/></lvlelement>";
    };
    world.WriteLevels("global.xml", "<level name=\"pause\"></level><level name=\"options\"><lvlelements>" +
                                        element("interfaceback", 0, 0) + element("slidebar1", 0, 60) +
                                        element("slider1", 0, 60) + element("slidebar2", 0, 20) +
                                        element("slider2", 0, 20) + element("fullscreen", -100, -30) +
                                        element("showhint", -100, -60) +
                                        element("timemode", -100, -90) + element("btnok", 0, -140) +
                                        "</lvlelements></level>");
    scene = new ListeningScene;
    world.game()->SetSceneEntry(2, scene);
    world.game()->SetScene(2);
    world.game()->GetStore().SelectProfile(0, "Ann");
  }
  BvLevelManager* Gui() const { return world.game()->GetGlobalLevels(); }
  BvLevelElement* Element(const char* name) const {
    return static_cast<BvLevelElement*>(Gui()->GetCurrentLevel()->FindObjectByName(name));
  }
  BvOptionsGui* Options() const { return static_cast<BvOptionsGui*>(world.game()->GetGui(1)); }
  void Frames(int count) {
    for (int i = 0; i < count && world.game()->GetGuiMode() != 0; ++i) {
      Options()->Update(kFrameMs);
      Gui()->RenderCurrentLevel(kFrameMs, false, false);
    }
  }
  // A click held for one frame at a world point, then released.
  void ClickAt(float x, float y) {
    world.MoveCursor(x, y);
    world.PressLeft(true);
    Frames(1);
    world.PressLeft(false);
    Frames(1);
  }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
  ListeningScene* scene = nullptr;
};

TEST_F(OptionsTest, StoredVolumesPlaceTheKnobsAndADragSetsTheVolumeAtOnce) {
  world.system()->config.musicVolume = 33;
  world.system()->config.effectsVolume = 100;
  world.game()->ShowGui(1, 2, 0);
  EXPECT_EQ(Element("slider1")->GetLocalPosition().X, -28.0f);
  EXPECT_EQ(Element("slider2")->GetLocalPosition().X, 80.0f);
  Frames(60);  // the panel settles at the centre

  // Held over the music bar's left end: the knob follows, volume 0.
  world.MoveCursor(-9.0f, 60.0f);
  world.PressLeft(true);
  Frames(1);
  EXPECT_NEAR(Element("slider1")->GetLocalPosition().X, -9.0f, 0.5f) << "centred under the cursor";
  EXPECT_EQ(world.system()->config.musicVolume, 44);
  EXPECT_NEAR(g_SoundManager->GetMusicVolume(), 0.44375f, 1e-4f);
  world.PressLeft(false);
  EXPECT_EQ(world.system()->config.effectsVolume, 100) << "the other slider is untouched";
  EXPECT_FLOAT_EQ(g_SoundManager->GetEffectsVolume(), 1.0f);

  world.system()->lastKey = 13;  // Enter
  Frames(80);
  EXPECT_EQ(scene->events, std::vector<int>{8});
  EXPECT_EQ(world.system()->config.musicVolume, 44) << "closing keeps the change";
}

TEST_F(OptionsTest, SwitchesToggleTheProfileAndTheirTicksShowIt) {
  world.game()->ShowGui(1, 2, 0);
  Frames(60);
  BvProfile& ann = *world.game()->GetCurrentProfile();
  // Tips on: the "Show tips" tick stands.
  EXPECT_TRUE(Options()->GetShowHintsTick()->IsVisible());
  ClickAt(-100.0f, -60.0f);
  EXPECT_EQ(ann.showHints, 0);
  EXPECT_FALSE(Options()->GetShowHintsTick()->IsVisible());
  ClickAt(-100.0f, -90.0f);
  ClickAt(-100.0f, -90.0f);
  EXPECT_EQ(ann.timeMode, 1) << "toggled twice";
  EXPECT_TRUE(Options()->GetTimeModeTick()->IsVisible());
  EXPECT_EQ(world.system()->fullScreenToggleRequest, 0);
  ClickAt(-100.0f, -30.0f);
  EXPECT_EQ(world.system()->fullScreenToggleRequest, 1) << "survives the release";
}

TEST_F(OptionsTest, EachClickOnASwitchFlipsItsOwnByteOfTheProfile) {
  struct Case {
    const char* what;
    float y;  // of the switch
    uint8_t BvProfile::*byte;
    uint8_t BvProfile::*other;
  };
  const Case cases[] = {
      {"time mode", -90.0f, &BvProfile::timeMode, &BvProfile::showHints},
      {"show hints", -60.0f, &BvProfile::showHints, &BvProfile::timeMode},
  };
  for (const Case& c : cases) {
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(1, 2, 0);
    Frames(60);
    BvProfile& ann = *world.game()->GetCurrentProfile();
    ann.timeMode = 0;
    ann.showHints = 1;
    const uint8_t start = ann.*c.byte;
    const uint8_t other = ann.*c.other;
    BvLevelElement* tick = c.byte == &BvProfile::timeMode ? Options()->GetTimeModeTick()
                                                          : Options()->GetShowHintsTick();
    for (int click = 1; click <= 3; ++click) {
      ClickAt(-100.0f, c.y);
      const uint8_t expected = click % 2 ? uint8_t(!start) : start;
      EXPECT_EQ(ann.*c.byte, expected) << c.what << ", click " << click;
      EXPECT_EQ(tick->IsVisible(), expected != 0) << c.what << ", click " << click;
      EXPECT_EQ(ann.*c.other, other) << c.what << ": the other switch stays";
    }
    world.system()->lastKey = 27;
    Frames(80);
  }
}


// The texts whose parent is the named element, in creation order.
std::vector<std::wstring> LabelsOf(BvLevel* level, BvLevelElement* parent) {
  std::vector<std::wstring> labels;
  for (const auto& entry : level->GetIdIndex()) {
    const auto* element = static_cast<const BvLevelElement*>(entry.second);
    if (element->GetParent() == parent && element->GetText() && *element->GetText())
      labels.push_back(element->GetText());
  }
  return labels;
}

TEST_F(OptionsTest, EachControlCarriesItsOwnLabel) {
  const struct {
    const char* control;
    const char* key;
    const wchar_t* text;
  } labels[] = {{"slidebar1", "music", L"Music"},       {"slidebar2", "son", L"Sound effects"},
                {"fullscreen", "fullscreen", L"Full screen"}, {"showhint", "dontshowhint", L"Show tips"},
                {"timemode", "timemode", L"Time mode"}, {"btnok", "close", L"Close"}};
  world.AddText("options", "Options");
  for (const auto& label : labels) {
    std::string narrow;
    for (const wchar_t* c = label.text; *c; ++c) narrow.push_back(char(*c));
    world.AddText(label.key, narrow.c_str());
  }
  world.game()->ShowGui(1, 2, 0);
  BvLevel* level = Gui()->GetCurrentLevel();
  EXPECT_EQ(LabelsOf(level, Element("interfaceback")), std::vector<std::wstring>{L"Options"});
  for (const auto& label : labels)
    EXPECT_EQ(LabelsOf(level, Element(label.control)), std::vector<std::wstring>{label.text})
        << label.control;
}

// The full-screen tick shows the configuration as it stands, also when the
// frame loop switches the display while the dialog is open.
TEST_F(OptionsTest, FullScreenTickFollowsTheConfiguration) {
  for (const uint8_t fullScreen : {uint8_t(0), uint8_t(1)}) {
    world.game()->SetGuiMode(0);
    world.system()->config.fullScreen = fullScreen;
    world.game()->ShowGui(1, 2, 0);
    Frames(5);
    EXPECT_EQ(Options()->GetFullScreenTick()->IsVisible(), fullScreen != 0) << int(fullScreen);
    world.system()->config.fullScreen = fullScreen ? 0 : 1;
    Frames(1);
    EXPECT_EQ(Options()->GetFullScreenTick()->IsVisible(), fullScreen == 0)
        << int(fullScreen) << ", after the switch";
    world.system()->lastKey = 27;
    Frames(80);
  }
}

// Everything a control of the dialog may change, read at once.
struct OptionSettings {
  int32_t musicVolume, effectsVolume;        // the configuration
  float musicLevel, effectsLevel;            // the sound manager
  float musicKnobX, effectsKnobX;
  uint8_t fullScreen, fullScreenRequest;
  uint8_t showHints, timeMode;               // the profile
  bool operator==(const OptionSettings& o) const {
    auto near = [](float a, float b, float within) { return std::fabs(a - b) <= within; };
    return musicVolume == o.musicVolume && effectsVolume == o.effectsVolume &&
           near(musicLevel, o.musicLevel, 1e-4f) && near(effectsLevel, o.effectsLevel, 1e-4f) &&
           near(musicKnobX, o.musicKnobX, 0.5f) && near(effectsKnobX, o.effectsKnobX, 0.5f) &&
           fullScreen == o.fullScreen && fullScreenRequest == o.fullScreenRequest &&
           showHints == o.showHints && timeMode == o.timeMode;
  }
};

std::ostream& operator<<(std::ostream& out, const OptionSettings& s) {
  return out << "music " << s.musicVolume << "/" << s.musicLevel << " knob " << s.musicKnobX
             << ", effects " << s.effectsVolume << "/" << s.effectsLevel << " knob " << s.effectsKnobX
             << ", full screen " << int(s.fullScreen) << " request " << int(s.fullScreenRequest)
             << ", hints " << int(s.showHints) << ", time mode " << int(s.timeMode);
}

class OptionsControlTest : public OptionsTest {
 protected:
  // A knob's place on its bar; NaN once the dialog's level is gone.
  float KnobX(const char* name) const {
    BvLevelElement* knob = Gui()->GetCurrentLevel() ? Element(name) : nullptr;
    return knob ? knob->GetLocalPosition().X : std::nanf("");
  }
  OptionSettings Read() const {
    const BvProfile& ann = *world.game()->GetCurrentProfile();
    const BvConfig& config = world.system()->config;
    return {config.musicVolume,
            config.effectsVolume,
            g_SoundManager->GetMusicVolume(),
            g_SoundManager->GetEffectsVolume(),
            KnobX("slider1"),
            KnobX("slider2"),
            config.fullScreen,
            world.system()->fullScreenToggleRequest,
            ann.showHints,
            ann.timeMode};
  }
};

// Each control, used once, changes its own setting and nothing else: the
// music bar only the music, the sound-effect bar only the effects, each
// switch only its own flag; OK closes and changes nothing.
TEST_F(OptionsControlTest, EveryControlChangesExactlyItsOwnSetting) {
  struct Case {
    const char* control;
    float x, y;  // where it is pressed (world pixels)
    void (*expect)(OptionSettings&);
  };
  // Pressed at x -9 a bar's knob moves there: volume 44.
  const Case cases[] = {
      {"music bar", -9.0f, 60.0f,
       [](OptionSettings& s) {
         s.musicVolume = 44;
         s.musicLevel = 0.44375f;
         s.musicKnobX = -9.0f;
       }},
      {"sound-effect bar", -9.0f, 20.0f,
       [](OptionSettings& s) {
         s.effectsVolume = 44;
         s.effectsLevel = 0.44375f;
         s.effectsKnobX = -9.0f;
       }},
      {"full screen", -100.0f, -30.0f, [](OptionSettings& s) { s.fullScreenRequest = 1; }},
      {"show tips", -100.0f, -60.0f, [](OptionSettings& s) { s.showHints = 0; }},
      {"time mode", -100.0f, -90.0f, [](OptionSettings& s) { s.timeMode = 1; }},
      {"OK", 0.0f, -140.0f, [](OptionSettings&) {}},
  };
  for (const Case& c : cases) {
    world.game()->SetGuiMode(0);
    world.system()->config.musicVolume = 20;
    world.system()->config.effectsVolume = 70;
    world.system()->config.fullScreen = 0;
    world.system()->fullScreenToggleRequest = 0;
    g_SoundManager->SetMusicVolume(0.2f);
    g_SoundManager->SetEffectsVolume(0.7f);
    BvProfile& ann = *world.game()->GetCurrentProfile();
    ann.showHints = 1;
    ann.timeMode = 0;
    world.game()->ShowGui(1, 2, 0);
    Frames(60);  // the panel settles at the centre
    OptionSettings expected = Read();
    ASSERT_EQ(expected.musicKnobX, -48.0f) << c.control << ": volume 20's knob";
    ASSERT_EQ(expected.effectsKnobX, 32.0f) << c.control << ": volume 70's knob";
    c.expect(expected);

    world.MoveCursor(c.x, c.y);
    world.PressLeft(true);
    Frames(1);
    world.PressLeft(false);
    Frames(1);
    const OptionSettings got = Read();
    EXPECT_EQ(got, expected) << c.control;
    const bool closes = std::string(c.control) == "OK";
    Frames(80);
    EXPECT_EQ(world.game()->GetGuiMode() == 0, closes) << c.control << ": only OK closes";
    OptionSettings after = Read();
    after.musicKnobX = got.musicKnobX;  // the knobs may have gone with the dialog
    after.effectsKnobX = got.effectsKnobX;
    EXPECT_EQ(after, got) << c.control << ": closing keeps every setting";
    world.system()->lastKey = 27;
    Frames(80);
  }
}

}  // namespace
