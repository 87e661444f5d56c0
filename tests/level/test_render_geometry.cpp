// Geometry of the drawing path without a display: texture coordinates of
// 1:1 against filtered quads, corner turning, text placement, and the
// debug drawing's colour and point mapping.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/debug_draw.h"
#include "engine/level/level_manager.h"
#include "engine/resources/quad_renderer.h"
#include "support/recording_font.h"

using irr::core::recti;
using irr::core::vector2df;
using irr::video::SColor;

namespace {

// A texture that only has a size.
class SizedTexture : public irr::video::ITexture {
 public:
  SizedTexture(irr::u32 w, irr::u32 h) : ITexture("sized"), m_Size(w, h) {}
  void* lock(irr::video::E_TEXTURE_LOCK_MODE, irr::u32) override { return nullptr; }
  void unlock() override {}
  const irr::core::dimension2du& getOriginalSize() const override { return m_Size; }
  const irr::core::dimension2du& getSize() const override { return m_Size; }
  irr::video::E_DRIVER_TYPE getDriverType() const override { return irr::video::EDT_NULL; }
  irr::video::ECOLOR_FORMAT getColorFormat() const override {
    return irr::video::ECF_A8R8G8B8;
  }
  irr::u32 getPitch() const override { return m_Size.Width * 4; }
  void regenerateMipMapLevels(void*) override {}

 private:
  irr::core::dimension2du m_Size;
};

bv::QuadDraw Build(irr::video::ITexture* texture, float left, float top, float right,
                   float bottom, const recti& source, float angle, bool flipX, bool flipY,
                   bool* built = nullptr) {
  const vector2df p[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  bv::QuadDraw quad;
  const bool ok =
      bv::BuildImageQuad(texture, p, source, vector2df((left + right) / 2, (top + bottom) / 2),
                         angle, SColor(255, 255, 255, 255), true, false, flipX, flipY, quad);
  if (built) *built = ok;
  return quad;
}

// A sprite at (16, 8)-(32, 24) of a 64 by 32 sheet.
TEST(RenderGeometry, TextureCoordinatesOfOneToOneAndFilteredDraws) {
  SizedTexture sheet(64, 32);
  const recti source(16, 8, 32, 24);
  struct Case {
    const char* what;
    float size;  // destination width and height
    float angle;
    bool linear;
    float u0, u1, v0, v1;
  };
  const Case cases[] = {
      {"1:1 upright samples the source exactly", 16, 0.0f, false, 16 / 64.f, 32 / 64.f,
       8 / 32.f, 24 / 32.f},
      {"turned stays half a texel inside", 16, 0.25f, false, 16.5f / 64, 31.5f / 64,
       8.5f / 32, 23.5f / 32},
      {"scaled stays half a texel inside, filtered", 32, 0.0f, true, 16.5f / 64, 31.5f / 64,
       8.5f / 32, 23.5f / 32},
      {"a size that truncates to the source counts as 1:1", 16.7f, 0.0f, false, 16 / 64.f,
       32 / 64.f, 8 / 32.f, 24 / 32.f},
  };
  for (const Case& c : cases) {
    const bv::QuadDraw q = Build(&sheet, 100, 100, 100 + c.size, 100 + c.size, source, c.angle,
                                 false, false);
    EXPECT_FLOAT_EQ(q.uv[0].X, c.u0) << c.what;
    EXPECT_FLOAT_EQ(q.uv[2].X, c.u1) << c.what;
    EXPECT_FLOAT_EQ(q.uv[0].Y, c.v0) << c.what;
    EXPECT_FLOAT_EQ(q.uv[2].Y, c.v1) << c.what;
    EXPECT_EQ(q.linearFilter, c.linear) << c.what;
  }
}

TEST(RenderGeometry, FlipsExchangeCoordinatesAndTurnsMoveCorners) {
  SizedTexture tex(10, 10);
  const recti source(0, 0, 10, 10);
  bv::QuadDraw q = Build(&tex, 0, 0, 10, 10, source, 0.0f, true, false);
  EXPECT_FLOAT_EQ(q.uv[0].X, 1.0f);
  EXPECT_FLOAT_EQ(q.uv[1].X, 0.0f);
  EXPECT_FLOAT_EQ(q.uv[0].Y, 0.0f);
  q = Build(&tex, 0, 0, 10, 10, source, 0.0f, false, true);
  EXPECT_FLOAT_EQ(q.uv[0].Y, 1.0f);
  EXPECT_FLOAT_EQ(q.uv[3].Y, 0.0f);

  // A positive angle turns clockwise on the screen: top-left goes to
  // top-right for a quarter turn about the centre (5, 5).
  q = Build(&tex, 0, 0, 10, 10, source, float(M_PI / 2), false, false);
  EXPECT_NEAR(q.corners[0].X, 10.0f, 1e-4f);
  EXPECT_NEAR(q.corners[0].Y, 0.0f, 1e-4f);
  EXPECT_NEAR(q.corners[1].X, 10.0f, 1e-4f);
  EXPECT_NEAR(q.corners[1].Y, 10.0f, 1e-4f);

  bool built = true;
  Build(&tex, 10, 0, 0, 10, source, 0.0f, false, false, &built);
  EXPECT_FALSE(built) << "one axis reversed: not drawn";
  Build(&tex, 10, 10, 0, 0, source, 0.0f, false, false, &built);
  EXPECT_TRUE(built) << "both reversed: a half turn";
  Build(nullptr, 0, 0, 10, 10, source, 0.0f, false, false, &built);
  EXPECT_FALSE(built) << "no texture";
}

TEST(RenderGeometry, PositionFormClipsSourceWithTheDestination) {
  SizedTexture tex(32, 32);
  std::vector<bv::QuadDraw> quads;
  bv::SetQuadObserver([&](const bv::QuadDraw& q) { quads.push_back(q); });
  const recti clip(0, 0, 20, 100);
  bv::Draw2DImage(nullptr, &tex, irr::core::position2di(10, 10), recti(0, 0, 16, 16), &clip,
                  SColor(255, 255, 255, 255), true, true);
  const recti outside(200, 200, 300, 300);
  bv::Draw2DImage(nullptr, &tex, irr::core::position2di(10, 10), recti(0, 0, 16, 16), &outside,
                  SColor(255, 255, 255, 255), true, false);
  bv::SetQuadObserver({});
  ASSERT_EQ(quads.size(), 1u) << "a draw clipped away entirely submits nothing";
  EXPECT_FLOAT_EQ(quads[0].corners[2].X, 20.0f);
  EXPECT_FLOAT_EQ(quads[0].uv[2].X, 10.0f / 32.0f) << "source cut with the destination";
  EXPECT_TRUE(quads[0].additive);
}

using bv::test::RecordingFont;

TEST(RenderGeometry, TextPlacementByAlignment) {
  BvLevelManager manager(nullptr, false);
  struct Case {
    int alignment;
    irr::u32 w, h;
    int x, y;
  };
  const Case cases[] = {
      {0, 5, 15, 97, 43},    // centred: odd width rounds toward minus infinity
      {0, 6, 14, 97, 43},
      {2, 5, 15, 95, 43},    // right-aligned: ends at the position
      {1, 5, 15, 100, 43},   // left-aligned
      {7, 5, 15, 100, 43},   // any other value: left-aligned
  };
  for (const Case& c : cases) {
    RecordingFont font(c.w, c.h);
    manager.DrawText(&font, vector2df(100.0f, 50.0f), 1.0f, vector2df(3, 3),
                     SColor(255, 255, 255, 255), L"text", c.alignment, true);
    ASSERT_EQ(font.drawn.size(), 1u);
    EXPECT_EQ(font.drawn[0].position.UpperLeftCorner, irr::core::vector2di(c.x, c.y))
        << "alignment " << c.alignment << " width " << c.w;
  }
  RecordingFont font(5, 5);
  manager.DrawText(&font, vector2df(0, 0), 0, vector2df(1, 1), SColor(255, 255, 255, 255),
                   nullptr, 0, false);
  EXPECT_TRUE(font.drawn.empty()) << "no text, nothing drawn";
}

TEST(DebugDraw, ColoursAreOpaqueAndTruncated) {
  EXPECT_EQ(bv::DebugColour(b2Color(1.0f, 0.5f, 0.0f)).color, 0xFFFF7F00u);
  EXPECT_EQ(bv::DebugColour(b2Color(0.9f, 0.7f, 0.7f)).color, 0xFFE5B2B2u);
}

TEST(DebugDraw, PointsFollowTheLayerZeroCamera) {
  BvLevelManager manager(nullptr, false);
  // A 20 by 20 pixel box at the origin is the square 390..410 x 290..310.
  EXPECT_EQ(manager.DebugPointToScreen(b2Vec2(-1, 1)), irr::core::vector2di(390, 290));
  EXPECT_EQ(manager.DebugPointToScreen(b2Vec2(1, -1)), irr::core::vector2di(410, 310));
  // Parallax never applies: the camera moves every outline as layer 0.
  manager.GetCamera()->SetParallax(1.0f);
  manager.GetCamera()->SetPosition(30.0f, 0.0f);
  EXPECT_EQ(manager.DebugPointToScreen(b2Vec2(0, 0)), irr::core::vector2di(370, 300));
  manager.GetCamera()->SetScale(2.0f, 2.0f);
  EXPECT_EQ(manager.DebugPointToScreen(b2Vec2(1, 0)), irr::core::vector2di(360, 300));
}

}  // namespace
