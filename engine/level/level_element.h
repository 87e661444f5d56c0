#pragma once
// BvLevelElement: an instance placed in a level. It points to a template
// element (its source: image, animation, particle emitter or text) and adds
// what belongs to the instance: position, rotation, scale, colour, flips,
// visibility, text, draw layer, physics settings with an optional Box2D body
// in its manager's world, a parent with children, and an ordered list of
// behaviours it owns.
//
// Units: positions in pixels on the 800 by 600 field (origin at the centre,
// y up), 10 pixels per metre in the physics world, rotations in radians
// (counter-clockwise), velocities in metres and radians per second, times in
// milliseconds.
//
// Where the members are defined:
//   level_element.cpp         data, transforms, hierarchy, text, behaviours
//   level_element_body.cpp    body and fixtures
//   level_element_update.cpp  the per-frame Update and its helpers
//                             (written with the behaviours, not here)
#include <irrlicht.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/objects/managed_object.h"

class b2Body;
class b2World;
class BvBehavior;
class BvElement;
class BvLevelManager;
class BvSprite;

class BvLevelElement : public CManagedObjectBase {
 public:
  // Longest parent name kept, in characters.
  static constexpr size_t kMaxParentName = 29;
  // Text buffer size in wide characters (79 and a terminator).
  static constexpr size_t kTextCapacity = 80;

  // owner: the level manager whose world holds the body (may be null).
  explicit BvLevelElement(BvLevelManager* owner);
  // Detaches the children (keeping their world pose), detaches from the
  // parent, destroys the body, deletes the behaviours.
  ~BvLevelElement() override;

  // "BvLevelElement".
  const char* GetClassName() const override;
  // Does nothing.
  void OnNotify(int event, CManagedObjectBase* sender) override;
  // The per-frame update (dt in ms): body set-up on the first call, start
  // delay, behaviours, animation, particles.
  virtual void Update(float dt);
  // The source's kind (1 image, 2 animation, 3 particle, 4 text), 0 without.
  virtual int GetType() const;
  // (Re)builds the fixtures from the source's shape: see level_element_body.
  virtual void CreateFixture();

  // ---- source -----------------------------------------------------------
  // Null is ignored. Copies defaults by kind: image blit mode; animation
  // blit mode, speed and type (restarting at frame 0) and starts playing;
  // particle lifetime, emitter delay, particle size, direction.
  void SetSourceElement(BvElement* element);
  // Looks name up in the owner's element list ("Alert" when missing).
  void SetSourceElementByName(const char* name);
  BvElement* GetSourceElement() const { return m_Source; }
  // The sprite to draw now: an image source's sprite, or an animation
  // source's frame at GetFrame(); null when there is none or the frame
  // index is outside the source's frames.
  BvSprite* GetCurrentSprite() const;

  // ---- transforms (local = stored; world = through parents and body) ----
  // World position in pixels; an attached element with a body moves the
  // body there.
  irr::core::vector2df GetPosition() const;
  // World rotation in radians (0 with fixed rotation); an attached element
  // with a body turns the body to it.
  float GetRotation() const;
  void SetPosition(const irr::core::vector2df& position);
  void SetPosition(float x, float y) { SetPosition(irr::core::vector2df(x, y)); }
  void SetRotation(float radians);
  const irr::core::vector2df& GetLocalPosition() const { return m_Position; }
  float GetLocalRotation() const { return m_Rotation; }
  // Rebuilds the fixture when either axis changes by more than 0.000001.
  void SetScale(const irr::core::vector2df& scale);
  void SetScale(float x, float y) { SetScale(irr::core::vector2df(x, y)); }
  const irr::core::vector2df& GetScale() const { return m_Scale; }
  // Metres per second; seeds a body made later, sets a live body's.
  void SetVelocity(const irr::core::vector2df& velocity);
  void SetVelocity(float x, float y) { SetVelocity(irr::core::vector2df(x, y)); }
  const irr::core::vector2df& GetVelocity() const { return m_Velocity; }
  // The body's linear velocity (metres per second), (0, 0) without body.
  irr::core::vector2df GetLinearVelocity() const;
  // Radians per second; a static body ignores it (the value is stored).
  void SetAngularVelocity(float radiansPerSecond);
  float GetAngularVelocity() const { return m_AngularVelocity; }

  // ---- hierarchy ----------------------------------------------------------
  // Appends child and makes this its parent. Null, this element, an element
  // already listed and an ancestor of this element (a cycle) are ignored; a
  // child of another parent is detached from it first (keeping its pose).
  void AddChild(BvLevelElement* child);
  // parent->AddChild(this); null is ignored.
  void SetParent(BvLevelElement* parent);
  BvLevelElement* GetParent() const { return m_Parent; }
  const std::vector<BvLevelElement*>& GetChildren() const { return m_Children; }
  // Position in the children list, -1 when absent.
  int IndexOfChild(const BvLevelElement* child) const;
  // Leaves the parent keeping the world pose (stored values and body).
  void DetachFromParent();
  // Detaches every child, last first.
  void DetachChildren();
  // At most 29 characters are kept (null: empty).
  void SetParentName(const char* name);
  const char* GetParentName() const { return m_ParentName.c_str(); }

  // ---- behaviours (owned, run in insertion order) -------------------------
  // Null is ignored; else b->SetTarget(this) and append.
  void AddBehavior(BvBehavior* behavior);
  // Deletes every behaviour in list order and empties the list.
  void ClearBehaviors();
  std::vector<BvBehavior*>& GetBehaviors() { return m_Behaviors; }
  const std::vector<BvBehavior*>& GetBehaviors() const { return m_Behaviors; }

  // ---- look ----------------------------------------------------------------
  void SetVisible(bool visible) { m_Visible = visible ? 1 : 0; }
  bool IsVisible() const { return m_Visible != 0; }
  // Draw layer 0..7 and collision category (1 << layer, 0 outside 0..15).
  void SetLayer(int layer) { m_Layer = layer; }
  int GetLayer() const { return m_Layer; }
  // -1: own category plus category 1.
  void SetCollisionMask(int16_t mask) { m_CollisionMask = mask; }
  int16_t GetCollisionMask() const { return m_CollisionMask; }
  void SetFlipX(bool flip) { m_FlipX = flip ? 1 : 0; }
  void SetFlipY(bool flip) { m_FlipY = flip ? 1 : 0; }
  bool GetFlipX() const { return m_FlipX != 0; }
  bool GetFlipY() const { return m_FlipY != 0; }
  // Tint and alpha of the drawing (ARGB).
  void SetColor(irr::video::SColor color) { m_Color = color; }
  irr::video::SColor& GetColor() { return m_Color; }
  const irr::video::SColor& GetColor() const { return m_Color; }
  // 2 additive, other values normal alpha blending.
  void SetBlitMode(int mode) { m_BlitMode = mode; }
  int GetBlitMode() const { return m_BlitMode; }
  // While above 0 the element only counts it down (ms) and is not drawn.
  void SetStartDelay(float ms) { m_StartDelay = ms; }
  float GetStartDelay() const { return m_StartDelay; }

  // ---- physics settings -------------------------------------------------
  // Off: the manager's contact filter refuses every contact of the body.
  void SetCollision(bool on) { m_Collision = on ? 1 : 0; }
  bool GetCollision() const { return m_Collision != 0; }
  // On: the world's gravity acts on the body. Read when the body is made.
  void SetGravity(bool on) { m_Gravity = on ? 1 : 0; }
  bool GetGravity() const { return m_Gravity != 0; }
  void SetFixedRotation(bool on) { m_FixedRotation = on ? 1 : 0; }
  bool GetFixedRotation() const { return m_FixedRotation != 0; }
  // Damping, friction, density and restitution are kept at 0 or more (a
  // non-finite value becomes 0).
  void SetAngularDamping(float value);
  void SetLinearDamping(float value);
  void SetFriction(float value);
  void SetRestitution(float value);
  void SetDensity(float value);
  float GetAngularDamping() const { return m_AngularDamping; }
  float GetLinearDamping() const { return m_LinearDamping; }
  float GetFriction() const { return m_Friction; }
  float GetRestitution() const { return m_Restitution; }
  float GetDensity() const { return m_Density; }
  // 0 static, 1 kinematic, 2 dynamic, -1 no body (any other value: -1).
  void SetDynType(int type);
  int GetDynType() const { return m_DynType; }

  // ---- body ---------------------------------------------------------------
  // Makes the body (once, by the first update): see level_element_body.
  void InitPhysics();
  bool IsPhysicsInitialised() const { return m_PhysicsInitialised != 0; }
  // Destroys the body in the owner's world when both exist; always forgets.
  void DestroyBody();
  // The body, null when there is none or its world has been replaced.
  b2Body* GetBody() const;
  BvLevelManager* GetLevelManager() const { return m_Owner; }
  // The owner's world, null without owner or world.
  b2World* GetWorld() const;
  // True when a fixture of the body contains the world point (pixels).
  bool HitTest(const irr::core::vector2df& point) const;

  // ---- animation --------------------------------------------------------
  // Stores the type (1 loop, 2 ping-pong, 3 once; others end as "once"),
  // restarts at frame 0 going forwards.
  void SetAnimType(int type);
  int GetAnimType() const { return m_AnimType; }
  // Frames per second.
  void SetAnimSpeed(float framesPerSecond) { m_AnimSpeed = framesPerSecond; }
  float GetAnimSpeed() const { return m_AnimSpeed; }
  // Only for an animation source and 0 <= frame < its frame count.
  void SetFrame(int frame);
  // The animation position truncated toward zero.
  int GetFrame() const { return static_cast<int>(m_AnimPosition); }
  float GetAnimPosition() const { return m_AnimPosition; }
  void SetAnimPosition(float frames) { m_AnimPosition = frames; }
  // +1 or -1 (ping-pong reverses it).
  int GetAnimDirection() const { return m_AnimDirection; }
  void SetAnimDirection(int direction) { m_AnimDirection = direction < 0 ? -1 : 1; }
  void PlayAnimation() { m_Playing = 1; }
  void StopAnimation() { m_Playing = 0; }
  bool IsPlaying() const { return m_Playing != 0; }

  // ---- particle emitter -----------------------------------------------
  void SetLifetime(float ms) { m_Lifetime = ms; }
  float GetLifetime() const { return m_Lifetime; }
  void SetEmitterDelay(float ms) { m_EmitterDelay = ms; }
  float GetEmitterDelay() const { return m_EmitterDelay; }
  void SetParticleSize(float size) { m_ParticleSize = size; }
  float GetParticleSize() const { return m_ParticleSize; }
  void SetDirection(const irr::core::vector2df& direction) { m_Direction = direction; }
  void SetDirection(float x, float y) { m_Direction.set(x, y); }
  const irr::core::vector2df& GetDirection() const { return m_Direction; }
  float GetEmitterTimer() const { return m_EmitterTimer; }
  void SetEmitterTimer(float ms) { m_EmitterTimer = ms; }
  // Spread of emitted particles, pixels.
  int GetJitter() const { return m_Jitter; }

  // ---- text -------------------------------------------------------------
  // At most 79 characters, always terminated (null: empty text).
  void SetText(const wchar_t* text);
  // The same from Latin-1 bytes.
  void SetTextA(const char* text);
  // Null until a text was set.
  const wchar_t* GetText() const { return m_Text.get(); }
  // 0 centred on the position, 2 right-aligned, other values left-aligned.
  void SetTextAlign(int alignment) { m_TextAlign = alignment; }
  int GetTextAlign() const { return m_TextAlign; }
  // Pixel width of the text in a text source's font; 0 without text source,
  // font or text.
  int GetTextWidth() const;

 protected:
  // Per-frame helpers of Update (defined with it).
  void UpdateAnimation(float dt);
  void UpdateEmitter(float dt);

  // Places the body at position (metres) and angle (radians), when there is
  // a body and its world is not inside a step.
  void PlaceBody(float xMetres, float yMetres, float angle) const;
  // Removes every fixture of the body.
  void DestroyFixtures();
  // True when element is this element or one of its ancestors.
  bool IsSelfOrAncestor(const BvLevelElement* element) const;

  BvLevelElement* m_Parent = nullptr;           // not owned
  std::vector<BvLevelElement*> m_Children;      // not owned, no duplicates
  BvElement* m_Source = nullptr;                // not owned
  uint8_t m_PhysicsInitialised = 0;
  b2Body* m_Body = nullptr;                     // owned through m_BodyWorld
  b2World* m_BodyWorld = nullptr;               // the world the body lives in
  BvLevelManager* m_Owner = nullptr;            // not owned
  std::string m_ParentName;
  uint8_t m_Visible = 1;
  std::vector<BvBehavior*> m_Behaviors;         // owned, insertion order
  int32_t m_Layer = 0;
  int16_t m_CollisionMask = -1;
  irr::core::vector2df m_Position{0.0f, 0.0f};  // pixels, relative to parent
  float m_Rotation = 0.0f;                      // radians, relative to parent
  irr::core::vector2df m_Scale{1.0f, 1.0f};
  irr::core::vector2df m_Velocity{0.0f, 0.0f};  // metres per second
  float m_AngularVelocity = 0.0f;               // radians per second
  uint8_t m_FlipX = 0;
  uint8_t m_FlipY = 0;
  uint8_t m_Collision = 0;
  uint8_t m_Gravity = 0;
  uint8_t m_FixedRotation = 0;
  uint8_t m_Playing = 0;
  float m_AngularDamping = 0.5f;
  float m_LinearDamping = 0.5f;
  float m_Friction = 0.5f;
  float m_Restitution = 0.5f;
  float m_Density = 1.0f;
  int32_t m_DynType = 0;
  float m_StartDelay = -1.0f;                   // ms
  float m_EmitterTimer = 0.0f;                  // ms
  float m_Lifetime = 100.0f;
  float m_EmitterDelay = 100.0f;                // ms
  float m_ParticleSize = 0.1f;
  int32_t m_Jitter = 5;                         // pixels
  irr::core::vector2df m_Direction{0.0f, 1.0f};
  irr::video::SColor m_Color{0xFFFFFFFFu};
  float m_AnimPosition = 0.0f;                  // frames
  int32_t m_AnimType = 0;
  float m_AnimSpeed = 10.0f;                    // frames per second
  int32_t m_AnimDirection = 1;
  int32_t m_BlitMode = 1;
  std::unique_ptr<wchar_t[]> m_Text;            // kTextCapacity, on first set
  int32_t m_TextAlign = 0;
};
