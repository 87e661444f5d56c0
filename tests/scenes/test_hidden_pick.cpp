// The random pick of a hidden-object visit, driven by a scripted random
// source: rand() mod candidates left, the taken one replaced by the last.
#include "game/scenes/hidden_pick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/fixed_random.h"

namespace {

TEST(HiddenPick, TakesDrawModuloWhatIsLeftAndRefillsFromTheEnd) {
  struct Case {
    const char* what;
    int candidates;
    int wanted;
    std::vector<int> draws;
    std::vector<int> picked;
  };
  const Case cases[] = {
      {"zero draws walk down from the end", 14, 4, {0, 0, 0, 0}, {0, 13, 12, 11}},
      {"the taken slot gets the last candidate", 5, 3, {2, 2, 2}, {2, 4, 3}},
      {"draws larger than the list wrap", 4, 2, {7, 32767}, {3, 1}},
      {"fewer candidates than wanted: all of them", 3, 12, {5, 5, 5}, {2, 1, 0}},
      {"no candidate: nothing, no draw", 0, 12, {}, {}},
      {"nothing wanted", 6, 0, {}, {}},
  };
  for (const Case& c : cases) {
    bv::test::ScriptedRandom random(c.draws);
    bv::test::ScopedRandom installed(&random);
    EXPECT_EQ(PickObjectIndices(c.candidates, c.wanted), c.picked) << c.what;
    EXPECT_EQ(random.drawn, int(c.picked.size())) << c.what << ": one draw per pick";
  }
}

TEST(HiddenPick, TwelveDistinctObjectsOfAnyPicture) {
  for (int candidates : {12, 13, 30}) {
    bv::test::FixedRandom random{uint32_t(candidates)};
    bv::test::ScopedRandom installed(&random);
    std::vector<int> picked = PickObjectIndices(candidates, 12);
    ASSERT_EQ(picked.size(), 12u);
    std::sort(picked.begin(), picked.end());
    EXPECT_EQ(std::unique(picked.begin(), picked.end()), picked.end()) << candidates;
    EXPECT_GE(picked.front(), 0);
    EXPECT_LT(picked.back(), candidates);
  }
}

}  // namespace
