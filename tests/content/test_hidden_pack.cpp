// The hidden-object screens and the tutorial and trophies pages of the built
// pack read through the engine's own readers (NULL driver): no alert, and
// everything the code hit-tests answers a click on it, since a click is a
// test of the cursor against the element's physics body.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "support/null_video.h"

namespace {

constexpr size_t kPicked = 12;   // objects the screen asks for

class HiddenPackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(video.driver(), nullptr);
    const std::string pack = std::string(QV_BUILD_DIR) + "/data/data.pk";
    ASSERT_TRUE(video.device()->getFileSystem()->addFileArchive(pack.c_str(), true, false,
                                                                 irr::io::EFAT_ZIP))
        << "cannot mount " << pack;
    manager = std::make_unique<BvLevelManager>(nullptr, true);
    bv::ClearShownMessages();
  }
  void TearDown() override { manager.reset(); }

  void ExpectNoAlert() {
    for (const bv::ShownMessage& m : bv::ShownMessages()) ADD_FAILURE() << m.caption << ": " << m.text;
    bv::ClearShownMessages();
  }

  BvLevelElement* Placed(const char* name) {
    BvLevel* level = manager->GetCurrentLevel();
    return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
  }

  // The element has a body and a click on its centre reaches it.
  void ExpectClickable(BvLevelElement* element, const std::string& name) {
    ASSERT_NE(element, nullptr) << name;
    element->InitPhysics();
    EXPECT_NE(element->GetBody(), nullptr) << name;
    EXPECT_TRUE(element->HitTest(element->GetPosition())) << name;
  }

  bv::test::NullVideo video;
  std::unique_ptr<BvLevelManager> manager;
};

TEST_F(HiddenPackTest, EveryObjectToFindAndTheHintButtonAnswerAClick) {
  for (const char* file : {"hidden1.xml", "hidden2.xml", "hidden3.xml"}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(manager->LoadScene(file));
    ASSERT_TRUE(manager->LoadLevel(0, file, true));
    ExpectNoAlert();
    std::vector<BvLevelElement*> candidates;
    for (const auto& [id, object] : manager->GetCurrentLevel()->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(object);
      if (element->GetLayer() == 1 || element->GetLayer() == 3) candidates.push_back(element);
    }
    ASSERT_GE(candidates.size(), kPicked);
    for (BvLevelElement* candidate : candidates) ExpectClickable(candidate, candidate->GetName());
    ExpectClickable(Placed("hint"), "hint");
    ExpectClickable(Placed("btnmenu"), "btnmenu");
    ASSERT_NE(Placed("panel"), nullptr);
    // The lit button takes over the dark one's place and must be clickable too.
    auto* lit = static_cast<BvElement*>(manager->GetElements()->FindObjectByName("hinton"));
    ASSERT_NE(lit, nullptr);
    EXPECT_NE(lit->GetShapeType(), kShapeNone);
    for (const char* made : {"rayure", "hintsparkle", "halosort", "stars", "tooltip", "levelcomplete"}) {
      EXPECT_NE(manager->GetElements()->FindObjectByName(made), nullptr) << made;
    }
  }
}

TEST_F(HiddenPackTest, TutorialAndTrophiesPagesAnswerTheirClicksAndHovers) {
  ASSERT_TRUE(manager->LoadScene("global.xml"));
  struct Page {
    int level;
    std::vector<const char*> hit;
  };
  const Page pages[] = {
      {8, {"showhint", "btnok"}},
      {9, {"btnok", "elemscore", "elemfreedom", "elemchainbreaker", "elemmagician", "elemmatches",
           "elemhunter"}},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.level);
    ASSERT_TRUE(manager->LoadLevel(page.level, "global.xml", false));
    ExpectNoAlert();
    ASSERT_NE(Placed("interfaceback"), nullptr);
    for (const char* name : page.hit) ExpectClickable(Placed(name), name);
  }
}

}  // namespace
