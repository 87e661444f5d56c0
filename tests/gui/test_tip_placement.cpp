// Tip panels stay inside the 800 by 600 window and off the text they
// explain, moved no further than needed.
#include <gtest/gtest.h>

#include "game/gui/tip_placement.h"

namespace {

// A tip 200 wide and 60 high around its position, a little more to the
// left (as the trophies' tip, whose texts start left of its centre).
const BvTipBox kTip{-120.0f, -30.0f, 80.0f, 30.0f};

struct Case {
  const char* what;
  irr::core::vector2df wanted;
  bool avoidPanel;
  irr::core::vector2df expected;
};

// A names panel along the bottom of the window, as on the hidden-object
// screens: from y -300 to -180, x -380 to 180.
const BvTipBox kPanel{-380.0f, -300.0f, 180.0f, -180.0f};

TEST(TipPlacement, MovesOnlyAsFarAsTheWindowAndTheTextNeed) {
  const Case cases[] = {
      {"room all round: where asked", {0.0f, 0.0f}, false, {0.0f, 0.0f}},
      {"past the left edge: its left edge on the window's", {-350.0f, 0.0f}, false, {-280.0f, 0.0f}},
      {"past the right edge", {390.0f, 0.0f}, false, {320.0f, 0.0f}},
      {"past the top", {0.0f, 290.0f}, false, {0.0f, 270.0f}},
      {"past the bottom", {0.0f, -295.0f}, false, {0.0f, -270.0f}},
      {"past a corner: both ways", {-390.0f, 295.0f}, false, {-280.0f, 270.0f}},
      {"clear of the panel: where asked", {0.0f, -100.0f}, true, {0.0f, -100.0f}},
      {"over the panel's top: lifted just clear", {0.0f, -190.0f}, true, {0.0f, -150.0f}},
      {"over the panel's right end: beside it", {280.0f, -200.0f}, true, {300.0f, -200.0f}},
      {"low over the panel: inside first, then lifted", {0.0f, -299.0f}, true, {0.0f, -150.0f}},
  };
  for (const Case& c : cases) {
    const irr::core::vector2df got = PlaceTip(c.wanted, kTip, WindowBox(), c.avoidPanel ? &kPanel : nullptr);
    EXPECT_FLOAT_EQ(got.X, c.expected.X) << c.what;
    EXPECT_FLOAT_EQ(got.Y, c.expected.Y) << c.what;
    const BvTipBox box = kTip.Moved(got);
    EXPECT_GE(box.left, -400.0f) << c.what;
    EXPECT_LE(box.right, 400.0f) << c.what;
    EXPECT_GE(box.bottom, -300.0f) << c.what;
    EXPECT_LE(box.top, 300.0f) << c.what;
    if (c.avoidPanel) {
      EXPECT_FALSE(box.Overlaps(kPanel)) << c.what;
    }
  }
}

TEST(TipPlacement, KeepsClearOfSeveralBoxes) {
  // A trophy title and, right of it, a scores table, as on the trophies page.
  const BvTipBox title{-370.0f, -20.0f, -190.0f, 0.0f};
  const BvTipBox table{-150.0f, -70.0f, 150.0f, 70.0f};
  const BvTipBox both[] = {title, table};
  struct Case {
    const char* what;
    irr::core::vector2df wanted;
    irr::core::vector2df expected;
  };
  const Case cases[] = {
      {"clear of both: where asked", {0.0f, 200.0f}, {0.0f, 200.0f}},
      {"over the title alone: inside first, then lifted off it", {-300.0f, 20.0f}, {-280.0f, 30.0f}},
      {"over the table alone: beside it, the nearest way", {250.0f, 0.0f}, {270.0f, 0.0f}},
      {"over both: off the title, then beside the table", {-200.0f, 10.0f}, {-230.0f, 30.0f}},
  };
  for (const Case& c : cases) {
    const irr::core::vector2df got = PlaceTip(c.wanted, kTip, WindowBox(), both, 2);
    EXPECT_FLOAT_EQ(got.X, c.expected.X) << c.what;
    EXPECT_FLOAT_EQ(got.Y, c.expected.Y) << c.what;
    const BvTipBox box = kTip.Moved(got);
    EXPECT_FALSE(box.Overlaps(title)) << c.what;
    EXPECT_FALSE(box.Overlaps(table)) << c.what;
  }
  // With no way clear of both inside the window, the first box still wins.
  const BvTipBox wall{-400.0f, -300.0f, 400.0f, 300.0f};
  const BvTipBox titleThenWall[] = {title, wall};
  const irr::core::vector2df got = PlaceTip({-300.0f, 20.0f}, kTip, WindowBox(), titleThenWall, 2);
  EXPECT_FALSE(kTip.Moved(got).Overlaps(title));
}

TEST(TipPlacement, StaysInsideTheWindowWhenNoWayClearsTheText) {
  // A panel filling the window's width and most of its height: neither
  // above, below nor beside it is there room; the tip stays inside.
  const BvTipBox wide{-400.0f, -300.0f, 400.0f, 260.0f};
  const irr::core::vector2df got = PlaceTip({0.0f, 0.0f}, kTip, WindowBox(), &wide);
  EXPECT_FLOAT_EQ(got.X, 0.0f);
  EXPECT_FLOAT_EQ(got.Y, 0.0f);
}

}  // namespace
