// The shipped board layouts with cages, played by a turtle on a headless
// board: on every one of them the turtle, circling the first cage, grows a
// chain within its life. A layout where it cannot act would leave a cage
// level without the monster that makes it.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <memory>
#include <string>

#include "engine/shell/globals.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "game/core/layout_bank.h"
#include "support/board_world.h"

namespace {

constexpr float kFrameMs = 1000.0f / 75.0f;
constexpr float kTurtleLifeMs = 60000.0f;

bool HasCage(const BvLayoutBank& bank, int layout) {
  for (int c = 0; c < kBoardColumns; ++c)
    for (int r = 0; r < kBoardRows; ++r)
      if (bank.GetCell(layout, c, r).back == kBackCage) return true;
  return false;
}

// Cells that are holes in the layout but hold a chain now.
int GrownChains(const BvLayout& board, const BvLayoutBank& bank, int layout) {
  int grown = 0;
  for (int c = 0; c < kBoardColumns; ++c)
    for (int r = 0; r < kBoardRows; ++r) {
      const int now = board.GetCell(c, r).background;
      if (bank.GetCell(layout, c, r).back == kBackNone && (now == kBackChainH || now == kBackChainV))
        ++grown;
    }
  return grown;
}

// The shipped layouts, mounted from the built pack.
std::unique_ptr<BvLayoutBank> LoadShippedBank() {
  const std::string pack = std::string(QV_BUILD_DIR) + "/data/data.pk";
  if (!g_Device->getFileSystem()->addFileArchive(pack.c_str(), true, false, irr::io::EFAT_ZIP))
    return nullptr;
  auto bank = std::make_unique<BvLayoutBank>();
  if (!bank->LoadBinary(g_Device->getFileSystem())) return nullptr;
  return bank;
}

// One layout per test, so CTest plays them side by side (a turtle may take
// most of its life on one, many times longer under the sanitizers).
class ShippedCageLayouts : public ::testing::TestWithParam<int> {};

TEST_P(ShippedCageLayouts, OnEveryCageLayoutTheTurtleGrowsAChain) {
  bv::test::BoardWorld world;
  ASSERT_NE(g_Device, nullptr);
  std::unique_ptr<BvLayoutBank> bank = LoadShippedBank();
  ASSERT_NE(bank, nullptr) << "cannot read the layouts of " << QV_BUILD_DIR << "/data/data.pk";
  const int n = GetParam();
  if (!HasCage(*bank, n)) GTEST_SKIP() << "layout " << n << " has no cage";
  world.host.bank = bank.get();
  world.host.layoutIndex = n;
  BvLayout board(&world.host);
  board.Reset();
  board.Setup(&bank->GetCell(n, 0, 0));
  BvMonsterManager& monsters = *board.GetMonsters();
  monsters.SpawnMonster(kMonsterTurtle);
  for (float t = 0; t < kTurtleLifeMs && GrownChains(board, *bank, n) == 0; t += kFrameMs) {
    world.RunLevel(kFrameMs);
    monsters.UpdateMonsters(kFrameMs);
  }
  EXPECT_GT(GrownChains(board, *bank, n), 0) << "layout " << n << ": the turtle grew no chain";
}

INSTANTIATE_TEST_SUITE_P(Layout, ShippedCageLayouts, ::testing::Range(0, BvLayoutBank::kBinaryLayoutCount));

TEST(ShippedLayouts, SomeLayoutsHaveCages) {
  bv::test::BoardWorld world;
  ASSERT_NE(g_Device, nullptr);
  std::unique_ptr<BvLayoutBank> bank = LoadShippedBank();
  ASSERT_NE(bank, nullptr);
  int cageLayouts = 0;
  for (int n = 0; n < BvLayoutBank::kBinaryLayoutCount; ++n) cageLayouts += HasCage(*bank, n) ? 1 : 0;
  EXPECT_GT(cageLayouts, 0);
}

}  // namespace
