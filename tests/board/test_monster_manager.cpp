// Monsters: which kind comes, spawning, each kind's action on the board,
// the gauges, clicks, hits and kills.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "board/board_grid.h"
#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "game/core/layout_bank.h"
#include "support/board_world.h"

namespace {

using board_test::DrawBackgrounds;
using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::Rows;

std::string SourceName(const BvLevelElement* element) {
  return element && element->GetSourceElement() ? element->GetSourceElement()->GetNameString() : "";
}

// A board with level elements, a layouts bank (layout 0 being played) and
// a scripted random source (0 once its values run out).
struct MonsterWorld {
  MonsterWorld() : board(&world.host), bank(std::make_unique<BvLayoutBank>()), install(&random) {
    board.Reset();
    world.host.bank = bank.get();
    world.host.layoutIndex = 0;
  }
  BvMonsterManager& monsters() { return *board.GetMonsters(); }
  // Board states the conditions read: a cage, five backfills, locks.
  void AddCage(int column = 8, int row = 6) { board.GetCell(column, row).background = kBackCage; }
  void AddBackfills(int n = 5) {
    for (int i = 0; i < n; ++i) board.GetCell(i, 12).background = kBackFill;
  }
  void AddLocks(int n) {
    for (int i = 0; i < n; ++i) board.GetCell(i, 11).lockCounter = 1;
  }
  // A monster of the kind in the next free slot, standing still on a cell.
  BvMonsterSlot& Place(int kind, int column, int row, float dx = 0.0f) {
    monsters().SpawnMonster(kind);
    for (int i = kMonsterSlots - 1; i >= 0; --i) {
      BvMonsterSlot& slot = monsters().GetSlot(i);
      if (slot.kind != kind) continue;
      slot.body->ClearBehaviors();
      slot.body->SetPosition(CellToScreen(column, row) + irr::core::vector2df(dx, 0.0f));
      return slot;
    }
    ADD_FAILURE() << "no slot took the monster";
    return monsters().GetSlot(0);
  }
  void SetLayoutCode(int column, int row, int back) { bank->SetCell(0, column, row, BvLayoutCell{back, 1}); }

  bv::test::BoardWorld world;
  BvLayout board;
  std::unique_ptr<BvLayoutBank> bank;
  bv::test::ScriptedRandom random;
  bv::test::ScopedRandom install;
};

TEST(MonsterChoice, TheWorldsCandidatesShuffledFromTheStartIndex) {
  // With every draw 0 the shuffle moves the first candidate to the end:
  // {a, b, c, d} becomes {b, c, d, a}; each world's list is spelled out.
  struct Case {
    int world;
    bool expert;
    uint32_t start;
    int kind;
    uint32_t startAfter;
  };
  const Case cases[] = {
      {0, false, 0, kMonsterTurtle, 0},       // {5, 3}
      {0, false, 1, kMonsterBat, 1},
      {0, true, 0, kMonsterCrab, 0},          // {1, 5, 4, 3}
      {1, false, 0, kMonsterBat, 0},          // {3, 5, 4, 1}
      {1, false, 2, kMonsterStrongBat, 2},
      {1, false, 3, kMonsterCrab, 3},
      {4, false, 4, kMonsterStrongCrab, 4},   // {3, 5, 4, 6, 2, 1}
      {4, false, 9, kMonsterStrongTurtle, 3}, // positions taken modulo the length
      {6, false, 0, kMonsterNone, 0},         // the game is finished: none
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    m.AddCage();
    m.AddBackfills();
    m.world.host.profile.world = c.world;
    m.world.host.expert = c.expert;
    m.monsters().SetStartIndex(c.start);
    EXPECT_EQ(m.monsters().ChooseKind(), c.kind) << "world " << c.world << " start " << c.start;
    if (c.kind != kMonsterNone) {
      EXPECT_EQ(m.monsters().GetStartIndex(), c.startAfter) << "world " << c.world << " start " << c.start;
    }
  }
}

TEST(MonsterChoice, TheBoardAndTheSlotsDecideWhichKindsMayCome) {
  struct Case {
    const char* what;
    int world;
    bool cage;
    int backfills;
    int locks;
    std::vector<int> alive;  // kinds alive in slots 0..
    int waiting;             // further slots waiting to reopen
    int kind;
  };
  const Case cases[] = {
      {"world 0: a bat needs five backfills or blockers", 0, false, 4, 0, {}, 0, kMonsterNone},
      {"world 0: five are enough", 0, false, 5, 0, {}, 0, kMonsterBat},
      {"world 0: a turtle needs a cage", 0, true, 0, 0, {}, 0, kMonsterTurtle},
      {"world 0: at most two slots alive or waiting", 0, true, 5, 0, {kMonsterBat}, 1, kMonsterNone},
      {"a kind alive is not chosen again", 0, true, 0, 0, {kMonsterTurtle}, 0, kMonsterNone},
      {"the other kind still may come", 0, true, 5, 0, {kMonsterTurtle}, 0, kMonsterBat},
      {"three locked cells keep crabs away", 1, false, 0, 3, {}, 0, kMonsterNone},
      {"two locked cells do not", 1, false, 0, 2, {}, 0, kMonsterCrab},
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    if (c.cage) m.AddCage();
    m.AddBackfills(c.backfills);
    m.AddLocks(c.locks);
    m.world.host.profile.world = c.world;
    int slot = 0;
    for (int kind : c.alive) m.monsters().GetSlot(slot++).kind = kind;
    for (int i = 0; i < c.waiting; ++i) m.monsters().GetSlot(slot++).respawnTimer = 1000.0f;
    EXPECT_EQ(m.monsters().ChooseKind(), c.kind) << c.what;
  }
}

TEST(MonsterSpawn, ABatWandersFromARandomCellWithItsGaugeAndTip) {
  MonsterWorld m;
  DrawPieces(m.board, {"1"});             // cell (0, 0): the path's cells
  DrawPieces(m.board, {"2"}, 5, 6);       // the start cell
  m.random.Push({1234 + 15000, 5, 6});    // first action after 1234 ms
  m.monsters().SpawnMonster(kMonsterBat);
  const BvMonsterSlot& bat = m.monsters().GetSlot(0);
  ASSERT_EQ(bat.kind, kMonsterBat);
  ASSERT_NE(bat.body, nullptr);
  EXPECT_EQ(SourceName(bat.body), "bat");
  EXPECT_EQ(bat.body->GetLayer(), 5);
  EXPECT_EQ(bat.body->GetPosition(), CellToScreen(5, 6));
  EXPECT_FLOAT_EQ(bat.elapsed, 1234.0f);
  EXPECT_FLOAT_EQ(bat.fullLife, 50000.0f);
  EXPECT_FLOAT_EQ(bat.lifeLeft, 50000.0f);
  ASSERT_EQ(bat.body->GetBehaviors().size(), 1u);
  auto* path = dynamic_cast<BvPathBehavior*>(bat.body->GetBehaviors()[0]);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->GetSpeed(), 25.0f);
  ASSERT_EQ(path->GetPoints().size(), 11u) << "the start, then ten random cells";
  EXPECT_EQ(path->GetPoints()[1], CellToScreen(0, 0));
  EXPECT_EQ(SourceName(bat.gaugeBack), "gaugeentback");
  EXPECT_EQ(bat.gauge->GetParent(), bat.gaugeBack);
  EXPECT_EQ(m.world.host.tips, (std::vector<std::pair<int, float>>{{8, 2500.0f}}));
  EXPECT_TRUE(m.world.Played("monsterappear"));
  EXPECT_EQ(m.world.CountElements("monsterappear"), 1);
}

TEST(MonsterSpawn, StrongFormsAreBiggerAndTintedAndExpertLivesLonger) {
  MonsterWorld m;
  m.world.host.expert = true;
  m.monsters().SpawnMonster(kMonsterStrongCrab);
  const BvMonsterSlot& crab = m.monsters().GetSlot(0);
  EXPECT_FLOAT_EQ(crab.body->GetScale().X, 1.1f);
  EXPECT_EQ(crab.body->GetColor(), irr::video::SColor(255, 200, 50, 200));
  EXPECT_FLOAT_EQ(crab.body->GetRotation(), 3.14159265f / 2);
  EXPECT_FLOAT_EQ(crab.fullLife, 60000.0f);
  EXPECT_FLOAT_EQ(crab.lifeLeft, 60000.0f) << "born with the whole longer life";
  EXPECT_EQ(crab.body->GetPosition(), irr::core::vector2df(0, 0)) << "no cell with a piece";
}

TEST(MonsterSpawn, ATurtleCirclesTheFirstCageTwoCellsAway) {
  MonsterWorld m;
  m.AddCage(8, 6);
  m.AddCage(3, 9);  // a later row: not the first
  m.random.Push({321});
  m.monsters().SpawnMonster(kMonsterTurtle);
  const BvMonsterSlot& turtle = m.monsters().GetSlot(0);
  EXPECT_EQ(turtle.body->GetPosition(), CellToScreen(8, 4));
  auto* path = dynamic_cast<BvPathBehavior*>(turtle.body->GetBehaviors().at(0));
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->GetPoints(),
            (std::vector<irr::core::vector2df>{CellToScreen(8, 4), CellToScreen(10, 6), CellToScreen(8, 8),
                                               CellToScreen(6, 6)}));
  EXPECT_FLOAT_EQ(turtle.elapsed, 321.0f);
  EXPECT_FLOAT_EQ(turtle.fullLife, 60000.0f);
  EXPECT_EQ(turtle.body->GetAnimSpeed(), 30.0f);
  EXPECT_EQ(m.world.host.tips, (std::vector<std::pair<int, float>>{{2, 2500.0f}}));
}

TEST(MonsterSpawn, AnAttemptComesEachIntervalEvenWhenNoKindFits) {
  struct Case {
    bool expert;
    float interval;
    int kind;  // with five backfills, crabs kept away by locks
  };
  for (const Case& c : {Case{false, 15000.0f, kMonsterBat}, Case{true, 7500.0f, kMonsterStrongBat}}) {
    MonsterWorld m;
    m.world.host.expert = c.expert;
    m.AddLocks(3);
    m.monsters().Update(c.interval);
    EXPECT_FLOAT_EQ(m.monsters().GetSpawnTimer(), c.interval) << "not past it yet";
    m.monsters().Update(1.0f);
    EXPECT_FLOAT_EQ(m.monsters().GetSpawnTimer(), 0.0f) << "restarts without a monster";
    EXPECT_EQ(m.monsters().GetSlot(0).kind, kMonsterNone);
    m.AddBackfills();
    m.monsters().Update(c.interval + 1.0f);
    EXPECT_EQ(m.monsters().GetSlot(0).kind, c.kind) << "expert " << c.expert;
  }
}

TEST(MonsterActions, CrabsChainAndBatsRefillTheCellTheyStandOn) {
  struct Case {
    const char* what;
    int kind;
    int background;
    int layoutCode;
    int motion;
    int lock;
    float offset;   // pixels off the cell's centre
    float elapsed;  // before a 20 ms frame
    bool acts;
    int backgroundAfter;
    int lockAfter;
  };
  const Case cases[] = {
      {"crab", kMonsterCrab, 1, 1, kMotionIdle, 0, 0, 17990, true, 1, 1},
      {"strong crab", kMonsterStrongCrab, 1, 1, kMotionIdle, 0, 17, 17990, true, 1, 2},
      {"crab too early", kMonsterCrab, 1, 1, kMotionIdle, 0, 0, 17970, false, 1, 0},
      {"crab over a falling piece", kMonsterCrab, 1, 1, kMotionFall, 0, 0, 17990, false, 1, 0},
      {"crab over a chained piece", kMonsterCrab, 1, 1, kMotionIdle, 1, 0, 17990, false, 1, 1},
      {"crab between two cells", kMonsterCrab, 1, 1, kMotionIdle, 0, 19, 17990, false, 1, 0},
      {"bat", kMonsterBat, 1, 2, kMotionIdle, 0, 0, 14990, true, 2, 0},
      {"bat over a blocker's place", kMonsterBat, 1, 3, kMotionIdle, 0, 0, 14990, true, 2, 0},
      {"bat where the layout had no backfill", kMonsterBat, 1, 1, kMotionIdle, 0, 0, 14990, false, 1, 0},
      {"bat over a backfill", kMonsterBat, 2, 2, kMotionIdle, 0, 0, 14990, false, 2, 0},
      {"strong bat over a backfill", kMonsterStrongBat, 2, 2, kMotionIdle, 0, 0, 9990, true, 3, 0},
      {"strong bat over a cleared cell", kMonsterStrongBat, 1, 3, kMotionIdle, 0, 0, 9990, true, 3, 0},
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    BvPiece& cell = m.board.GetCell(6, 7);
    cell.Set(1, c.background, 3, true);  // with its sprites
    cell.motion = c.motion;
    cell.lockCounter = c.lock;
    m.SetLayoutCode(6, 7, c.layoutCode);
    BvMonsterSlot& slot = m.Place(c.kind, 6, 7, c.offset);
    slot.elapsed = c.elapsed;
    m.world.ClearSounds();
    m.monsters().UpdateMonsters(20.0f);
    EXPECT_EQ(cell.background, c.backgroundAfter) << c.what;
    EXPECT_EQ(cell.lockCounter, c.lockAfter) << c.what;
    EXPECT_FLOAT_EQ(slot.elapsed, c.acts ? 0.0f : c.elapsed + 20.0f) << c.what << ": tried again next frame";
    EXPECT_EQ(m.world.CountElements("effectmonster"), c.acts ? 1 : 0) << c.what;
    if (c.acts && c.lockAfter > 0) {
      EXPECT_EQ(SourceName(cell.GetLockSprite()), c.lockAfter == 1 ? "chaine1" : "chaine2") << c.what;
      EXPECT_FLOAT_EQ(cell.delay, 10.0f) << c.what;
      EXPECT_TRUE(m.world.Played("effectmonster")) << c.what;
    }
    if (c.acts && c.kind >= kMonsterBat) {
      EXPECT_TRUE(m.world.Played("effectmonsterbat")) << c.what;
    }
  }
}

TEST(MonsterActions, ATurtleGrowsABrokenChainBackOutOfTheCage) {
  struct Case {
    const char* what;
    int kind;
    int column, row;  // where the turtle stands
    int layoutCode;   // of the turtle's cell
    int chainColumn, chainRow, chainKind;  // -1: nothing grows
    int ownAfter;
  };
  const Case cases[] = {
      {"above the cage", kMonsterTurtle, 8, 4, 1, 8, 5, kBackChainV, kBackFill},
      {"right of the cage", kMonsterStrongTurtle, 10, 6, 2, 9, 6, kBackChainH, kBackBlocker},
      {"on a hole of the layout", kMonsterTurtle, 8, 4, 0, -1, -1, 0, kBackNone},
      {"three cells away", kMonsterTurtle, 8, 3, 1, -1, -1, 0, kBackClear},
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    BvPiece& cage = m.board.GetCell(8, 6);
    cage.Set(0, kBackCage, kNoColour, true);
    for (BvBehavior* wobble : cage.GetBackgroundSprite()->GetBehaviors()) wobble->SetElapsed(123.0f);
    BvPiece& own = m.board.GetCell(c.column, c.row);
    own.background = c.layoutCode == 0 ? kBackNone : kBackClear;
    m.SetLayoutCode(c.column, c.row, c.layoutCode);
    BvMonsterSlot& slot = m.Place(c.kind, c.column, c.row);
    slot.elapsed = 490.0f;
    m.monsters().UpdateMonsters(20.0f);
    EXPECT_EQ(own.background, c.ownAfter) << c.what;
    if (c.chainColumn < 0) {
      EXPECT_EQ(m.board.GetCell(8, 5).background, kBackNone) << c.what;
      EXPECT_GT(slot.elapsed, 500.0f) << c.what;
      continue;
    }
    const BvPiece& chain = m.board.GetCell(c.chainColumn, c.chainRow);
    EXPECT_EQ(chain.background, c.chainKind) << c.what;
    ASSERT_NE(chain.GetBackgroundSprite(), nullptr) << c.what;
    EXPECT_EQ(SourceName(chain.GetBackgroundSprite()), "chaineh") << c.what;
    int synced = 0;
    for (BvBehavior* wobble : chain.GetBackgroundSprite()->GetBehaviors()) {
      if (wobble->GetType() != kBehaviorSinusY && wobble->GetType() != kBehaviorCosinusX) continue;
      EXPECT_FLOAT_EQ(wobble->GetElapsed(), 123.0f) << c.what << ": sways in step with the cage";
      ++synced;
    }
    EXPECT_EQ(synced, 2) << c.what;
    EXPECT_EQ(m.world.CountElements("effectmonster"), 2) << c.what;
  }
}

TEST(MonsterActions, ATurtleTriesTheCageBelowAboveLeftThenRight) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> cages;
    int middleColumn, middleRow, chainKind;
  };
  const Case cases[] = {
      {"cages on all four sides", {{8, 8}, {8, 4}, {6, 6}, {10, 6}}, 8, 7, kBackChainV},
      {"above, left and right", {{8, 4}, {6, 6}, {10, 6}}, 8, 5, kBackChainV},
      {"left and right", {{6, 6}, {10, 6}}, 7, 6, kBackChainH},
      {"right only", {{10, 6}}, 9, 6, kBackChainH},
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    for (const auto& cage : c.cages) m.AddCage(cage.first, cage.second);
    m.board.GetCell(8, 6).background = kBackClear;
    m.SetLayoutCode(8, 6, kBackClear);
    BvMonsterSlot& slot = m.Place(kMonsterTurtle, 8, 6);
    slot.elapsed = 490.0f;
    m.monsters().UpdateMonsters(20.0f);
    for (const auto& middle : std::vector<std::pair<int, int>>{{8, 7}, {8, 5}, {7, 6}, {9, 6}}) {
      const bool chosen = middle.first == c.middleColumn && middle.second == c.middleRow;
      EXPECT_EQ(m.board.GetCell(middle.first, middle.second).background, chosen ? c.chainKind : kBackNone)
          << c.what << ": cell " << middle.first << "," << middle.second;
    }
    EXPECT_EQ(m.board.GetCell(8, 6).background, kBackFill) << c.what;
  }
}

TEST(MonsterSpawn, PickRandomCellTriesTwentyCells) {
  struct Case {
    const char* what;
    int misses;  // draws on a cell without piece before (5, 6)
    irr::core::vector2df start;
  };
  const Case cases[] = {
      {"the twentieth try finds the piece", 19, CellToScreen(5, 6)},
      {"twenty misses: no cell", 20, irr::core::vector2df(0, 0)},
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    DrawPieces(m.board, {"2"}, 5, 6);  // the only piece
    std::vector<int> values = {0};     // the first action's time
    for (int i = 0; i < c.misses; ++i) values.insert(values.end(), {0, 1});  // cell (0, 1)
    values.insert(values.end(), {5, 6});
    m.random.Push(values);
    m.monsters().SpawnMonster(kMonsterBat);
    const BvMonsterSlot& bat = m.monsters().GetSlot(0);
    ASSERT_NE(bat.body, nullptr) << c.what;
    EXPECT_EQ(bat.body->GetPosition(), c.start) << c.what;
  }
}

TEST(MonsterHits, ADeadMonsterFallsAwayAsDebris) {
  MonsterWorld m;
  BvMonsterSlot& slot = m.Place(kMonsterStrongCrab, 4, 4);
  BvLevelElement* body = slot.body;
  m.random.Push({45, 7});
  m.monsters().KillMonster(0);
  EXPECT_TRUE(body->m_bDead);
  BvLevelElement* debris = nullptr;
  for (const auto& entry : m.world.level()->GetIdIndex()) {
    auto* element = static_cast<BvLevelElement*>(entry.second);
    if (element != body && !element->m_bDead && SourceName(element) == "crabs") debris = element;
  }
  ASSERT_NE(debris, nullptr);
  EXPECT_EQ(debris->GetPosition(), CellToScreen(4, 4));
  EXPECT_EQ(debris->GetLayer(), 4);
  EXPECT_EQ(debris->GetDynType(), 2) << "a falling body";
  EXPECT_TRUE(debris->GetGravity());
  EXPECT_FLOAT_EQ(debris->GetScale().X, 1.1f) << "the strong crab's size";
  EXPECT_EQ(debris->GetColor(), irr::video::SColor(255, 200, 50, 200)) << "and tint";
  EXPECT_EQ(debris->GetVelocity(), irr::core::vector2df(45 % 40 - 20, 30));
  EXPECT_FLOAT_EQ(debris->GetAngularVelocity(), 7 % 40 - 20);
  bool fades = false;
  for (const BvBehavior* behaviour : debris->GetBehaviors()) {
    auto* fade = dynamic_cast<const BvFadeOutBehavior*>(behaviour);
    fades = fades || (fade && fade->GetRemoveElement() && fade->GetSpeed() == 1.0f);
  }
  EXPECT_TRUE(fades) << "it fades away and is removed";
  EXPECT_TRUE(m.world.Played("monsterdie"));
}

TEST(MonsterActions, AMonsterOffTheBoardDoesNothing) {
  MonsterWorld m;
  m.AddCage(0, 2);
  BvMonsterSlot& slot = m.Place(kMonsterTurtle, 0, 0);
  slot.body->SetPosition(CellToScreen(-2, 2));
  slot.elapsed = 490.0f;
  m.monsters().UpdateMonsters(20.0f);
  EXPECT_EQ(m.board.GetCell(0, 2).background, kBackCage);
  EXPECT_FLOAT_EQ(slot.elapsed, 510.0f);
}

TEST(MonsterGauge, TheGaugeFollowsTheMonsterAndShrinksWithItsLife) {
  MonsterWorld m;
  BvMonsterSlot& slot = m.Place(kMonsterBat, 4, 4);
  slot.elapsed = 0.0f;
  m.monsters().UpdateMonsters(1000.0f);
  m.monsters().UpdateMonsters(1000.0f);
  EXPECT_FLOAT_EQ(slot.gauge->GetScale().X, 49000.0f / 50000.0f);
  EXPECT_LT(slot.gauge->GetLocalPosition().X, 0.0f) << "it shrinks toward its left end";
  EXPECT_EQ(slot.gaugeBack->GetPosition(), CellToScreen(4, 4) + irr::core::vector2df(0, 40));
  EXPECT_FLOAT_EQ(slot.lifeLeft, 48000.0f);
}

TEST(MonsterHits, HitsCostLifeAndPointsAndOnlyAClickedDeathCounts) {
  struct Case {
    const char* what;
    float life;
    std::vector<int> scores;
    bool dead;
    int kills;
  };
  const Case cases[] = {
      {"a hit", 50000, {5}, false, 0},
      {"a hit down to exactly 0 leaves it alive", 5000, {5}, false, 0},
      {"a hit below 0 kills", 4000, {30}, true, 1},
  };
  for (const Case& c : cases) {
    MonsterWorld m;
    BvMonsterSlot& slot = m.Place(kMonsterBat, 4, 4);
    BvLevelElement* body = slot.body;
    slot.lifeLeft = c.life;
    m.monsters().HitMonster(0);
    EXPECT_EQ(m.world.host.scores, c.scores) << c.what;
    EXPECT_EQ(slot.kind == kMonsterNone, c.dead) << c.what;
    EXPECT_EQ(body->m_bDead, c.dead) << c.what;
    EXPECT_EQ(m.world.host.profile.monstersKilled, c.kills) << c.what;
    EXPECT_EQ(m.world.Played(c.dead ? "monsterdie" : "hitmonster"), true) << c.what;
    if (!c.dead) {
      EXPECT_FLOAT_EQ(slot.lifeLeft, c.life - 5000.0f) << c.what;
    }
  }
  // The next frame's time ends the monster left at 0: no points, no kill.
  MonsterWorld m;
  BvMonsterSlot& slot = m.Place(kMonsterBat, 4, 4);
  slot.lifeLeft = 5000.0f;
  m.monsters().HitMonster(0);
  m.monsters().UpdateMonsters(10.0f);
  EXPECT_EQ(slot.kind, kMonsterNone);
  EXPECT_EQ(m.world.host.scores, std::vector<int>{5});
  EXPECT_EQ(m.world.host.profile.monstersKilled, 0);
  EXPECT_EQ(m.world.CountElements("bat"), 1) << "its debris falls";
}

TEST(MonsterHits, ADeathMakesEveryFreeSlotWait) {
  for (bool expert : {false, true}) {
    MonsterWorld m;
    m.world.host.expert = expert;
    m.Place(kMonsterBat, 4, 4);
    m.Place(kMonsterCrab, 5, 5);
    m.monsters().GetSlot(2).respawnTimer = 1000.0f;
    m.monsters().KillMonster(0);
    const float wait = expert ? 15000.0f : 30000.0f;
    EXPECT_FLOAT_EQ(m.monsters().GetSlot(0).respawnTimer, wait);
    EXPECT_FLOAT_EQ(m.monsters().GetSlot(1).respawnTimer, 0.0f) << "the crab lives on";
    EXPECT_FLOAT_EQ(m.monsters().GetSlot(2).respawnTimer, wait) << "a waiting slot starts again";
    EXPECT_FLOAT_EQ(m.monsters().GetSlot(3).respawnTimer, wait);
    m.monsters().KillMonster(0);  // an empty slot: harmless
    EXPECT_EQ(m.monsters().GetSlot(1).kind, kMonsterCrab);
  }
}

TEST(MonsterClicks, TheFirstMonsterUnderTheCursorTakesTheClick) {
  MonsterWorld m;
  m.Place(kMonsterBat, 4, 4);
  BvMonsterSlot& crab = m.Place(kMonsterCrab, 5, 5);
  m.world.host.mouseOver.insert(crab.body->GetName());
  m.monsters().OnClick();
  EXPECT_FLOAT_EQ(crab.lifeLeft, 50000.0f) << "no click yet";
  EXPECT_EQ(m.world.host.cursors, std::vector<bool>{true}) << "the game cursor over a monster";
  m.world.host.leftClicked = true;
  m.monsters().OnClick();
  EXPECT_FLOAT_EQ(crab.lifeLeft, 45000.0f);
  EXPECT_FALSE(m.world.host.leftClicked) << "the click is used up";
  EXPECT_FLOAT_EQ(m.monsters().GetSlot(0).lifeLeft, 50000.0f);
  m.world.host.mouseOver.clear();
  m.monsters().OnClick();
  EXPECT_EQ(m.world.host.cursors.back(), false) << "the default cursor elsewhere";
}

TEST(MonsterLevel, KillAllClearsTheBoardForTheRestOfTheLevelAndResetReopensIt) {
  MonsterWorld m;
  m.AddBackfills();
  m.Place(kMonsterBat, 4, 4);
  m.Place(kMonsterCrab, 5, 5);
  m.monsters().KillAll();
  for (int i = 0; i < kMonsterSlots; ++i) {
    EXPECT_EQ(m.monsters().GetSlot(i).kind, kMonsterNone);
    EXPECT_FLOAT_EQ(m.monsters().GetSlot(i).respawnTimer, 50000000.0f);
  }
  EXPECT_EQ(m.world.host.profile.monstersKilled, 0);
  for (int i = 0; i < 10; ++i) m.monsters().Update(15001.0f);
  for (int i = 0; i < kMonsterSlots; ++i) EXPECT_EQ(m.monsters().GetSlot(i).kind, kMonsterNone);
  m.monsters().SetStartIndex(3);
  m.monsters().Reset();
  EXPECT_FLOAT_EQ(m.monsters().GetSlot(0).respawnTimer, 0.0f);
  EXPECT_EQ(m.monsters().GetStartIndex(), 0u);
  m.monsters().Update(15001.0f);
  EXPECT_EQ(m.monsters().GetSlot(0).kind, kMonsterBat);
}

}  // namespace
