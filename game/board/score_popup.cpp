#include "game/board/score_popup.h"

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/piece.h"

namespace {
constexpr float kBigScale = 1.2f;
const irr::video::SColor kBigColour(0xFFFFB400u);
// Rises at 7 pixels per 100 ms.
constexpr float kRiseSpeed = 7.0f;
constexpr float kFadeSpeed = 10.0f;
constexpr float kShownMs = 1000.0f;

const char* PopupImage(int points) {
  switch (points) {
    case 5: return "pt5";
    case 10: return "pt10";
    case 15: return "pt15";
    case 30: return "pt30";
    default: return nullptr;
  }
}
}  // namespace

void ShowScorePopup(BvBoardHost* host, int points, const irr::core::vector2df& position,
                    float delayMs, bool big) {
  if (!host) return;
  if (BvLevelElement* popup =
          CreateImageElement(host->GetLevelManager(), position, PopupImage(points), delayMs)) {
    if (big) {
      popup->SetScale(kBigScale, kBigScale);
      popup->SetColor(kBigColour);
    }
    popup->SetLayer(kLayerEffects);
    popup->AddBehavior(new BvMoveBehavior(irr::core::vector2df(0.0f, 1.0f), kRiseSpeed));
    popup->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
    popup->AddBehavior(new BvFadeOutBehavior(kFadeSpeed, kShownMs, true, false));
  }
  host->AddScore(points);
}
