#pragma once
// BvLayerCache: the level's unchanging elements kept as one picture. The
// level pass records what each element would draw (sprite or text, screen
// position after the camera, angle, scale, colour, mirroring, blend), in
// drawing order; at the end of the pass the picture is drawn as one opaque
// copy when it still holds, then every other element in order.
//
// The picture holds the elements of layers 0 to its top layer that have
// drawn exactly the same for some frames. The others of those layers (a
// butterfly flying over the background) are drawn after it, which leaves the
// pixels unchanged only because none of them covers an element that comes
// after it in the picture; where one would, the picture stops below that
// layer. Any difference in what a pictured element draws (moved, faded,
// animated, removed, a camera move or shake, a texture or font replaced), an
// element added between pictured ones, a floating one coming over a pictured
// one, another clear colour, or a texture loaded or released, and the picture
// no longer holds: that frame is drawn element by element. A scene or level
// load and the display's rebuild drop it.
#include <irrlicht.h>

#include <string>
#include <unordered_map>
#include <vector>

class BvLevelManager;
class BvSprite;

// What drawing one level element amounts to.
struct BvLayerDraw {
  // The level element drawn and its layer.
  const void* owner = nullptr;
  int layer = 0;
  BvSprite* sprite = nullptr;
  // The sprite's source rectangle when recorded (its texture can change
  // only through a texture load or release, which the cache watches).
  irr::core::recti source;
  irr::gui::IGUIFont* font = nullptr;
  std::wstring text;
  int alignment = 0;
  irr::core::vector2df position;
  float angle = 0.0f;
  irr::core::vector2df scale;
  irr::video::SColor colour;
  bool flipX = false;
  bool flipY = false;
  bool additive = false;
  bool operator==(const BvLayerDraw& other) const;
  // Screen pixels it may touch (a little larger than what it draws).
  irr::core::rectf Bounds() const;
  // Whether drawing it into the picture gives exactly the pixels drawing it
  // on the window would: texts, and sprites unturned and unscaled on whole
  // pixels.
  bool PictureSafe() const;
};

class BvLayerCache {
 public:
  // Frames an element must draw the same before it goes into the picture.
  static constexpr int kStableFrames = 8;

  BvLayerCache() = default;
  ~BvLayerCache();
  BvLayerCache(const BvLayerCache&) = delete;
  BvLayerCache& operator=(const BvLayerCache&) = delete;

  // Starts recording a pass.
  void BeginPass();
  void Record(BvLayerDraw&& draw) { m_Current.push_back(std::move(draw)); }
  // Draws the recorded pass: from the picture where it still holds, element
  // by element around it. canUsePicture: nothing else was drawn in this
  // frame yet and its clear to clear is still owed. The picture is used only
  // where the window holds 8 bits per colour channel as the picture does.
  void DrawPass(BvLevelManager& manager, bool canUsePicture, irr::video::SColor clear);
  // Draws what was recorded element by element and forgets the picture (a
  // pass cut short).
  void DrawRecordedDirectly(BvLevelManager& manager);
  // Forgets the picture and the history (its render target is kept).
  void Invalidate();
  // Releases the render target too (the driver is going away).
  void Drop();

  // Elements drawn from the picture in the last pass (0: no picture).
  int PicturedElements() const { return m_PicturedLast; }
  // The picture's top layer, -1 without one.
  int PictureTopLayer() const { return m_CachedLayers > 0 ? m_TopLayer : -1; }
  int CachedLayers() const { return m_CachedLayers; }

 private:
  // Marks in pictured which recorded draws a picture of layers up to top
  // would hold: every draw of those layers in taken (matched against
  // m_Cached when it is not empty, else those stable for long enough). False
  // when a draw left out covers a later one in the picture.
  bool Partition(int top, bool matchCached, std::vector<char>& pictured) const;
  bool MakePicture(BvLevelManager& manager, int top, const std::vector<char>& pictured,
                   irr::video::SColor clear);
  // The pass in its steps: how long each recorded draw has drawn the same
  // (m_Ages, m_Bounds); whether the picture still holds this pass (marking
  // m_Pictured), which also sets the wait before the next picture; whether
  // a new picture is due; making it when a better one exists (held:
  // elements the current one holds); drawing the picture, false when it
  // could not be copied (the frame is then drawn directly).
  void AgeRecordedDraws();
  bool PictureHolds(irr::video::SColor clear);
  bool RebuildDue() const;
  bool Rebuild(BvLevelManager& manager, long held, irr::video::SColor clear);
  bool DrawPicture();
  bool WindowMatches();
  bool TargetUsable() const;
  void ReleaseTarget();

  std::vector<BvLayerDraw> m_Current;
  std::vector<int> m_Ages;
  // Bounds of the recorded draws, in their order.
  std::vector<irr::core::rectf> m_Bounds;
  std::vector<BvLayerDraw> m_Previous;
  std::vector<int> m_PreviousAges;
  std::vector<irr::core::rectf> m_PreviousBounds;
  // Index of each owner in m_Previous, filled when the order changed.
  std::unordered_map<const void*, size_t> m_PreviousIndex;
  // Which recorded draws the picture holds this pass (kept for its storage).
  std::vector<char> m_Pictured;
  // The draws the picture holds, in order.
  std::vector<BvLayerDraw> m_Cached;
  int m_TopLayer = -1;
  // Layers 0 to m_TopLayer when a picture exists (0: none).
  int m_CachedLayers = 0;
  int m_PicturedLast = 0;
  int m_FramesSinceBuild = 0;
  // Frames the current picture has been drawn; the wait before the next.
  int m_FramesHeld = 0;
  int m_RebuildGap = 15;
  irr::video::SColor m_CachedClear;
  unsigned m_CachedTextures = 0;
  irr::video::ITexture* m_Target = nullptr;
  irr::video::IVideoDriver* m_TargetDriver = nullptr;
  // The OpenGL framebuffer of m_Target (0: copied as a quad instead).
  unsigned m_TargetFramebuffer = 0;
  // A copy by framebuffer blit failed: pictures are copied as quads.
  bool m_BlitFailed = false;
  // The driver whose window's format was checked, and whether it matches.
  irr::video::IVideoDriver* m_CheckedDriver = nullptr;
  bool m_WindowMatches = false;
};
