#pragma once
// Element templates: what a level element draws (a sprite, frame sprites, a
// particle emitter, a text in a font) and which physics shape its body gets.
// The level manager's element list owns them; level elements point to them.
#include <irrlicht.h>

#include <string>
#include <vector>

#include "engine/objects/managed_object.h"

class BvSprite;
class BvImage;

// Kinds returned by BvElement::GetType (and BvLevelElement::GetType).
enum BvElementKind {
  kElementNone = 0,
  kElementImage = 1,
  kElementAnim = 2,
  kElementParticle = 3,
  kElementText = 4,
};

// Physics shape of an element.
enum BvShapeType {
  kShapeNone = 0,
  kShapePolygon = 1,
  kShapeCircle = 2,
  kShapeEdge = 3,
};

// Corners an element can hold.
constexpr int kMaxElementVertices = 20;
// Blit mode that draws additively; every other value blends normally.
constexpr int kBlitAdditive = 2;
// Construction blit mode of image and animation elements: normal drawing.
constexpr int kBlitNormal = 1;

class BvElement : public CManagedObjectBase {
 public:
  explicit BvElement(const char* name = nullptr);
  ~BvElement() override;

  // "BvElement" for the base and all four kinds.
  const char* GetClassName() const override;
  // 0 for the base; the kinds return theirs.
  virtual int GetType() const;
  virtual int GetVertexCount() const;
  // Corner index (0 to 19) in pixels relative to the centre, y up; (0, 0)
  // outside that range.
  virtual irr::core::vector2df GetVertex(int index) const;
  virtual int GetShapeType() const;
  // Circle radius in pixels.
  virtual float GetRadius() const;
  virtual void SetShapeType(int type);
  virtual void SetRadius(float radius);
  // Appends while fewer than 20 corners are held; later ones are ignored.
  virtual void AddVertex(const irr::core::vector2df& point);
  virtual void ClearVertices();

 private:
  int m_VertexCount = 0;
  irr::core::vector2df m_Vertices[kMaxElementVertices];
  float m_Radius = 0.0f;
  int m_ShapeType = kShapeNone;
};

// Draws one sprite.
class BvImageElement : public BvElement {
 public:
  explicit BvImageElement(const char* name = nullptr);
  ~BvImageElement() override;
  int GetType() const override;

  BvSprite* GetSprite() const { return m_Sprite; }
  void SetSprite(BvSprite* sprite) { m_Sprite = sprite; }
  int GetBlitMode() const { return m_BlitMode; }
  void SetBlitMode(int mode) { m_BlitMode = mode; }

 private:
  BvSprite* m_Sprite = nullptr;  // not owned
  int m_BlitMode = kBlitNormal;
};

// Draws the frame sprite at the level element's frame index.
class BvAnimElement : public BvElement {
 public:
  explicit BvAnimElement(const char* name = nullptr);
  ~BvAnimElement() override;
  int GetType() const override;

  // Appends; null is ignored, repeats are allowed.
  void AddFrame(BvSprite* sprite);
  int GetFrameCount() const { return static_cast<int>(m_Frames.size()); }
  // The frame sprite at index, null outside 0..count-1.
  BvSprite* GetFrame(int index) const;
  void ClearFrames() { m_Frames.clear(); }
  // 1 loop, 2 ping-pong, 3 once.
  int GetAnimType() const { return m_AnimType; }
  void SetAnimType(int type) { m_AnimType = type; }
  // Frames per second.
  float GetAnimSpeed() const { return m_AnimSpeed; }
  void SetAnimSpeed(float speed) { m_AnimSpeed = speed; }
  int GetBlitMode() const { return m_BlitMode; }
  void SetBlitMode(int mode) { m_BlitMode = mode; }

 private:
  std::vector<BvSprite*> m_Frames;  // not owned
  int m_AnimType = 0;
  float m_AnimSpeed = 10.0f;
  int m_BlitMode = kBlitNormal;
};

// Emitter template: each particle is a level element made from the source.
class BvParticleElement : public BvElement {
 public:
  // Longest source element name kept.
  static constexpr size_t kMaxSourceName = 29;

  explicit BvParticleElement(const char* name = nullptr);
  ~BvParticleElement() override;
  int GetType() const override;

  BvElement* GetSourceElement() const { return m_Source; }
  void SetSourceElement(BvElement* element) { m_Source = element; }
  // Milliseconds.
  float GetLifetime() const { return m_Lifetime; }
  void SetLifetime(float lifetime) { m_Lifetime = lifetime; }
  // Milliseconds between particles.
  float GetEmitterDelay() const { return m_EmitterDelay; }
  void SetEmitterDelay(float delay) { m_EmitterDelay = delay; }
  float GetParticleSize() const { return m_ParticleSize; }
  void SetParticleSize(float size) { m_ParticleSize = size; }
  const irr::core::vector2df& GetDirection() const { return m_Direction; }
  void SetDirection(float x, float y) { m_Direction.set(x, y); }
  // Keeps the first 29 characters (null: empty).
  void SetSourceElementName(const char* name);
  const char* GetSourceElementName() const { return m_SourceName.c_str(); }

 private:
  BvElement* m_Source = nullptr;  // not owned
  float m_Lifetime = 100.0f;
  float m_EmitterDelay = 100.0f;
  float m_ParticleSize = 0.1f;
  irr::core::vector2df m_Direction{0.0f, 1.0f};
  std::string m_SourceName;
};

// Draws a level element's text in the font loaded from the font image's file.
class BvTextElement : public BvElement {
 public:
  explicit BvTextElement(const char* name = nullptr);
  ~BvTextElement() override;
  int GetType() const override;

  // Stores the image and takes the GUI environment's font of its file name
  // (null when it cannot be loaded or there is no device), then applies the
  // kerning again. A null image clears image and font.
  void SetFontImage(BvImage* image);
  // Stored, and passed to the font when one is held.
  void SetKerning(int kerning);
  int GetKerning() const { return m_Kerning; }
  BvImage* GetFontImage() const { return m_FontImage; }
  irr::gui::IGUIFont* GetFont() const { return m_Font; }

 private:
  BvImage* m_FontImage = nullptr;     // not owned
  irr::gui::IGUIFont* m_Font = nullptr;  // the GUI environment's
  int m_Kerning = 0;
};
