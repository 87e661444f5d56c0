// Score pop-ups: the picture of each value, the larger golden look of
// doubled points, and the points reaching the score.
#include "game/board/score_popup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "support/board_world.h"

namespace {

TEST(ScorePopup, EachValueShowsItsOwnPictureAndReachesTheScore) {
  struct Case {
    int points;
    const char* picture;
    bool big;
  };
  const Case cases[] = {{5, "pt5", false}, {10, "pt10", true}, {15, "pt15", false}, {30, "pt30", true}};
  for (const Case& c : cases) {
    bv::test::BoardWorld world;
    ShowScorePopup(&world.host, c.points, irr::core::vector2df(10, 20), 0.0f, c.big);
    for (const char* picture : {"pt5", "pt10", "pt15", "pt30"})
      EXPECT_EQ(world.CountElements(picture), std::string(picture) == c.picture ? 1 : 0)
          << c.points << " points, " << picture;
    EXPECT_EQ(world.host.scores, std::vector<int>{c.points}) << c.points << " points";
    for (const auto& entry : world.level()->GetIdIndex()) {
      const auto* popup = static_cast<const BvLevelElement*>(entry.second);
      if (!popup->GetSourceElement() || popup->GetSourceElement()->GetNameString() != c.picture) continue;
      EXPECT_EQ(popup->GetPosition(), irr::core::vector2df(10, 20)) << c.points << " points";
      EXPECT_FLOAT_EQ(popup->GetScale().X, c.big ? 1.2f : 1.0f) << c.points << " points";
    }
  }
}

}  // namespace
