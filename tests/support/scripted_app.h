#pragma once
// An application whose frames are scripted for tests: onUpdate runs in every
// Update with the frame number (from 1); focus changes, resource loads and
// the time steps given to updates are counted.
#include <functional>
#include <vector>

#include "engine/shell/application.h"

namespace bv {
namespace test {

class ScriptedApp : public BvApplication {
 public:
  ScriptedApp() : BvApplication(nullptr) {}
  void Update() override {
    ++updates;
    steps.push_back(GetTimeStepMs());
    if (onUpdate) onUpdate(updates);
  }
  void OnPause() override {
    ++pauses;
    BvApplication::OnPause();
  }
  void OnResume() override {
    ++resumes;
    BvApplication::OnResume();
  }
  void LoadResources() override { ++loads; }
  // Test access to the fields the loop keeps (milliseconds).
  float FrameTimeMs() const { return frameTimeMs; }
  float LastFrameMs() const { return lastFrameMs; }

  std::function<void(int frame)> onUpdate;
  int updates = 0;
  int pauses = 0;
  int resumes = 0;
  int loads = 0;
  std::vector<float> steps;
};

}  // namespace test
}  // namespace bv
