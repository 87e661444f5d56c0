// The six board screen files of the built pack read through the engine's
// own scene and level readers (NULL driver): no alert, every texture found,
// and the templates the board relies on have the kind it expects: pieces
// hit-testable over their whole cell, idle animations played once, turning
// ones looped, the smoke emitter with its particle source, the time bar on
// a picture of its own, level 0 with the panels and the menu button.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/sprite.h"
#include "support/null_video.h"

namespace {

constexpr int kWorlds = 6;
constexpr float kHalfCell = 22.0f;

class BoardPackTest : public ::testing::Test {
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

  BvElement* Element(const char* name) {
    return static_cast<BvElement*>(manager->GetElements()->FindObjectByName(name));
  }

  bv::test::NullVideo video;
  std::unique_ptr<BvLevelManager> manager;
};

// The extent of a polygon shape around the centre, pixels.
float Reach(const BvElement* element, bool horizontal) {
  float reach = 0.0f;
  for (int i = 0; i < element->GetVertexCount(); ++i) {
    const irr::core::vector2df v = element->GetVertex(i);
    reach = std::max(reach, std::abs(horizontal ? v.X : v.Y));
  }
  return reach;
}

TEST_F(BoardPackTest, EveryBoardScreenLoadsWithTheTemplatesTheBoardUses) {
  for (int world = 1; world <= kWorlds; ++world) {
    const std::string file = "swap" + std::to_string(world) + ".xml";
    SCOPED_TRACE(file);
    ASSERT_TRUE(manager->LoadScene(file.c_str()));
    ASSERT_TRUE(manager->LoadLevel(0, file.c_str(), true));
    for (const bv::ShownMessage& m : bv::ShownMessages()) ADD_FAILURE() << m.caption << ": " << m.text;
    bv::ClearShownMessages();

    for (int colour = 1; colour <= 5; ++colour) {
      const std::string plain = "P" + std::to_string(colour);
      for (const std::string& name : {plain, plain + "Idle", plain + "Turn"}) {
        SCOPED_TRACE(name);
        BvElement* piece = Element(name.c_str());
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(piece->GetShapeType(), kShapePolygon);
        // Presses anywhere on the cell reach the piece.
        EXPECT_GE(Reach(piece, true), kHalfCell - 1.0f);
        EXPECT_GE(Reach(piece, false), kHalfCell - 1.0f);
      }
      auto* idle = static_cast<BvAnimElement*>(Element((plain + "Idle").c_str()));
      auto* turn = static_cast<BvAnimElement*>(Element((plain + "Turn").c_str()));
      ASSERT_EQ(idle->GetType(), kElementAnim);
      ASSERT_EQ(turn->GetType(), kElementAnim);
      EXPECT_EQ(idle->GetAnimType(), 3);
      EXPECT_EQ(turn->GetAnimType(), 1);
      EXPECT_GT(idle->GetFrameCount(), 1);
      EXPECT_GT(turn->GetFrameCount(), 1);
    }

    auto* smoke = static_cast<BvParticleElement*>(Element("smoke"));
    ASSERT_NE(smoke, nullptr);
    ASSERT_EQ(smoke->GetType(), kElementParticle);
    EXPECT_NE(smoke->GetSourceElement(), nullptr);
    for (const char* monster : {"crabs", "bat", "turtle"}) {
      ASSERT_NE(Element(monster), nullptr) << monster;
      EXPECT_NE(Element(monster)->GetShapeType(), kShapeNone) << monster;
    }
    // The board rewrites the bar's rectangle as (0, v, 90, 420) of its picture.
    auto* bar = static_cast<BvImageElement*>(Element("timegauge"));
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->GetSprite(), nullptr);
    EXPECT_EQ(bar->GetSprite()->GetSourceRect(), irr::core::recti(0, 0, 90, 420));
    for (const char* additive : {"explo1", "combo1"}) {
      auto* anim = static_cast<BvAnimElement*>(Element(additive));
      ASSERT_NE(anim, nullptr) << additive;
      EXPECT_EQ(anim->GetBlitMode(), kBlitAdditive) << additive;
      EXPECT_EQ(anim->GetAnimType(), 3) << additive;
    }

    BvLevel* level = manager->GetCurrentLevel();
    ASSERT_NE(level, nullptr);
    for (const char* name : {"scoregui", "sortgui", "btnmenu"}) {
      auto* placed = static_cast<BvLevelElement*>(level->FindObjectByName(name));
      ASSERT_NE(placed, nullptr) << name;
      ASSERT_NE(placed->GetSourceElement(), nullptr) << name;
    }
    for (const char* button : {"sortgui", "btnmenu"}) {
      auto* placed = static_cast<BvLevelElement*>(level->FindObjectByName(button));
      EXPECT_EQ(placed->GetDynType(), 0) << button << " needs a body to be clicked";
      EXPECT_EQ(placed->GetSourceElement()->GetShapeType(), kShapePolygon) << button;
    }
  }
}

TEST_F(BoardPackTest, GlobalDataHoldsTheAlertBoxTemplates) {
  ASSERT_TRUE(manager->LoadScene("global.xml"));
  for (const bv::ShownMessage& m : bv::ShownMessages()) ADD_FAILURE() << m.caption << ": " << m.text;
  for (const char* name : {"alertback", "btnlarge", "btnlargeover"}) {
    ASSERT_NE(Element(name), nullptr) << name;
  }
  EXPECT_EQ(Element("btnlarge")->GetShapeType(), kShapePolygon);
}

}  // namespace
