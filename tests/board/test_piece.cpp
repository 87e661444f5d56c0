// A cell's piece with level elements: filling, clearing, animations, the
// fade-in at set-up, motion and landing.
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "game/board/layout.h"
#include "support/board_world.h"

namespace {

using board_test::BlockLayout;

// Records the events a cell sends.
class EventLog : public CManagedObjectBase {
 public:
  void OnNotify(int event, CManagedObjectBase*) override { events.push_back(event); }
  std::vector<int> events;
};

class PieceTest : public ::testing::Test {
 protected:
  PieceTest() : board(&world.host) { board.Setup(BlockLayout(2, 2, 12, 10).data()); }
  std::string Source(BvLevelElement* element) {
    return element && element->GetSourceElement() ? element->GetSourceElement()->GetNameString() : "";
  }
  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(PieceTest, SetUpPiecesFadeInFromTheCentreOutward) {
  struct Case {
    int column, row;
    float delay;
  };
  const Case cases[] = {{8, 6, 0}, {7, 6, 30}, {2, 2, (36 + 16) * 30.0f}, {12, 10, (16 + 16) * 30.0f}};
  for (const Case& c : cases) {
    for (BvLevelElement* e : {board.GetCell(c.column, c.row).GetSprite(),
                              board.GetCell(c.column, c.row).GetBackgroundSprite()}) {
      ASSERT_NE(e, nullptr);
      ASSERT_FALSE(e->GetBehaviors().empty());
      EXPECT_EQ(e->GetBehaviors()[0]->GetType(), kBehaviorColorFade);
      EXPECT_FLOAT_EQ(e->GetBehaviors()[0]->GetStartDelay(), c.delay) << c.column << "," << c.row;
    }
  }
  EXPECT_EQ(board.GetCell(5, 5).GetSprite()->GetLayer(), 3);
  EXPECT_EQ(board.GetCell(5, 5).GetBackgroundSprite()->GetLayer(), 2);
  EXPECT_EQ(Source(board.GetCell(5, 5).GetBackgroundSprite()), "backclear");
}

TEST_F(PieceTest, SetWithNoPieceClearsWhateverWasThere) {
  BvPiece& cell = board.GetCell(5, 5);
  BvLevelElement* sprite = cell.GetSprite();
  cell.Set(0, kBackClear, 3, false);
  EXPECT_EQ(cell.present, 0);
  EXPECT_EQ(cell.colour, kNoColour);
  EXPECT_EQ(cell.GetSprite(), nullptr);
  EXPECT_TRUE(sprite->m_bDead);
  EXPECT_EQ(sprite->m_pUser, nullptr);
}

TEST_F(PieceTest, AnimationsNameTheColoursImages) {
  BvPiece& cell = board.GetCell(5, 5);
  cell.SetColour(3);
  EXPECT_EQ(Source(cell.GetSprite()), "P3");
  cell.SetAnimation(kAnimIdle);
  EXPECT_EQ(Source(cell.GetSprite()), "P3Idle");
  cell.SetAnimation(kAnimTurn);
  EXPECT_EQ(Source(cell.GetSprite()), "P3Turn");
  cell.SetAnimation(7);
  EXPECT_EQ(cell.animation, 7);
  EXPECT_EQ(Source(cell.GetSprite()), "P3Turn") << "other kinds change only the number";
}

TEST_F(PieceTest, ADiagonalSlideLandsInBothAxesAtOnce) {
  BvPiece& cell = board.GetCell(6, 6);
  BvLevelElement* sprite = cell.GetSprite();
  sprite->SetPosition(CellToScreen(5, 5));
  cell.motion = kMotionSlideRight;
  int frames = 0;
  while (cell.motion != kMotionIdle && frames++ < 100) {
    cell.Update(16);
    const irr::core::vector2df p = sprite->GetPosition();
    const irr::core::vector2df from = CellToScreen(5, 5);
    EXPECT_NEAR(p.X - from.X, from.Y - p.Y, 1e-3f) << "both axes move by the same step";
  }
  EXPECT_EQ(sprite->GetPosition(), CellToScreen(6, 6));
}

TEST_F(PieceTest, ASwapTravelsOneAxisAndSnapsOnArrival) {
  struct Case {
    int c1, r1, c2, r2;
  };
  for (const Case& c : {Case{5, 5, 6, 5}, Case{6, 5, 5, 5}, Case{5, 5, 5, 6}, Case{5, 6, 5, 5}}) {
    board.Reset();
    board.Setup(BlockLayout(2, 2, 12, 10).data());
    BvPiece& cell = board.GetCell(c.c1, c.r1);
    EventLog log;
    cell.ClearListeners();
    cell.AddListener(&log);
    cell.StartSwap(c.c2, c.r2);
    const irr::core::vector2df start = cell.GetSprite()->GetPosition();
    int frames = 0;
    while (log.events.empty() && frames++ < 100) {
      cell.Update(16);
      const irr::core::vector2df p = cell.GetSprite()->GetPosition();
      EXPECT_FLOAT_EQ(c.r1 == c.r2 ? p.Y : p.X, c.r1 == c.r2 ? start.Y : start.X) << "one axis only";
    }
    EXPECT_EQ(log.events, std::vector<int>{kEventSwapArrived});
    EXPECT_EQ(cell.GetSprite()->GetPosition(), CellToScreen(c.c2, c.r2));
    EXPECT_FLOAT_EQ(cell.fallTerm, 0);
    cell.ClearListeners();
  }
}

TEST_F(PieceTest, APieceWaitingForTheMatchTestDoesNotMove) {
  BvPiece& cell = board.GetCell(5, 5);
  cell.motion = kMotionSwapped;
  const irr::core::vector2df before = cell.GetSprite()->GetPosition();
  cell.Update(100);
  EXPECT_EQ(cell.GetSprite()->GetPosition(), before);
}

TEST_F(PieceTest, AFadedOutSpriteClearsItsCell) {
  BvPiece& cell = board.GetCell(5, 5);
  cell.OnNotify(kEventFadedOut, nullptr);
  EXPECT_EQ(cell.present, 0);
  EXPECT_EQ(cell.GetSprite(), nullptr);
}

TEST_F(PieceTest, VanishingLetsTheElementsGoAndForgetsThem) {
  BvPiece& cell = board.GetCell(5, 5);
  cell.lockCounter = 1;
  cell.Set(1, kBackFill, 2, false);
  ASSERT_NE(cell.GetLockSprite(), nullptr);
  world.RunLevel(16);  // the replaced sprite goes
  const int before = int(world.level()->GetCount());
  cell.VanishAll(0);
  EXPECT_EQ(cell.GetSprite(), nullptr);
  EXPECT_EQ(cell.GetBackgroundSprite(), nullptr);
  EXPECT_EQ(cell.GetLockSprite(), nullptr);
  for (int i = 0; i < 60; ++i) world.RunLevel(16);
  EXPECT_EQ(int(world.level()->GetCount()), before - 3);
}

}  // namespace
