// The frame round the playable cells, the spell gauges' locks, the
// selection corners and the achievement notice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/board_grid.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "game/board/layout.h"
#include "game/board/layout_decorations.h"
#include "support/board_world.h"

namespace {

using board_test::MakeLayout;

std::string Join(const std::vector<const char*>& names) {
  std::string out;
  for (const char* name : names) out += std::string(out.empty() ? "" : " ") + name;
  return out;
}

TEST(BoardFrame, TheNeighbourMaskChoosesThePieces) {
  struct Case {
    int mask;
    const char* names;
  };
  const Case cases[] = {
      {0, ""},
      {8, "bright"},
      {16, "bleft"},
      {2, "bbottom"},
      {64, "btop"},
      {1, "bbottomright"},
      {4, "bbottomleft"},
      {32, "btopright"},
      {128, "btopleft"},
      {2 | 8, "bright bbottom binnertopleft"},
      {2 | 16, "bleft bbottom binnertopright"},
      {64 | 8, "bright btop binnerbottomleft"},
      {64 | 16, "bleft btop binnerbottomright"},
      {1 | 2, "bbottom"},
      {255, "bright bleft bbottom btop binnertopleft binnertopright binnerbottomleft binnerbottomright"},
  };
  for (const Case& c : cases) EXPECT_EQ(Join(BvLayout::FrameSpriteNames(c.mask)), c.names) << c.mask;
}

TEST(BoardFrame, ASinglePlayableCellIsFramedOnAllSides) {
  // One playable cell at (5, 5).
  std::vector<BvLayoutCell> layout(kBoardCells);
  layout[5 * kBoardRows + 5] = BvLayoutCell{2, 1};
  std::string around;
  for (int r = 4; r <= 6; ++r) {
    for (int c = 4; c <= 6; ++c) {
      if (c == 5 && r == 5) continue;
      around += Join(BvLayout::FrameSpriteNames(BvLayout::FrameMask(layout.data(), c, r))) + ";";
    }
  }
  EXPECT_EQ(around, "btopleft;btop;btopright;bleft;bright;bbottomleft;bbottom;bbottomright;");

  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  board.Setup(layout.data());
  EXPECT_EQ(board.GetFrameSprites().size(), 8u);
}

TEST(BoardFrame, NothingIsFramedOutsideTheBoard) {
  // Column 0 playable from row 0 to row 11.
  std::vector<BvLayoutCell> layout(kBoardCells);
  for (int r = 0; r < kBoardRows - 1; ++r) layout[r] = BvLayoutCell{1, 1};
  EXPECT_EQ(BvLayout::FrameMask(layout.data(), 0, 12), 2) << "no left-hand bits in column 0";
  EXPECT_EQ(Join(BvLayout::FrameSpriteNames(2)), "bbottom");
  EXPECT_EQ(BvLayout::FrameMask(layout.data(), 1, 0), 8 | 32) << "no upper bits in row 0";
  EXPECT_EQ(BvLayout::FrameMask(layout.data(), 16, 5), 0);
}

TEST(SpellGauges, SpellsUnlockWorldByWorld) {
  struct Case {
    int world, level;
    const char* locked;  // spells 0..5
  };
  const Case cases[] = {
      {0, 0, "111111"}, {0, 2, "011111"}, {2, 0, "001111"}, {2, 2, "000111"}, {5, 0, "000001"}, {5, 3, "000000"}};
  for (const Case& c : cases) {
    bv::test::BoardWorld world;
    auto* panel = new BvLevelElement(world.manager());
    panel->SetName("sortgui");
    ASSERT_TRUE(world.level()->AddObject(panel));
    world.host.profile.world = c.world;
    world.host.profile.level = c.level;
    BvLayout board(&world.host);
    board.Setup(board_test::BlockLayout(4, 4, 6, 6).data());
    std::string locked;
    for (BvSpellRecord& spell : board.GetSpells()) {
      locked += spell.locked ? '1' : '0';
      ASSERT_NE(spell.gauge, nullptr);
      EXPECT_EQ(spell.gauge->GetParent(), spell.gaugeBack);
      EXPECT_EQ(spell.gaugeBack->GetParent(), panel);
      EXPECT_FLOAT_EQ(spell.gauge->GetScale().X, 0.0f) << "empty";
    }
    EXPECT_EQ(locked, c.locked) << c.world << "," << c.level;
    EXPECT_EQ(world.CountElements("locksort"), int(std::count(locked.begin(), locked.end(), '1')));
  }
}

// The time gauge is shown from the set-up on only in time mode, before the
// board's first update.
TEST(TimeGauge, ShownAtTheSetUpOnlyInTimeMode) {
  for (const uint8_t timeMode : {uint8_t(0), uint8_t(1)}) {
    bv::test::BoardWorld world;
    world.host.profile.timeMode = timeMode;
    BvLayout board(&world.host);
    board.Setup(board_test::BlockLayout(4, 4, 6, 6).data());
    ASSERT_NE(board.GetGaugeBar(), nullptr);
    EXPECT_EQ(board.GetGaugeBar()->IsVisible(), timeMode != 0) << "time mode " << int(timeMode);
  }
}

TEST(SpellGauges, APadlockIsOpaqueFromTheFirstFrame) {
  // The spell icons are painted on the panel, which is opaque as soon as it
  // shows: a padlock drawn any fainter lets a locked spell look open.
  bv::test::BoardWorld world;
  auto* panel = new BvLevelElement(world.manager());
  panel->SetName("sortgui");
  ASSERT_TRUE(world.level()->AddObject(panel));
  world.host.profile.world = 2;
  world.host.profile.level = 0;
  BvLayout board(&world.host);
  board.Setup(board_test::BlockLayout(4, 4, 6, 6).data());
  auto lockAlphas = [&world] {
    std::string alphas;
    for (const auto& entry : world.level()->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      const BvElement* source = element->GetSourceElement();
      if (!source || source->GetNameString() != "locksort" || element->m_bDead) continue;
      const bool shown = element->IsVisible() && element->GetColor().getAlpha() == 255;
      alphas += shown ? 'o' : '.';
    }
    return alphas;
  };
  EXPECT_EQ(lockAlphas(), "oooo") << "as made";
  for (float ms : {1.0f, 16.0f, 100.0f, 400.0f}) {
    world.RunLevel(ms);
    EXPECT_EQ(lockAlphas(), "oooo") << "after a frame of " << ms << " ms";
  }
}

TEST(SelectionCorners, TheyFollowTheSelectedCellAndBreathe) {
  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  board.Setup(board_test::BlockLayout(4, 4, 8, 8).data());
  ASSERT_EQ(board.GetSelectionCorners().size(), 4u);
  for (BvLevelElement* corner : board.GetSelectionCorners()) EXPECT_FALSE(corner->IsVisible());
  board.GetCell(5, 6).Click();
  const irr::core::vector2df centre = CellToScreen(5, 6);
  const float expected[4][2] = {{-14, 15}, {10, 15}, {-14, -9}, {10, -9}};
  for (int i = 0; i < 4; ++i) {
    BvLevelElement* corner = board.GetSelectionCorners()[i];
    EXPECT_TRUE(corner->IsVisible());
    EXPECT_FLOAT_EQ(corner->GetLocalPosition().X, centre.X + expected[i][0]) << i;
    EXPECT_FLOAT_EQ(corner->GetLocalPosition().Y, centre.Y + expected[i][1]) << i;
    EXPECT_EQ(corner->GetBehaviors().size(), 3u);
  }
  board.GetCell(7, 7).Click();  // the selection moves
  for (BvLevelElement* corner : board.GetSelectionCorners()) EXPECT_EQ(corner->GetBehaviors().size(), 3u);
  board.ClearSelection();
  for (BvLevelElement* corner : board.GetSelectionCorners()) {
    EXPECT_FALSE(corner->IsVisible());
    EXPECT_TRUE(corner->GetBehaviors().empty());
  }
}

}  // namespace
