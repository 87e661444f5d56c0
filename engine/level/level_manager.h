#pragma once
// BvLevelManager: one world of the level runtime. Owns a scene's images,
// sprites and elements, the levels registry (one level loaded at a time), a
// camera and a Box2D world; loads scene and level files, steps the physics,
// updates and draws the current level layer by layer, maps world and screen
// coordinates, and is Box2D's contact listener, contact filter and debug
// drawer. The application holds two: the "current" one (built with a world)
// for the scene on screen and the "global" one for the open GUI's level.
//
// Where the members are defined:
//   level_manager.cpp   construction, lists, world, callbacks, coordinates
//   level_render.cpp    the per-frame pass and the immediate drawing
//   scene_reader.cpp    LoadScene and its section readers
//   debug_draw.cpp      the b2Draw operations and DrawElementShape
//   level_reader.cpp    LoadLevel, ReadLevel, LoadLevelElements, LoadBehaviors
//                       (written with the behaviours, not here)
#include <box2d/box2d.h>
#include <irrlicht.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class BvApplication;
struct BvLayerDraw;
class BvCamera;
class BvElement;
class BvElementList;
class BvImage;
class BvImageList;
class BvLevel;
class BvLevelElement;
class BvLayerCache;
class BvLevelList;
class BvSprite;
class BvSpriteList;
class BvXmlNode;
namespace bv {
class PictureDecoder;
struct DecodedPicture;
}

// The logical field: 800 by 600 pixels, origin at its centre, y up.
constexpr float kFieldHalfWidth = 400.0f;
constexpr float kFieldHalfHeight = 300.0f;
// When an image's texture is loaded.
enum class BvTextureNeed {
  kWithScene,  // with its scene, for the scene's whole life
  kOnDemand,   // only while held (BvLevelManager::HoldOnDemandTextures)
  kNever,      // never: nothing draws it (a font is built from the file)
};

// Draw layers 0 .. kLayerCount - 1; elements on other layers are left alone
// by the pass.
constexpr int kLayerCount = 8;
// Physics scale: pixels per metre.
constexpr float kPixelsPerMetre = 10.0f;
// World gravity, metres per second squared.
constexpr float kWorldGravityY = -40.0f;
// Solver iterations per step.
constexpr int kVelocityIterations = 10;
constexpr int kPositionIterations = 10;
// Steps are taken only for 0 < dt < kMaxStepMs (milliseconds).
constexpr float kMaxStepMs = 5000.0f;

class BvLevelManager : public b2ContactListener, public b2ContactFilter, public b2Draw {
 public:
  // owner receives OnCollision for every solved contact (may be null).
  BvLevelManager(BvApplication* owner, bool createWorld);
  // Deletes the world first (level elements destroyed afterwards find no
  // world), then the camera and the levels, elements, sprites, images.
  ~BvLevelManager() override;
  BvLevelManager(const BvLevelManager&) = delete;
  BvLevelManager& operator=(const BvLevelManager&) = delete;

  // ---- lists and camera (never null) -------------------------------------
  BvImageList* GetImages() const { return m_Images.get(); }
  BvSpriteList* GetSprites() const { return m_Sprites.get(); }
  BvElementList* GetElements() const { return m_Elements.get(); }
  BvLevelList* GetLevels() const { return m_Levels.get(); }
  BvCamera* GetCamera() const { return m_Camera.get(); }
  BvApplication* GetOwner() const { return m_Owner; }
  void SetOwner(BvApplication* owner) { m_Owner = owner; }

  // The level with the smallest id, or null when none is loaded.
  BvLevel* GetCurrentLevel() const;
  // Only shows "SetCurrentLevelNumber Not implemented use LoadLevel".
  void SetCurrentLevelNumber(int number);

  // Set from every RenderCurrentLevel call; the mouse-driven behaviours of
  // this manager's elements stay idle while it is set.
  bool IsUnderGui() const { return m_UnderGui; }

  // ---- physics world ----------------------------------------------------
  // Replaces the world with a new empty one (gravity (0, -40), sleeping
  // allowed) with this manager as listener, filter and debug drawer.
  void CreateWorld();
  // Null until the first CreateWorld.
  b2World* GetWorld() const { return m_World.get(); }
  // One step of dt milliseconds, only for 0 < dt < 5000.
  void StepWorld(float dt);
  // Resets the camera, deletes every level (and its elements and bodies),
  // then makes a new world.
  void ClearLevels();
  // ClearLevels, then clears elements, images (and their textures), sprites.
  void ClearScene();

  // ---- Box2D callbacks ----------------------------------------------------
  void BeginContact(b2Contact* contact) override;
  void EndContact(b2Contact* contact) override;
  void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
  // Passes the two level elements to the owner's OnCollision.
  void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;
  // False when either element has its collision flag off; else Box2D's
  // group, category and mask rule.
  bool ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB) override;

  // Debug drawing (outlines only, over the level, layer-0 camera view).
  void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
  void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
  void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
  void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis,
                       const b2Color& color) override;
  void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
  void DrawTransform(const b2Transform& xf) override;
  void DrawPoint(const b2Vec2& p, float size, const b2Color& color) override;
  // White outline of an element's own shape (not Box2D's), in the camera
  // view of its layer.
  void DrawElementShape(BvLevelElement* element);
  // Screen pixel of a point in metres, as the debug drawing places it.
  irr::core::vector2di DebugPointToScreen(const b2Vec2& metres) const;

  // ---- coordinates (pixels) -----------------------------------------------
  // (x + 400, 300 - y).
  static irr::core::vector2df WorldToScreen(const irr::core::vector2df& world);
  // (x - 400, 300 - y).
  static irr::core::vector2df ScreenToWorld(const irr::core::vector2df& screen);
  // World values to camera-viewed world values for an element of layer.
  void ApplyCamera(irr::core::vector2df& position, irr::core::vector2df& scale, float& angle,
                   int layer) const;
  // Inverse of ApplyCamera for a position.
  void UnapplyCamera(irr::core::vector2df& position, int layer) const;
  // The world point under the cursor as seen by elements of layer.
  irr::core::vector2df GetMouseWorldPosition(int layer) const;

  // ---- loading -------------------------------------------------------------
  // Replaces everything with the scene file's images, sprites and elements
  // and loads the textures. False for a null path or an empty or missing
  // file (after its "Alert").
  bool LoadScene(const char* path);
  // Level files (defined in level_reader.cpp).
  bool LoadLevel(int levelNumber, const char* path, bool withBorders);
  bool ReadLevel(BvXmlNode* levelNode, int levelNumber, bool withBorders);
  void LoadLevelElements(BvXmlNode* section, BvLevel* level);
  void LoadBehaviors(BvXmlNode* section, BvLevelElement* element);
  // Loads every image's texture, in ascending id order, but those never
  // needed and those needed on demand (they load when next drawn).
  void LoadImageTextures();
  // Gives image its texture (its file, its colour key) and marks it held:
  // the one load of an image's texture, for the scene and on demand.
  void LoadImageTexture(BvImage& image);

  // ---- textures held on demand (on_demand_textures.cpp) ----------------------
  // With the render savings on, needOf tells when each image's texture is
  // wanted (BvTextureNeed): art only some screens show stays out of memory
  // while none does, and a picture only read from its file (a font's) never
  // gets one. Null (the default): every texture loads with its scene. Set
  // before LoadScene.
  void SetTextureNeeds(BvTextureNeed (*needOf)(const BvImage& image));
  // From now on an on-demand image gets its texture when something first
  // draws it, in time for that drawing (its decoding, started on a worker
  // thread by PrefetchOnDemandTextures or by the drawing, is waited for).
  // Nothing is loaded by the call itself.
  void HoldOnDemandTextures();
  // Starts decoding, off the main thread, the on-demand pictures of the
  // current level's image elements, so that their first drawing waits less.
  void PrefetchOnDemandTextures();
  // Releases the on-demand textures loaded since the hold; pictures still
  // being decoded are dropped when they come. Nothing when not held.
  void ReleaseOnDemandTextures();
  // Makes the textures of the pictures decoded so far (the level pass calls
  // it first, before it draws anything): a texture loads through a render
  // target of its own. With a byte share it stops once that many bytes of
  // texels went up (always making one); the others wait for a later call.
  static constexpr size_t kEveryPicture = ~size_t(0);
  void UploadDecodedTextures(size_t byteShare = kEveryPicture);
  // Blocks until every asked-for picture is decoded (tests, benchmarks).
  void WaitForDecodedTextures();
  // Fetches every text element's font anew (after a display rebuild).
  void ReloadFonts();
  // Draws one fully transparent character with each text element's font,
  // which leaves every pixel as it was: the driver makes its translucent
  // text drawing (shaders of its own) now rather than in the first frame
  // that fades a text in, which that cost 30 to 80 ms.
  void PrepareTextDrawing();

  // ---- per frame and drawing -----------------------------------------------
  // Camera behaviours and one physics step unless paused, then layers 0..7
  // in id order (update unless paused, then draw), then dead elements
  // removed; debug data last with "-debuginfo". dt in milliseconds.
  // Not drawn: the elements update (unless paused) but nothing is drawn, and
  // decoded pictures go up a share at a time (a dialog coming in unseen).
  void RenderCurrentLevel(float dt, bool paused, bool underGui, bool drawn = true);
  void RenderLevelElement(BvLevelElement* element);
  // What RenderLevelElement would draw for the element now; false when it
  // would draw nothing.
  bool DescribeElement(BvLevelElement* element, BvLayerDraw& out);
  // Draws a described element as RenderLevelElement would have.
  void DrawRecorded(const BvLayerDraw& draw);
  // Draws the bottom layers that stay the same from a cached picture (with
  // the render savings on, in a frame where this pass draws first). Off by
  // default; the application turns it on for its current manager.
  void SetLayerCaching(bool on);
  BvLayerCache* GetLayerCache() const { return m_LayerCache.get(); }
  // Forgets the cached picture and releases its render target (before the
  // driver goes away).
  void DropLayerCache();
  void RenderElementByName(const char* name);
  // A sprite centred on a screen point; angle in radians, clockwise on the
  // screen being negative (the world's y-up sense).
  void DrawSprite(BvSprite* sprite, const irr::core::vector2df& position, float angle,
                  const irr::core::vector2df& scale, irr::video::SColor colour, bool flipX,
                  bool flipY, bool additive);
  // DrawSprite with an image element's sprite; other kinds draw nothing.
  void DrawElement(BvElement* element, const irr::core::vector2df& position, float angle,
                   const irr::core::vector2df& scale, irr::video::SColor colour, bool flipX,
                   bool flipY, bool additive);
  void DrawSpriteByName(const char* name, const irr::core::vector2df& position, float angle,
                        const irr::core::vector2df& scale, irr::video::SColor colour, bool flipX,
                        bool flipY);
  void DrawElementByName(const char* name, const irr::core::vector2df& position, float angle,
                         const irr::core::vector2df& scale, irr::video::SColor colour,
                         bool flipX, bool flipY, bool additive);
  // A rectangle of the texture manager's current texture centred on (x, y)
  // screen pixels, turned by angle radians (clockwise on the screen).
  void DrawTextureRect(const irr::core::recti& source, float x, float y, float angle,
                       const irr::core::vector2df& scale, irr::video::SColor colour,
                       bool useAlphaChannel, bool additive, bool flipX, bool flipY);
  // A wide text in an Irrlicht font; alignment 0 centred, 2 right, else
  // left. Angle, scale and additive are not applied to texts.
  void DrawText(irr::gui::IGUIFont* font, const irr::core::vector2df& position, float angle,
                const irr::core::vector2df& scale, irr::video::SColor colour,
                const wchar_t* text, int alignment, bool additive);

 protected:
  // Scene file sections (scene_reader.cpp).
  void LoadImages(BvXmlNode* section);
  void LoadSprites(BvXmlNode* section);
  // Adds a scene element read from its entry, or reports and deletes one
  // that held a number out of range.
  void AddElementInRange(BvElement* element, bool inRange);
  void LoadElements(BvXmlNode* section);
  void LoadImageElement(BvXmlNode* entry);
  void LoadAnimElement(BvXmlNode* entry);
  void LoadParticleElement(BvXmlNode* entry);
  void ResolveParticleSources();

 private:
  bool m_UnderGui = false;
  std::unique_ptr<BvImageList> m_Images;
  std::unique_ptr<BvSpriteList> m_Sprites;
  std::unique_ptr<BvElementList> m_Elements;
  std::unique_ptr<BvLevelList> m_Levels;
  // Not owned.
  BvApplication* m_Owner = nullptr;
  std::unique_ptr<BvCamera> m_Camera;
  std::unique_ptr<b2World> m_World;
  // Counts ClearLevels calls: a pass whose level was replaced by an update
  // (a load from game code) stops instead of touching freed elements.
  unsigned m_LevelGeneration = 0;
  std::unique_ptr<BvLayerCache> m_LayerCache;
  BvTextureNeed (*m_NeedOf)(const BvImage& image) = nullptr;
  bool m_OnDemandHeld = false;
  // Asks for the on-demand image's texture (see HoldOnDemandTextures).
  void RequestOnDemandTexture(const char* imageName);
  // Loads the image's texture from its file here and now.
  void LoadOnDemandNow(BvImage* image);
  // Gives an on-demand picture about to be drawn its texture now (waiting
  // for its decoding); whether it has one.
  bool LoadOnDemandForDrawing(const char* imageName);
  // Images whose pictures are being decoded, by name, with the name the
  // driver gives their file's texture.
  std::map<std::string, irr::io::path> m_Decoding;
  std::unique_ptr<bv::PictureDecoder> m_Decoder;
  // Pictures decoded and not yet made into textures, in the order asked for.
  std::vector<bv::DecodedPicture> m_Decoded;
  // Makes the decoded picture's texture if its image still wants it;
  // whether it did.
  bool UploadDecoded(bv::DecodedPicture& picture);
  // The image's need; with the savings off always with the scene.
  BvTextureNeed NeedOf(const BvImage& image) const;
  // The layer pass's buckets, kept between passes for their storage.
  std::vector<BvLevelElement*> m_Buckets[kLayerCount];
};
