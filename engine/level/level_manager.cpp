#include "engine/level/level_manager.h"

#include <cmath>

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/layer_cache.h"
#include "engine/level/registries.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/platform/message_box.h"
#include "engine/resources/picture_decoder.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

// The level element a fixture's body belongs to (may be null).
BvLevelElement* ElementOf(b2Fixture* fixture) {
  if (!fixture || !fixture->GetBody()) return nullptr;
  return reinterpret_cast<BvLevelElement*>(fixture->GetBody()->GetUserData().pointer);
}

}  // namespace

BvLevelManager::BvLevelManager(BvApplication* owner, bool createWorld)
    : m_Images(new BvImageList()),
      m_Sprites(new BvSpriteList()),
      m_Elements(new BvElementList()),
      m_Levels(new BvLevelList()),
      m_Owner(owner),
      m_Camera(new BvCamera()) {
  if (createWorld) CreateWorld();
}

BvLevelManager::~BvLevelManager() {
  // The world goes first: level elements destroyed below find no world and
  // leave their (already freed) bodies alone.
  m_World.reset();
  m_Camera.reset();
  m_Levels.reset();
  m_Elements.reset();
  m_Sprites.reset();
  m_Images.reset();
}

BvLevel* BvLevelManager::GetCurrentLevel() const {
  return static_cast<BvLevel*>(m_Levels->GetFirstById());
}

void BvLevelManager::SetCurrentLevelNumber(int) {
  bv::ShowMessageBox("Alert", "SetCurrentLevelNumber Not implemented use LoadLevel");
}

void BvLevelManager::CreateWorld() {
  m_World.reset();
  m_World.reset(new b2World(b2Vec2(0.0f, kWorldGravityY)));
  m_World->SetAllowSleeping(true);
  m_World->SetContactListener(this);
  m_World->SetContactFilter(this);
  m_World->SetDebugDraw(this);
  SetFlags(b2Draw::e_shapeBit);
}

void BvLevelManager::StepWorld(float dt) {
  if (!m_World || !(dt > 0.0f && dt < kMaxStepMs)) return;
  m_World->Step(dt / 1000.0f, kVelocityIterations, kPositionIterations);
  m_World->ClearForces();
}

void BvLevelManager::ClearLevels() {
  // A pass being recorded draws what it has before its elements go.
  if (m_LayerCache) m_LayerCache->DrawRecordedDirectly(*this);
  m_Camera->Reset();
  // Level elements destroy their bodies in the world that still exists.
  m_Levels->Clear();
  ++m_LevelGeneration;
  CreateWorld();
}

void BvLevelManager::ClearScene() {
  ClearLevels();
  m_Elements->Clear();
  m_Images->Clear();
  m_Sprites->Clear();
}

void BvLevelManager::BeginContact(b2Contact*) {}
void BvLevelManager::EndContact(b2Contact*) {}
void BvLevelManager::PreSolve(b2Contact*, const b2Manifold*) {}

void BvLevelManager::PostSolve(b2Contact* contact, const b2ContactImpulse*) {
  if (!m_Owner || !contact) return;
  m_Owner->OnCollision(ElementOf(contact->GetFixtureA()), ElementOf(contact->GetFixtureB()));
}

bool BvLevelManager::ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB) {
  const BvLevelElement* a = ElementOf(fixtureA);
  const BvLevelElement* b = ElementOf(fixtureB);
  if ((a && !a->GetCollision()) || (b && !b->GetCollision())) return false;
  const b2Filter& filterA = fixtureA->GetFilterData();
  const b2Filter& filterB = fixtureB->GetFilterData();
  if (filterA.groupIndex == filterB.groupIndex && filterA.groupIndex != 0)
    return filterA.groupIndex > 0;
  return (filterA.maskBits & filterB.categoryBits) != 0 &&
         (filterB.maskBits & filterA.categoryBits) != 0;
}

irr::core::vector2df BvLevelManager::WorldToScreen(const irr::core::vector2df& world) {
  return irr::core::vector2df(world.X + kFieldHalfWidth, kFieldHalfHeight - world.Y);
}

irr::core::vector2df BvLevelManager::ScreenToWorld(const irr::core::vector2df& screen) {
  return irr::core::vector2df(screen.X - kFieldHalfWidth, kFieldHalfHeight - screen.Y);
}

void BvLevelManager::ApplyCamera(irr::core::vector2df& position, irr::core::vector2df& scale,
                                 float& angle, int layer) const {
  const irr::core::vector2df& at = m_Camera->GetLocalPosition();
  const irr::core::vector2df& zoom = m_Camera->GetScale();
  const float turn = m_Camera->GetLocalRotation();
  const float d = m_Camera->GetParallax() * float(layer) + 1.0f;
  scale.X *= zoom.X;
  scale.Y *= zoom.Y;
  float x = (position.X - at.X * d) * zoom.X;
  float y = (position.Y - at.Y * d) * zoom.Y;
  if (turn != 0.0f) {
    const float c = std::cos(-turn);
    const float s = std::sin(-turn);
    const float tx = x * c - y * s;
    y = y * c + x * s;
    x = tx;
  }
  position.set(x, y);
  angle -= turn;
}

void BvLevelManager::UnapplyCamera(irr::core::vector2df& position, int layer) const {
  const irr::core::vector2df& at = m_Camera->GetLocalPosition();
  const irr::core::vector2df& zoom = m_Camera->GetScale();
  const float turn = m_Camera->GetLocalRotation();
  const float d = m_Camera->GetParallax() * float(layer) + 1.0f;
  float x = position.X;
  float y = position.Y;
  if (turn != 0.0f) {
    const float c = std::cos(turn);
    const float s = std::sin(turn);
    const float tx = x * c - y * s;
    y = x * s + y * c;
    x = tx;
  }
  position.set(x / zoom.X + at.X * d, y / zoom.Y + at.Y * d);
}

irr::core::vector2df BvLevelManager::GetMouseWorldPosition(int layer) const {
  irr::core::vector2df screen(0.0f, 0.0f);
  if (g_System) screen.set(float(g_System->mouseX), float(g_System->mouseY));
  irr::core::vector2df position = ScreenToWorld(screen);
  UnapplyCamera(position, layer);
  return position;
}
