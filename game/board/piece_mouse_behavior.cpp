#include "game/board/piece_mouse_behavior.h"

#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "game/board/piece.h"

namespace {
constexpr int kEventAnimationEnded = 1;
constexpr int kAnimTypeOnce = 3;
}  // namespace

void BvPieceMouseBehavior::OnTargetSet() {
  if (m_Target) m_Target->AddListener(this);
}

BvPiece* BvPieceMouseBehavior::GetPiece() const {
  if (!m_Target || !m_Target->m_pUser) return nullptr;
  // The game sets a level element's user pointer only to its owning object,
  // always a CManagedObjectBase; it counts here only when it is a cell whose
  // sprite is still this target.
  auto* owner = static_cast<CManagedObjectBase*>(m_Target->m_pUser);
  auto* piece = dynamic_cast<BvPiece*>(owner);
  return piece && piece->GetSprite() == m_Target ? piece : nullptr;
}

void BvPieceMouseBehavior::ResetAnimation() {
  if (BvPiece* piece = GetPiece()) piece->SetAnimation(kAnimPlain);
}

void BvPieceMouseBehavior::Apply(float dt) {
  if (!m_Target || !m_Target->GetLevelManager() || IsTargetUnderGui()) return;
  BvPiece* piece = GetPiece();
  if (!piece) return;
  const irr::core::vector2df p = m_Target->GetLevelManager()->GetMouseWorldPosition(0);
  if (m_Target->HitTest(p)) {
    if (piece->motion == kMotionIdle && g_App && g_App->IsLeftButtonDown()) {
      piece->Click();
      // The board may have moved the content: read the owner again.
      piece = GetPiece();
      if (!piece) return;
    }
    if (!m_Hovered && piece->animation == kAnimPlain) piece->SetAnimation(kAnimIdle);
    m_Hovered = true;
  } else if (m_Hovered) {
    BvElement* source = m_Target->GetSourceElement();
    if (!source || source->GetType() != kElementAnim) ResetAnimation();
    m_Hovered = false;
  }
}

void BvPieceMouseBehavior::OnNotify(int event, CManagedObjectBase* sender) {
  if (event != kEventAnimationEnded) return;
  BvPiece* piece = GetPiece();
  if (!piece || piece->animation != kAnimIdle) return;
  if (!m_Hovered || (m_Target && m_Target->GetAnimType() == kAnimTypeOnce)) ResetAnimation();
}
