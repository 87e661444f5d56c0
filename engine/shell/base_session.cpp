#include "engine/shell/base_session.h"

#include "engine/shell/application.h"
#include "engine/shell/globals.h"

namespace bv {
namespace {

// Background of the empty shell, and its fade-in speed (alpha units per
// second: half a second from black).
const irr::video::SColor kBackground(255, 24, 32, 56);
const irr::video::SColor kBlack(255, 0, 0, 0);
constexpr float kFadeInSpeed = 510.0f;

class BaseApplication : public BvApplication {
 public:
  BaseApplication() : BvApplication(nullptr) {
    SetClearColour(kBackground);
    StartFade(kBlack, kFadeInSpeed);
  }

  void Update() override {
    if (fadingIn_) fadingIn_ = FadeFromColour(GetTimeStepMs());
  }

 private:
  bool fadingIn_ = true;
};

}  // namespace

void RunBaseSession(BvSystem& /*system*/) {
  BaseApplication app;
  g_App = &app;
  app.Run();
  g_App = nullptr;
}

}  // namespace bv
