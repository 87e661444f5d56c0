// Spell charging, readiness and halos, the panel's click mapping, casting
// and the panel's tooltip.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "board/board_grid.h"
#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/registries.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/fade_behaviors.h"
#include "engine/resources/lang_table.h"
#include "game/board/layout.h"
#include "support/board_world.h"

namespace {

using board_test::BlockLayout;

constexpr float kFrameMs = 1000.0f / 75.0f;

int Count(const std::vector<std::string>& sounds, const char* name) {
  return int(std::count(sounds.begin(), sounds.end(), name));
}

int CountBehaviours(const BvLevelElement* element, int type) {
  int n = 0;
  for (const BvBehavior* behaviour : element->GetBehaviors()) n += behaviour->GetType() == type;
  return n;
}

// A board screen with its spell panel at the origin and a level under way.
struct SpellBoard {
  explicit SpellBoard(int worldNumber = 5, int level = 3, bool expert = false) {
    panel = new BvLevelElement(world.manager());
    panel->SetName("sortgui");
    world.level()->AddObject(panel);
    world.host.profile.world = worldNumber;
    world.host.profile.level = level;
    world.host.expert = expert;
    board = std::make_unique<BvLayout>(&world.host);
    board->Setup(BlockLayout(4, 4, 9, 9, kBackFill).data());  // backfills: not won
  }
  void Charge(int pieces) {
    for (int i = 0; i < pieces; ++i) board->ChargeSpells();
  }
  // Every unlocked spell ready, the board settled.
  void ReadyAll() {
    Charge(400);
    board->Update(kFrameMs);
    ASSERT_TRUE(board->IsSettled());
  }
  // The cursor on the panel: u = x + 152, v = 34 - y.
  void PointAtPanel(float u, float v) { world.MoveCursorTo(u - 152.0f, 34.0f - v); }
  std::string ReadyFlags() {
    std::string flags;
    for (const BvSpellRecord& spell : board->GetSpells()) flags += spell.ready ? '1' : '0';
    return flags;
  }

  bv::test::BoardWorld world;
  BvLevelElement* panel = nullptr;
  std::unique_ptr<BvLayout> board;
};

TEST(SpellCharge, EachSpellIsReadyOnlyPastItsFullCharge) {
  struct Case {
    bool expert;
    int spell;
    int pieces;  // matched pieces that make it ready; one fewer does not
  };
  const Case cases[] = {
      {false, 0, 73},  {false, 1, 98},  {false, 2, 123}, {false, 3, 148}, {false, 4, 173},
      {false, 5, 198}, {true, 0, 146},  {true, 1, 196},  {true, 2, 246},  {true, 3, 296},
      {true, 4, 346},  {true, 5, 396},
  };
  for (const Case& c : cases) {
    SpellBoard s(5, 3, c.expert);
    s.Charge(c.pieces - 1);
    s.board->UpdateSpellCharge(kFrameMs);
    EXPECT_FALSE(s.board->GetSpells()[c.spell].ready) << "expert " << c.expert << " spell " << c.spell;
    s.board->ChargeSpells();
    s.board->UpdateSpellCharge(kFrameMs);
    EXPECT_TRUE(s.board->GetSpells()[c.spell].ready) << "expert " << c.expert << " spell " << c.spell;
    if (c.spell < 5) {
      EXPECT_FALSE(s.board->GetSpells()[c.spell + 1].ready) << "the next needs more";
    }
  }
}

TEST(SpellCharge, GaugesGrowFromTheirLeftEndAndLockedSpellsNeverGetReady) {
  SpellBoard s(2, 0);  // spells 0 and 1 open, 2..5 locked
  s.Charge(40);        // 8000 of spell 0's 14500
  s.board->UpdateSpellCharge(kFrameMs);
  const BvSpellRecord& first = s.board->GetSpells()[0];
  EXPECT_FLOAT_EQ(first.gauge->GetScale().X, 8000.0f / 14500.0f);
  EXPECT_LT(first.gauge->GetLocalPosition().X, 0.0f) << "the bar stays against its left end";
  s.Charge(1000);
  s.world.ClearSounds();
  s.board->UpdateSpellCharge(kFrameMs);
  EXPECT_EQ(s.ReadyFlags(), "110000");
  EXPECT_EQ(s.board->GetSpells()[5].charge, 1040 * 200.0f) << "locked spells charge all the same";
  EXPECT_FLOAT_EQ(first.gauge->GetScale().X, 1.0f) << "a full gauge stops growing";
  EXPECT_EQ(Count(s.world.PlayedSounds(), "sortappear"), 2);
  EXPECT_EQ(s.world.CountElements("halosort"), 4) << "two halos per ready spell";
  EXPECT_EQ(first.haloA->GetParent(), s.panel);
  for (int i : {0, 1})  // over their own spell's place on the panel
    for (BvLevelElement* halo : {s.board->GetSpells()[i].haloA, s.board->GetSpells()[i].haloB})
      EXPECT_FLOAT_EQ(halo->GetLocalPosition().X, -124.0f + 48.6f * i) << "spell " << i;
  ASSERT_FALSE(s.world.host.tips.empty());
  EXPECT_EQ(s.world.host.tips.back(), std::make_pair(32, 2000.0f));
  s.board->UpdateSpellCharge(kFrameMs);
  EXPECT_EQ(s.world.CountElements("halosort"), 4) << "a ready spell gets its halos once";
}

TEST(SpellCharge, WithoutPanelGaugesOrTheirImageSpellsStillGetReady) {
  {
    bv::test::FakeBoardHost host;  // no level manager: no gauge, no halo
    BvLayout board(&host);
    board.Reset();
    for (BvSpellRecord& spell : board.GetSpells()) spell.locked = false;
    for (int i = 0; i < 80; ++i) board.ChargeSpells();
    board.UpdateSpellCharge(kFrameMs);
    EXPECT_TRUE(board.GetSpells()[0].ready);
    EXPECT_EQ(board.GetSpells()[0].haloA, nullptr);
  }
  SpellBoard s;
  auto* bare = new BvImageElement("bare");  // an image element without sprite
  s.world.manager()->GetElements()->AddObject(bare);
  s.board->GetSpells()[0].gauge->SetSourceElement(bare);
  s.Charge(40);
  s.board->UpdateSpellCharge(kFrameMs);
  EXPECT_FLOAT_EQ(s.board->GetSpells()[0].gauge->GetScale().X, 8000.0f / 14500.0f);
}

TEST(SpellCharge, TheHaloFlashRunsAlongTheReadySpellsEveryTenSeconds) {
  SpellBoard s;
  s.Charge(80);  // spell 0 only
  s.board->UpdateSpellCharge(kFrameMs);
  BvLevelElement* halo = s.board->GetSpells()[0].haloA;
  ASSERT_NE(halo, nullptr);
  s.board->UpdateSpellCharge(9000.0f);
  EXPECT_EQ(CountBehaviours(halo, kBehaviorColorFade), 0);
  s.board->UpdateSpellCharge(1000.0f);
  EXPECT_EQ(CountBehaviours(halo, kBehaviorColorFade), 2) << "to the flash colour and back";
  EXPECT_EQ(s.board->GetHaloFlashTimer(), 0.0f);
}

TEST(SpellPanel, AClickPicksTheSpellUnderTheCursor) {
  struct Case {
    const char* what;
    float u, v;
    int spell;  // -1: none starts
  };
  const Case cases[] = {
      {"first place", 25, 20, 0},
      {"just left of the panel counts as the first place", -25, 20, 0},
      {"a whole place to the left", -60, 20, -1},
      {"third place", 125, 20, 2},
      {"last place", 299, 20, 5},
      {"past the last place", 305, 20, -1},
      {"above the spell row", 125, 45, -1},
  };
  for (const Case& c : cases) {
    SpellBoard s;
    s.ReadyAll();
    s.PointAtPanel(c.u, c.v);
    s.board->OnSpellPanelClick();
    EXPECT_EQ(s.board->IsSpellRunning(), c.spell >= 0) << c.what;
    if (c.spell < 0) {
      EXPECT_EQ(s.world.host.profile.spellsCast, 0) << c.what;
      continue;
    }
    EXPECT_EQ(s.board->GetCurrentSpell(), c.spell) << c.what;
    EXPECT_EQ(s.world.host.profile.spellsCast, 1) << c.what;
    EXPECT_TRUE(s.board->GetSpells()[c.spell].cast) << c.what;
  }
}

TEST(SpellPanel, CastingEmptiesTheSpellAndClicksWhileItRunsAreIgnored) {
  SpellBoard s;
  s.ReadyAll();
  s.PointAtPanel(25, 20);
  s.board->OnSpellPanelClick();
  ASSERT_TRUE(s.board->IsSpellRunning());
  const BvSpellRecord& storm = s.board->GetSpells()[0];
  BvLevelElement* halo = storm.haloA;
  s.board->UpdateSpellCharge(kFrameMs);
  EXPECT_EQ(storm.charge, 0.0f);
  EXPECT_FALSE(storm.ready);
  EXPECT_FALSE(storm.cast);
  EXPECT_EQ(storm.haloA, nullptr);
  EXPECT_EQ(CountBehaviours(halo, kBehaviorColorFade), 1) << "the halo fades out";
  s.PointAtPanel(75, 20);
  s.board->OnSpellPanelClick();
  EXPECT_EQ(s.board->GetCurrentSpell(), 0) << "the running spell stays";
  EXPECT_EQ(s.world.host.profile.spellsCast, 1);
  s.board->ChargeSpells();
  EXPECT_EQ(storm.charge, 200.0f) << "the cast spell charges again";
}

TEST(SpellPanel, AChargingOrLockedSpellFailsAndAnUnsettledBoardWaits) {
  {
    SpellBoard s(2, 0);
    s.Charge(80);  // spell 0 ready, 1 charging, 2 locked
    s.board->Update(kFrameMs);
    for (float u : {75.0f, 125.0f}) {
      s.world.ClearSounds();
      s.PointAtPanel(u, 20);
      s.board->OnSpellPanelClick();
      EXPECT_FALSE(s.board->IsSpellRunning());
      EXPECT_EQ(Count(s.world.PlayedSounds(), "clickfail"), 1) << u;
    }
  }
  {
    SpellBoard s;
    s.ReadyAll();
    s.board->GetCell(5, 5).delay = 1000.0f;  // a cell still waiting: not settled
    s.board->Update(kFrameMs);
    ASSERT_FALSE(s.board->IsSettled());
    s.world.ClearSounds();
    s.PointAtPanel(25, 20);
    s.board->OnSpellPanelClick();
    EXPECT_FALSE(s.board->IsSpellRunning());
    EXPECT_TRUE(s.board->GetSpells()[0].ready) << "the spell stays ready";
    EXPECT_EQ(Count(s.world.PlayedSounds(), "clickfail"), 0);
  }
}

// Language texts for the spells' tooltip keys, for one test.
struct SpellNames {
  SpellNames() {
    for (int i = 0; i < kSpellCount; ++i) {
      auto* lang = new BvLang(Key(i).c_str());
      lang->SetText(Name(i).c_str());
      g_LangTable.AddObject(lang);
    }
  }
  ~SpellNames() {
    for (int i = 0; i < kSpellCount; ++i) g_LangTable.RemoveObjectByName(Key(i));
  }
  static std::string Key(int i) { return "sort" + std::to_string(i + 1); }
  static std::string Name(int i) { return "Spell number " + std::to_string(i + 1); }
};

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out.push_back(char(*text));
  return out;
}

TEST(SpellPanel, TheTooltipNamesOpenSpellsOnly) {
  SpellNames names;
  SpellBoard s(2, 0);  // spells 0, 1 open
  s.PointAtPanel(75, 20);
  s.board->UpdateSpellTooltip();
  EXPECT_TRUE(s.board->IsTooltipShown());
  EXPECT_EQ(Narrow(s.board->GetTooltipText()->GetText()), SpellNames::Name(1));
  const irr::core::vector2df cursor = s.world.manager()->GetMouseWorldPosition(0);
  BvLevelElement* tip = s.board->GetTooltipText()->GetParent();
  ASSERT_NE(tip, nullptr);
  EXPECT_NEAR(tip->GetPosition().X, cursor.X - 70.0f, 0.01f);
  EXPECT_NEAR(tip->GetPosition().Y, cursor.Y + 30.0f, 0.01f);
  EXPECT_TRUE(tip->IsVisible());
  s.PointAtPanel(125, 20);  // spell 2: locked
  s.board->UpdateSpellTooltip();
  EXPECT_FALSE(s.board->IsTooltipShown());
  s.PointAtPanel(75, 45);  // above the row
  s.board->UpdateSpellTooltip();
  EXPECT_FALSE(s.board->IsTooltipShown());
}

TEST(SpellPanel, TheTooltipTextFollowsTheSpellUnderTheCursor) {
  SpellNames names;
  SpellBoard s;  // all six open
  // Left to right and back: the text changes while the tooltip stays up.
  for (int i : {0, 1, 2, 3, 4, 5, 3, 0}) {
    s.PointAtPanel(50.0f * i + 10.0f, 20);
    s.board->UpdateSpellTooltip();
    ASSERT_TRUE(s.board->IsTooltipShown()) << i;
    EXPECT_EQ(Narrow(s.board->GetTooltipText()->GetText()), SpellNames::Name(i)) << "spell " << i;
  }
}

TEST(SpellCharge, TheFlashRunsAlongSeveralReadySpellsFromLeftToRight) {
  SpellBoard s;
  const std::vector<int> ready = {1, 3, 4};
  for (int j : ready) s.board->GetSpells()[j].charge = 1e6f;
  s.board->UpdateSpellCharge(kFrameMs);
  ASSERT_EQ(s.ReadyFlags(), "010110");
  s.board->UpdateSpellCharge(9990.0f);
  for (int j : ready) EXPECT_EQ(CountBehaviours(s.board->GetSpells()[j].haloA, kBehaviorColorFade), 0) << j;
  s.board->UpdateSpellCharge(10.0f);
  for (int j : ready) {
    const BvSpellRecord& spell = s.board->GetSpells()[j];
    std::vector<const BvColorFadeBehavior*> fades;
    for (const BvBehavior* behaviour : spell.haloA->GetBehaviors()) {
      if (behaviour->GetType() == kBehaviorColorFade) fades.push_back(static_cast<const BvColorFadeBehavior*>(behaviour));
    }
    ASSERT_EQ(fades.size(), 2u) << "spell " << j;
    EXPECT_FLOAT_EQ(fades[0]->GetStartDelay(), 500.0f * j) << "spell " << j << ": half a second a place";
    EXPECT_EQ(fades[0]->GetFrom(), 0xB48080FFu);
    EXPECT_EQ(fades[0]->GetTo(), 0xFFF00078u);
    EXPECT_FALSE(fades[0]->GetHold());
    EXPECT_FLOAT_EQ(fades[1]->GetStartDelay(), 500.0f * j + 1000.0f) << "spell " << j << ": and back";
    EXPECT_EQ(fades[1]->GetFrom(), 0xFFF00078u);
    EXPECT_EQ(fades[1]->GetTo(), 0xB48080FFu);
    EXPECT_TRUE(fades[1]->GetHold());
    EXPECT_EQ(CountBehaviours(spell.haloB, kBehaviorColorFade), 0) << "only the first halo flashes";
  }
}

TEST(SpellCharge, StartingASpellRestartsTheFlashTimer) {
  SpellBoard s;
  s.board->GetSpells()[0].charge = 1e6f;
  s.board->GetSpells()[1].charge = 1e6f;
  s.board->UpdateSpellCharge(kFrameMs);
  BvLevelElement* halo = s.board->GetSpells()[0].haloA;
  s.board->UpdateSpellCharge(6000.0f);
  ASSERT_FLOAT_EQ(s.board->GetHaloFlashTimer(), 6000.0f);
  s.board->StartSpell(1);
  EXPECT_FLOAT_EQ(s.board->GetHaloFlashTimer(), 0.0f);
  s.board->UpdateSpellCharge(9000.0f);  // 15 s since the first ready frame
  EXPECT_EQ(CountBehaviours(halo, kBehaviorColorFade), 0) << "ten seconds from the cast";
  s.board->UpdateSpellCharge(1000.0f);
  EXPECT_EQ(CountBehaviours(halo, kBehaviorColorFade), 2);
}

}  // namespace
