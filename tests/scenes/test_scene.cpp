#include <gtest/gtest.h>

#include <vector>

#include "game/scenes/scene.h"

namespace {

class TimedScene : public BvScene {
 public:
  void Init(intptr_t) override {}
};

TEST(SceneTest, HasPassedIsTrueInExactlyOneFrame) {
  struct Case { std::vector<float> steps; std::vector<bool> passed; };
  const Case cases[] = {
      {{400, 400, 400}, {false, false, true}},
      {{500, 500, 500}, {false, true, false}},   // ends exactly on 1000
      {{2500, 10}, {true, false}},              // one long frame
  };
  for (const Case& c : cases) {
    TimedScene scene;
    scene.Load();
    std::vector<bool> got;
    for (float step : c.steps) {
      scene.Update(step);
      got.push_back(scene.HasPassed(1000.0f));
    }
    EXPECT_EQ(got, c.passed);
  }
}

}  // namespace
