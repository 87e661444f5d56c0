// The six spells' timed effects on small boards, with a scripted random
// source where the choice matters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "board/board_grid.h"
#include "engine/level/behavior.h"
#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "support/board_world.h"

namespace {

using board_test::DrawBackgrounds;
using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::ReadBackgrounds;
using board_test::ReadPieces;
using board_test::Rows;

enum Spell { kStorm = 0, kChainBurn = 1, kFreeze = 2, kCageStorm = 3, kElectric = 4, kFallBomb = 5 };

// A board in a world with level elements; spells are started directly and
// run through the board's spell step only, so the cells show the spell's
// own changes (no gravity, no refill).
struct SpellWorld {
  SpellWorld() : board(&world.host) {
    board.Reset();
    board.GetSpells()[0].locked = false;
  }
  // Runs the spell for ms in 10 ms steps.
  void Run(float ms) {
    for (float t = 0; t < ms; t += 10.0f) board.UpdateSpell(10.0f);
  }
  void Start(int spell) {
    board.StartSpell(spell);
    board.UpdateSpell(0.0f);  // the start step
  }

  bv::test::BoardWorld world;
  BvLayout board;
};

TEST(SpellStorm, StrikesUpToFourFreeBackfillsAndBlockersAtOneAndAHalfSeconds) {
  // Four candidates (three backfills and a blocker), all struck whatever
  // their order; the locked backfill is left alone. Each seed orders them
  // differently: a blocker struck after a backfill shows no points.
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
    SpellWorld s;
    bv::test::FixedRandom random(seed);
    bv::test::ScopedRandom install(&random);
    DrawPieces(s.board, {"12345"}, 2, 2);
    DrawBackgrounds(s.board, {"22232"}, 2, 2);
    DrawLocks(s.board, {"00001"}, 2, 2);
    s.Start(kStorm);
    EXPECT_TRUE(s.world.Played("sortlaunch"));
    EXPECT_EQ(s.world.CountElements("storm"), 4);
    s.Run(1490);
    EXPECT_TRUE(s.world.Played("electric"));
    EXPECT_EQ(ReadBackgrounds(s.board, 5, 1, 2, 2), Rows{"22232"}) << "nothing struck yet";
    s.Run(20);
    EXPECT_EQ(ReadBackgrounds(s.board, 5, 1, 2, 2), Rows{"11122"}) << "seed " << seed;
    EXPECT_EQ(s.world.host.scores, (std::vector<int>{15, 15, 15})) << "seed " << seed;
    EXPECT_EQ(s.world.CountElements("explo1"), 4);
    EXPECT_EQ(ReadPieces(s.board, 5, 1, 2, 2), Rows{"12345"}) << "the pieces stay";
    EXPECT_TRUE(s.board.IsSpellRunning());
    s.Run(500);
    EXPECT_FALSE(s.board.IsSpellRunning()) << "ends after two seconds";
  }
}

TEST(SpellChainBurn, BreaksOneLinkOfEachLockedPieceAfterThreeSeconds) {
  SpellWorld s;
  DrawPieces(s.board, {"1234"}, 3, 3);
  DrawLocks(s.board, {"1020"}, 3, 3);
  s.Start(kChainBurn);
  EXPECT_TRUE(s.world.Played("chainburn"));
  s.Run(510);
  EXPECT_EQ(s.world.CountElements("smoke"), 2);
  s.Run(2480);
  EXPECT_EQ(s.board.GetCell(3, 3).lockCounter, 1) << "not yet";
  s.Run(20);
  EXPECT_EQ(s.board.GetCell(3, 3).lockCounter, 0);
  EXPECT_EQ(s.board.GetCell(5, 3).lockCounter, 1) << "a double lock loses one link";
  EXPECT_EQ(s.world.host.profile.chainsBroken, 2);
  EXPECT_TRUE(s.world.Played("explobig"));
  s.Run(200);
  EXPECT_FALSE(s.board.IsSpellRunning());
}

TEST(SpellTargets, StormAndChainBurnTakeFourOfMoreCandidates) {
  // Seven candidates in a row; every seed chooses another four.
  for (uint32_t seed : {1u, 2u, 3u, 4u}) {
    {
      SpellWorld s;
      bv::test::FixedRandom random(seed);
      bv::test::ScopedRandom install(&random);
      DrawPieces(s.board, {"1234512"}, 2, 2);
      DrawBackgrounds(s.board, {"2222222"}, 2, 2);
      s.Start(kStorm);
      s.Run(1510);
      const std::string after = ReadBackgrounds(s.board, 7, 1, 2, 2)[0];
      EXPECT_EQ(std::count(after.begin(), after.end(), '1'), 4) << "storm, seed " << seed << ": " << after;
      EXPECT_EQ(s.world.CountElements("explo1"), 4) << "storm, seed " << seed;
      EXPECT_EQ(s.world.host.scores, (std::vector<int>{15, 15, 15, 15})) << "storm, seed " << seed;
    }
    {
      SpellWorld s;
      bv::test::FixedRandom random(seed);
      bv::test::ScopedRandom install(&random);
      DrawPieces(s.board, {"1234512"}, 2, 2);
      DrawLocks(s.board, {"1111111"}, 2, 2);
      s.Start(kChainBurn);
      s.Run(510);
      EXPECT_EQ(s.world.CountElements("smoke"), 4) << "chain burn, seed " << seed;
      s.Run(2500);
      int freed = 0;
      for (int c = 2; c < 9; ++c) freed += s.board.GetCell(c, 2).lockCounter == 0;
      EXPECT_EQ(freed, 4) << "chain burn, seed " << seed;
      EXPECT_EQ(s.world.host.profile.chainsBroken, 4) << "chain burn, seed " << seed;
    }
  }
}

TEST(SpellChainBurn, AChainAMatchBrokeBeforeTheSmokeIsLeftAlone) {
  SpellWorld s;
  DrawPieces(s.board, {"12"}, 3, 3);
  DrawLocks(s.board, {"11"}, 3, 3);
  s.Start(kChainBurn);
  s.board.GetCell(3, 3).lockCounter = 0;  // broken by a match meanwhile
  s.Run(510);
  EXPECT_EQ(s.world.CountElements("smoke"), 1);
  s.Run(2500);
  EXPECT_EQ(s.world.host.profile.chainsBroken, 1);
}

TEST(SpellFizzle, SpellsWithoutTargetsFizzleAndEndAtOnce) {
  for (int spell : {kChainBurn, kCageStorm, kElectric}) {
    SpellWorld s;
    DrawPieces(s.board, {"1234"}, 3, 3);
    s.Start(spell);
    EXPECT_TRUE(s.world.Played("fizzle")) << spell;
    EXPECT_FALSE(s.board.IsSpellRunning()) << spell;
    EXPECT_EQ(s.world.host.profile.spellsCast, 1) << "the cast counts all the same";
  }
}

TEST(SpellFreeze, RemovesEveryFreePieceOfOneColour) {
  SpellWorld s;
  bv::test::ScriptedRandom random({2});  // colour 3
  bv::test::ScopedRandom install(&random);
  DrawPieces(s.board, {"1323", "3453"}, 2, 2);
  DrawLocks(s.board, {"0000", "1000"}, 2, 2);  // the locked 3 stays
  s.Start(kFreeze);
  s.Run(510);
  EXPECT_EQ(s.world.CountElements("freeze"), 3);
  s.Run(1990);
  EXPECT_EQ(ReadPieces(s.board, 4, 2, 2, 2), (Rows{"1323", "3453"})) << "not before 2.5 s";
  s.Run(20);
  EXPECT_EQ(ReadPieces(s.board, 4, 2, 2, 2), (Rows{"1.2.", "345."}));
  EXPECT_EQ(s.board.GetCell(3, 2).delay, 500.0f) << "the cell waits before taking a piece";
  EXPECT_EQ(s.world.CountElements("P3"), 3) << "the frozen pieces fly away";
  EXPECT_TRUE(s.world.host.scores.empty()) << "no points";
  s.Run(500);
  EXPECT_FALSE(s.board.IsSpellRunning());
}

TEST(SpellFreeze, ManyTargetsShowTheirIceInTurnAndFadeOutInTurn) {
  // 45 pieces of colour 1 in row-major order: target i's ice shows 50 i ms
  // late and starts fading 2000 - 50 i ms after it shows, at once from the
  // 41st on.
  SpellWorld s;
  bv::test::ScriptedRandom random({0});  // colour 1
  bv::test::ScopedRandom install(&random);
  DrawPieces(s.board, Rows(3, std::string(15, '1')), 1, 1);
  s.Start(kFreeze);
  s.Run(510);
  ASSERT_EQ(s.world.CountElements("freeze"), 45);
  int checked = 0;
  for (const auto& entry : s.world.level()->GetIdIndex()) {
    auto* ice = static_cast<BvLevelElement*>(entry.second);
    if (!ice->GetSourceElement() || ice->GetSourceElement()->GetNameString() != "freeze") continue;
    const irr::core::vector2df at = ice->GetPosition();
    const int column = int(std::lround((at.X + 350.0f) / 44.0f));
    const int row = int(std::lround((257.0f - at.Y) / 44.0f));
    const int i = (row - 1) * 15 + (column - 1);
    EXPECT_FLOAT_EQ(ice->GetStartDelay(), 50.0f * i) << "target " << i;
    EXPECT_EQ(ice->GetLayer(), 4) << "target " << i;
    const BvFadeOutBehavior* out = nullptr;
    for (const BvBehavior* behaviour : ice->GetBehaviors()) {
      if (auto* fade = dynamic_cast<const BvFadeOutBehavior*>(behaviour)) out = fade;
    }
    ASSERT_NE(out, nullptr) << "target " << i;
    EXPECT_FLOAT_EQ(out->GetStartDelay(), 2000.0f - 50.0f * i) << "target " << i;
    EXPECT_TRUE(out->GetRemoveElement()) << "target " << i;
    ++checked;
  }
  EXPECT_EQ(checked, 45);
  s.Run(2000);
  EXPECT_EQ(ReadPieces(s.board, 15, 3, 1, 1), Rows(3, std::string(15, '.'))) << "all go at 2.5 s";
}

TEST(SpellFreeze, APieceThatMovedOrGotChainedSinceItWasChosenStays) {
  SpellWorld s;
  bv::test::ScriptedRandom random({2});  // colour 3
  bv::test::ScopedRandom install(&random);
  DrawPieces(s.board, {"3333", "1111"}, 2, 2);
  s.Start(kFreeze);
  s.Run(510);
  // Meanwhile: a piece of colour 1 takes the place of (2, 2), and (3, 2)
  // is chained by a crab.
  s.board.Exchange(2, 2, 2, 3);
  s.board.GetCell(3, 2).lockCounter = 1;
  s.Run(2000);
  EXPECT_EQ(ReadPieces(s.board, 4, 2, 2, 2), (Rows{"13..", "3111"}));
}

TEST(SpellCageStorm, StrikesTwoCellsAroundEachCage) {
  SpellWorld s;
  DrawPieces(s.board, {"11111", "11111", "11111"}, 4, 4);
  DrawBackgrounds(s.board, {"31411", "11111", "11211"}, 4, 4);
  s.Start(kCageStorm);
  EXPECT_EQ(s.world.CountElements("storm"), 4);
  s.Run(990);
  EXPECT_EQ(ReadBackgrounds(s.board, 5, 3, 4, 4), (Rows{"31411", "11111", "11211"}));
  s.Run(20);
  EXPECT_EQ(ReadBackgrounds(s.board, 5, 3, 4, 4), (Rows{"11411", "11111", "11111"}))
      << "the blocker two columns left turns backfill and is cleared at once";
  EXPECT_TRUE(s.world.host.scores.empty()) << "no score pop-up";
  EXPECT_EQ(s.world.host.stats.backgroundsCleared, 2) << "both count as cleared tiles";
  s.Run(500);
  EXPECT_FALSE(s.board.IsSpellRunning());
}

TEST(SpellElectric, KillsEveryMonsterAtTwoSeconds) {
  SpellWorld s;
  DrawPieces(s.board, {"1234"}, 3, 3);
  BvMonsterManager& monsters = *s.board.GetMonsters();
  monsters.SpawnMonster(kMonsterBat);
  monsters.SpawnMonster(kMonsterCrab);
  ASSERT_NE(monsters.GetSlot(1).body, nullptr);
  s.Start(kElectric);
  EXPECT_EQ(s.world.CountElements("bulleeffect"), 2);
  s.Run(1990);
  EXPECT_EQ(monsters.GetSlot(0).kind, kMonsterBat);
  s.Run(20);
  EXPECT_EQ(monsters.GetSlot(0).kind, kMonsterNone);
  EXPECT_EQ(monsters.GetSlot(1).kind, kMonsterNone);
  EXPECT_EQ(s.world.host.profile.monstersKilled, 0) << "only clicks count kills";
  s.Run(100);
  EXPECT_FALSE(s.board.IsSpellRunning());
}

TEST(SpellFallBomb, BlowsUpADiscRoundARandomCentre) {
  SpellWorld s;
  DrawPieces(s.board, Rows(kBoardRows, std::string(kBoardColumns, '2')));
  s.board.GetCell(5, 3).lockCounter = 1;
  // The column is drawn first: 0 % 8 + 4 = 4; then the row: 0 % 6 + 3 = 3.
  bv::test::ScriptedRandom random({0, 0});
  bv::test::ScopedRandom install(&random);
  s.Start(kFallBomb);
  EXPECT_TRUE(s.world.Played("fallbomb"));
  s.Run(1490);
  EXPECT_EQ(random.drawn, 0);
  s.Run(20);
  EXPECT_EQ(ReadPieces(s.board, 7, 7, 1, 0), (Rows{"2222222",
                                                   "222.222",
                                                   "22...22",
                                                   "2...2.2",
                                                   "22...22",
                                                   "222.222",
                                                   "2222222"}))
      << "thirteen cells round (4, 3), the locked one kept";
  EXPECT_EQ(s.world.CountElements("explo1"), 12);
  EXPECT_TRUE(s.world.Played("explobig"));
  s.Run(100);
  EXPECT_FALSE(s.board.IsSpellRunning());
}

TEST(SpellUnknown, AnUnknownSpellNumberIsReportedAndDropped) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  board.Reset();
  const bv::MessageBoxMode mode = bv::GetMessageBoxMode();
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  board.UpdateSpell(10.0f);  // no spell number: -1
  bv::SetMessageBoxMode(mode);
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "Erreur sort numero : -1");
  EXPECT_FALSE(board.IsSpellRunning());
}

}  // namespace

// The shake every spell start gives the view: the camera swells and
// settles in beats and ends at rest, also when shakes follow each other (the
// falling bomb shakes three times at once), so the rest of the level and
// the recap over it are not drawn zoomed in.
TEST(SpellShake, CameraSwellsInBeatsAndComesBackToRest) {
  for (int shakes : {1, 3}) {
    SpellWorld s;
    BvCamera* camera = s.world.manager()->GetCamera();
    for (int i = 0; i < shakes; ++i) s.board.ShakeBoard();
    float widest = 1.0f;
    for (int frame = 0; frame < 150; ++frame) {  // two seconds at 75 Hz
      camera->Update(13.333f);
      widest = std::max(widest, camera->GetScale().X);
    }
    EXPECT_FLOAT_EQ(widest, 1.2f) << shakes << " shakes";
    EXPECT_FLOAT_EQ(camera->GetScale().X, 1.0f) << shakes << " shakes";
    EXPECT_FLOAT_EQ(camera->GetScale().Y, 1.0f) << shakes << " shakes";
    EXPECT_TRUE(camera->GetBehaviors().empty()) << shakes << " shakes";
  }
}
