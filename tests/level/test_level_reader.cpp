// Level files: levels counted among "level" children only, children applied
// in document order, parents resolved after the section, every behaviour
// type with its parameter defaults, and the reader's messages.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/input_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/platform/message_box.h"
#include "support/null_video.h"

namespace {

namespace fs = std::filesystem;

class LevelReader : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
    dir = bv::test::MakeTempFolder("qv_level_reader");
    auto* image = new BvImageElement("img");
    image->SetBlitMode(1);
    manager.GetElements()->AddObject(image);
    manager.GetElements()->AddObject(new BvImageElement("hover"));
  }
  void TearDown() override {
    bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  std::string Write(const std::string& name, const std::string& text) {
    const fs::path path = dir / name;
    std::ofstream(path) << text;
    return path.string();
  }
  BvLevelElement* Find(const char* name) {
    BvLevel* level = manager.GetCurrentLevel();
    return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& m : bv::ShownMessages()) {
      EXPECT_EQ(m.caption, "Alert");
      texts.push_back(m.text);
    }
    return texts;
  }

  fs::path dir;
  BvLevelManager manager{nullptr, true};
};

const char kLevels[] = R"(<file>
 <levels>
  <level name="zero"><lvlelements><lvlelement name="a"/></lvlelements></level>
  <notalevel/>
  <level name="one"/>
  <level name="two">
   <lvlelements>
    <lvlelement name="child">
     <parent>boss</parent>
     <pos x="10" y="0"/>
     <blitmode>2</blitmode>
     <sourceelement>img</sourceelement>
     <color r="255"/>
     <rotation>90</rotation>
     <flip x="2" y="0"/>
     <layer>3</layer>
     <lineardamping>-3</lineardamping>
     <angulardamping>nan</angulardamping>
     <density>inf</density>
     <dyntype>7</dyntype>
     <unknownchild>1</unknownchild>
    </lvlelement>
    <lvlelement name="boss"><pos x="100" y="50"/><sourceelement>img</sourceelement></lvlelement>
    <lvlelement name="boss"><pos x="-1" y="-1"/></lvlelement>
    <lvlelement name="ghost"><sourceelement>missing</sourceelement><parent>nobody</parent></lvlelement>
    <lvlelement name="self"><parent>self</parent></lvlelement>
    <lvlelement name="opaque"><color a="511" r="1" g="2" b="3"/><scale x="2" y="0.5"/></lvlelement>
   </lvlelements>
   <lvlelements>
    <lvlelement name="late"><parent>boss</parent><dyntype>2</dyntype></lvlelement>
   </lvlelements>
  </level>
 </levels>
</file>)";

TEST_F(LevelReader, ReadsTheNumberedLevelWithItsElementsInDocumentOrder) {
  const std::string path = Write("levels.xml", kLevels);
  ASSERT_TRUE(manager.LoadLevel(2, path.c_str(), false));
  BvLevel* level = manager.GetCurrentLevel();
  ASSERT_NE(level, nullptr);
  EXPECT_STREQ(level->GetName(), "two") << "only level children are counted";
  EXPECT_EQ(level->GetCount(), 6u) << "the duplicate boss is dropped";

  BvLevelElement* child = Find("child");
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->GetBlitMode(), 1) << "the source's blit mode overwrites an earlier child";
  EXPECT_EQ(child->GetColor().color, 0x00FF0000u) << "missing alpha is 0";
  EXPECT_FLOAT_EQ(child->GetLocalRotation(), 1.5707964f);
  EXPECT_TRUE(child->GetFlipX());
  EXPECT_FALSE(child->GetFlipY());
  EXPECT_EQ(child->GetLayer(), 3);
  EXPECT_FLOAT_EQ(child->GetLinearDamping(), 0.0f) << "negative damping clamped";
  EXPECT_FLOAT_EQ(child->GetAngularDamping(), 0.0f) << "nan becomes 0";
  EXPECT_FLOAT_EQ(child->GetDensity(), 0.0f) << "inf becomes 0";
  EXPECT_EQ(child->GetDynType(), -1) << "unknown body type";

  BvLevelElement* opaque = Find("opaque");
  ASSERT_NE(opaque, nullptr);
  EXPECT_EQ(opaque->GetColor().color, 0xFF010203u) << "a 511 is cut to 0xFF";
  EXPECT_EQ(opaque->GetScale(), irr::core::vector2df(2.0f, 0.5f));
  EXPECT_EQ(opaque->GetSourceElement(), nullptr);

  BvLevelElement* boss = Find("boss");
  ASSERT_NE(boss, nullptr);
  EXPECT_EQ(boss->GetLocalPosition(), irr::core::vector2df(100, 50)) << "the first boss stays";
}

TEST_F(LevelReader, ParentsAreResolvedAfterEachSection) {
  const std::string path = Write("levels.xml", kLevels);
  ASSERT_TRUE(manager.LoadLevel(2, path.c_str(), false));
  BvLevelElement* boss = Find("boss");
  BvLevelElement* child = Find("child");
  BvLevelElement* late = Find("late");
  ASSERT_TRUE(boss && child && late);
  EXPECT_EQ(child->GetParent(), boss) << "a parent defined later in the section";
  EXPECT_EQ(late->GetParent(), boss) << "a parent from an earlier section";
  EXPECT_EQ(boss->GetChildren().size(), 2u) << "attached once each";
  EXPECT_EQ(child->GetPosition(), irr::core::vector2df(110, 50));
  EXPECT_EQ(Find("ghost")->GetParent(), nullptr);
  EXPECT_EQ(Find("self")->GetParent(), nullptr) << "an element is not its own parent";

  const std::vector<std::string> expected = {
      "TRYING TO ADD EXISTING OBJECT, DELETED! boss\n",
      "GetObjectByName, Object not found : missing",
      "GetObjectByName, Object not found : nobody",
      // Every section's resolution walks the whole level again.
      "GetObjectByName, Object not found : nobody",
  };
  EXPECT_EQ(Messages(), expected);
}

TEST_F(LevelReader, BordersAreOlderThanEveryElementOfTheFile) {
  const std::string path = Write("levels.xml", kLevels);
  ASSERT_TRUE(manager.LoadLevel(0, path.c_str(), true));
  BvLevel* level = manager.GetCurrentLevel();
  ASSERT_NE(level, nullptr);
  EXPECT_STREQ(level->GetName(), "zero");
  std::vector<std::string> names;
  for (const auto& entry : level->GetIdIndex()) names.push_back(entry.second->GetName());
  const std::vector<std::string> expected = {"_bdr0", "_bdr1", "_bdr2", "_bdr3", "a"};
  EXPECT_EQ(names, expected);
}

TEST_F(LevelReader, FailuresAndTheirMessages) {
  struct Case {
    const char* what;
    const char* file;  // null: no file written
    int number;
    std::vector<std::string> messages;
  };
  const std::string missing = (dir / "missing.xml").string();
  const Case cases[] = {
      {"missing file", nullptr, 0, {"LoadLevel : Empty or Not Found " + missing}},
      {"nothing below the root", "<file/>", 0, {}},
      {"no levels section", "<file><scene/></file>", 0, {}},
      {"fewer levels than asked", "<file><levels><level/></levels></file>", 1, {}},
  };
  for (const Case& c : cases) {
    bv::ClearShownMessages();
    const std::string path = c.file ? Write("case.xml", c.file) : missing;
    EXPECT_FALSE(manager.LoadLevel(c.number, path.c_str(), false)) << c.what;
    EXPECT_EQ(manager.GetCurrentLevel(), nullptr) << c.what;
    if (c.file && std::string(c.file) == "<file/>") {
      EXPECT_EQ(Messages(), std::vector<std::string>{"LoadLevel : Empty or Not Found " + path})
          << c.what;
    } else {
      EXPECT_EQ(Messages(), c.messages) << c.what;
    }
  }
  bv::ClearShownMessages();
  EXPECT_FALSE(manager.LoadLevel(0, nullptr, false));
  EXPECT_TRUE(bv::ShownMessages().empty());
}

TEST_F(LevelReader, EveryBehaviourTypeWithItsDefaults) {
  const std::string path = Write("behaviours.xml", R"(<file><levels><level><lvlelements>
   <lvlelement name="defaults"><sourceelement>img</sourceelement><behaviors>
    <behavior type="sinusy"/>
    <behavior type="cosinusx"/>
    <behavior type="mousemove"/>
    <behavior type="notransform"/>
    <behavior type="mouseoverelement"/>
    <behavior type="mouseovergrow"/>
    <behavior type="zoomto"/>
    <behavior type="fadein"/>
    <behavior type="fadeout"/>
    <behavior type="FadeIn"/>
    <behavior type="teleport"/>
   </behaviors></lvlelement>
   <lvlelement name="given"><sourceelement>img</sourceelement><behaviors>
    <behavior type="sinusy"><range>5</range><speed>100</speed><phase>1.5</phase><extra>9</extra></behavior>
    <behavior type="mousemove"><followx>0</followx><followy>3</followy></behavior>
    <behavior type="mouseoverelement"><switchelement>hover</switchelement><animspeed>12.7</animspeed><soundover>a_very_long_sound_name_over_29_chars</soundover></behavior>
    <behavior type="mouseovergrow"><growfactor>2</growfactor><growspeed>40</growspeed><soundover>pop</soundover></behavior>
    <behavior type="zoomto"><targetfactor>3</targetfactor><speed>10</speed><effect>2</effect></behavior>
    <behavior type="fadeout"><delay>500</delay><speed>40</speed></behavior>
   </behaviors></lvlelement>
  </lvlelements></level></levels></file>)");
  ASSERT_TRUE(manager.LoadLevel(0, path.c_str(), false));

  const auto& d = Find("defaults")->GetBehaviors();
  ASSERT_EQ(d.size(), 9u) << "case-different and unknown types make nothing";
  const int types[] = {1, 2, 3, 4, 5, 6, 11, 7, 7};
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(d[i]->GetType(), types[i]) << "behaviour " << i;
  auto* sine = static_cast<BvSinusYBehavior*>(d[0]);
  EXPECT_FLOAT_EQ(sine->GetRange(), 20.0f);
  EXPECT_FLOAT_EQ(sine->GetSpeed(), 500.0f);
  EXPECT_FLOAT_EQ(sine->GetPhase(), 0.0f);
  auto* follow = static_cast<BvMouseMoveBehavior*>(d[2]);
  EXPECT_TRUE(follow->GetFollowX() && follow->GetFollowY());
  auto* over = static_cast<BvMouseOverElementBehavior*>(d[4]);
  EXPECT_EQ(over->GetSwitchElementName(), "");
  EXPECT_FLOAT_EQ(over->GetHoverAnimSpeed(), -1.0f);
  EXPECT_EQ(over->GetSoundName(), "");
  EXPECT_EQ(over->GetHomeElementName(), "img");
  auto* grow = static_cast<BvMouseOverGrowBehavior*>(d[5]);
  EXPECT_FLOAT_EQ(grow->GetGrowFactor(), 1.5f);
  EXPECT_FLOAT_EQ(grow->GetGrowSpeed(), 20.0f);
  auto* zoom = static_cast<BvZoomToBehavior*>(d[6]);
  EXPECT_FLOAT_EQ(zoom->GetTargetFactor(), 1.0f);
  EXPECT_FLOAT_EQ(zoom->GetSpeed(), 20.0f);
  EXPECT_EQ(zoom->GetEffect(), 0);
  auto* fadeIn = static_cast<BvColorFadeBehavior*>(d[7]);
  EXPECT_FLOAT_EQ(fadeIn->GetSpeed(), 20.0f);
  EXPECT_FLOAT_EQ(fadeIn->GetStartDelay(), 0.0f);
  EXPECT_FALSE(fadeIn->GetHold());
  auto* fadeOut = static_cast<BvFadeOutBehavior*>(d[8]);
  EXPECT_FLOAT_EQ(fadeOut->GetSpeed(), 20.0f);
  EXPECT_TRUE(fadeOut->GetRemoveElement());
  EXPECT_FALSE(fadeOut->GetHold());

  const auto& g = Find("given")->GetBehaviors();
  ASSERT_EQ(g.size(), 6u);
  sine = static_cast<BvSinusYBehavior*>(g[0]);
  EXPECT_FLOAT_EQ(sine->GetRange(), 5.0f);
  EXPECT_FLOAT_EQ(sine->GetSpeed(), 100.0f);
  EXPECT_FLOAT_EQ(sine->GetPhase(), 1.5f);
  follow = static_cast<BvMouseMoveBehavior*>(g[1]);
  EXPECT_FALSE(follow->GetFollowX());
  EXPECT_TRUE(follow->GetFollowY());
  over = static_cast<BvMouseOverElementBehavior*>(g[2]);
  EXPECT_EQ(over->GetSwitchElementName(), "hover");
  EXPECT_FLOAT_EQ(over->GetHoverAnimSpeed(), 12.0f) << "an integer parameter";
  EXPECT_EQ(over->GetSoundName(), std::string("a_very_long_sound_name_over_29_chars").substr(0, 29));
  grow = static_cast<BvMouseOverGrowBehavior*>(g[3]);
  EXPECT_FLOAT_EQ(grow->GetGrowFactor(), 2.0f);
  EXPECT_FLOAT_EQ(grow->GetGrowSpeed(), 40.0f);
  EXPECT_EQ(grow->GetSoundName(), "pop");
  zoom = static_cast<BvZoomToBehavior*>(g[4]);
  EXPECT_FLOAT_EQ(zoom->GetTargetFactor(), 3.0f);
  EXPECT_EQ(zoom->GetEffect(), 2);
  fadeOut = static_cast<BvFadeOutBehavior*>(g[5]);
  EXPECT_FLOAT_EQ(fadeOut->GetSpeed(), 40.0f);
  EXPECT_FLOAT_EQ(fadeOut->GetStartDelay(), 500.0f);
}

}  // namespace
