// The per-frame layer pass of a level manager and its immediate drawing.
#include <set>
#include <string>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/layer_cache.h"
#include "engine/level/registries.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "engine/resources/frame_clear.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"

namespace {
// Bytes of decoded texels made into textures in a frame that draws nothing
// of the level: a dialog's pictures go up over its unseen first frames
// instead of all in the first frame that shows it.
constexpr size_t kUnseenUploadShare = size_t(1) << 20;
}  // namespace

void BvLevelManager::RenderCurrentLevel(float dt, bool paused, bool underGui, bool drawn) {
  m_UnderGui = underGui;
  UploadDecodedTextures(drawn ? kEveryPicture : kUnseenUploadShare);
  BvLevel* level = GetCurrentLevel();
  if (!level) return;
  if (!paused) {
    m_Camera->Update(dt);
    StepWorld(dt);
  }

  // Filled before any update: elements made during the pass wait a frame.
  // The kept storage is taken out for the pass, so that a pass started from
  // inside it fills buckets of its own.
  std::vector<BvLevelElement*> buckets[kLayerCount];
  for (int layer = 0; layer < kLayerCount; ++layer) {
    buckets[layer].swap(m_Buckets[layer]);
    buckets[layer].clear();
  }
  struct KeepStorage {
    std::vector<BvLevelElement*>* from;
    std::vector<BvLevelElement*>* to;
    ~KeepStorage() {
      for (int layer = 0; layer < kLayerCount; ++layer) to[layer].swap(from[layer]);
    }
  } keep{buckets, m_Buckets};
  for (const auto& entry : level->GetIdIndex()) {
    BvLevelElement* element = static_cast<BvLevelElement*>(entry.second);
    if (!element) {
      bv::ShowMessageBox("Alert", "Render current level, element not found !");
      continue;
    }
    // Only layers 0..7 take part: others are neither updated, drawn nor
    // removed (a modulo would fold negative layers into the wrong bucket).
    const int layer = element->GetLayer();
    if (layer < 0 || layer >= kLayerCount) continue;
    buckets[layer].push_back(element);
  }

  // With the cache the pass records what it would draw and draws it at its
  // end, the unchanged bottom layers as one picture.
  BvLayerCache* cache =
      drawn && m_LayerCache && bv::RenderSavingsOn() ? m_LayerCache.get() : nullptr;
  if (cache) cache->BeginPass();
  const unsigned generation = m_LevelGeneration;
  std::vector<std::string> removals;
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (BvLevelElement* element : buckets[layer]) {
      if (element->GetLayer() != layer) continue;
      if (element->m_bDead) {
        removals.push_back(element->GetNameString());
        continue;
      }
      if (!paused) {
        element->Update(dt);
        // An update that loaded another level freed every element held here.
        if (generation != m_LevelGeneration) return;
      }
      if (!drawn || element->GetStartDelay() > 0.0f) continue;
      if (!cache) {
        RenderLevelElement(element);
        continue;
      }
      BvLayerDraw draw;
      if (!DescribeElement(element, draw)) continue;
      draw.owner = element;
      draw.layer = layer;
      cache->Record(std::move(draw));
    }
  }
  if (cache) {
    irr::video::SColor clear;
    const bool firstDrawing = bv::TheFrameClear().Coverable(&clear);
    cache->DrawPass(*this, firstDrawing, clear);
  }
  for (const std::string& name : removals) level->RemoveObjectByName(name);

  if (g_CmdDebugInfo && m_World) {
    bv::FlushQuads(g_Driver);
    m_World->DebugDraw();
  }
}

void BvLevelManager::RenderLevelElement(BvLevelElement* element) {
  BvLayerDraw draw;
  if (DescribeElement(element, draw)) DrawRecorded(draw);
}

bool BvLevelManager::DescribeElement(BvLevelElement* element, BvLayerDraw& out) {
  if (!element || !element->IsVisible()) return false;
  BvElement* source = element->GetSourceElement();
  if (!source) return false;
  float angle = element->GetRotation();
  irr::core::vector2df position = element->GetPosition();
  irr::core::vector2df scale = element->GetScale();
  ApplyCamera(position, scale, angle, element->GetLayer());
  out.position = WorldToScreen(position);
  out.angle = angle;
  out.scale = scale;
  out.colour = element->GetColor();
  out.additive = element->GetBlitMode() == kBlitAdditive;

  switch (source->GetType()) {
    case kElementImage:
    case kElementAnim:
      break;
    case kElementText: {
      out.font = static_cast<BvTextElement*>(source)->GetFont();
      const wchar_t* text = element->GetText();
      if (!out.font || !text) return false;
      out.text = text;
      out.alignment = element->GetTextAlign();
      return true;
    }
    default:  // emitters and base elements have no look of their own
      return false;
  }
  // The image's sprite, or the animation's frame at GetFrame() (null when
  // the frame index is outside the frames).
  out.sprite = element->GetCurrentSprite();
  if (!out.sprite) return false;
  out.source = out.sprite->GetSourceRect();
  out.flipX = element->GetFlipX();
  out.flipY = element->GetFlipY();
  return true;
}

void BvLevelManager::DrawRecorded(const BvLayerDraw& draw) {
  if (draw.font) {
    DrawText(draw.font, draw.position, draw.angle, draw.scale, draw.colour, draw.text.c_str(),
             draw.alignment, draw.additive);
    return;
  }
  DrawSprite(draw.sprite, draw.position, draw.angle, draw.scale, draw.colour, draw.flipX,
             draw.flipY, draw.additive);
}

void BvLevelManager::SetLayerCaching(bool on) {
  if (on && !m_LayerCache) m_LayerCache = std::make_unique<BvLayerCache>();
  if (!on) m_LayerCache.reset();
}

void BvLevelManager::DropLayerCache() {
  if (m_LayerCache) m_LayerCache->Drop();
}

void BvLevelManager::RenderElementByName(const char* name) {
  BvLevel* level = GetCurrentLevel();
  if (!level || !name) return;
  if (CManagedObjectBase* found = level->GetObjectByName(name))
    RenderLevelElement(static_cast<BvLevelElement*>(found));
}

void BvLevelManager::DrawSprite(BvSprite* sprite, const irr::core::vector2df& position,
                                float angle, const irr::core::vector2df& scale,
                                irr::video::SColor colour, bool flipX, bool flipY,
                                bool additive) {
  if (!sprite || !g_TextureManager) return;
  // An on-demand picture is loaded as it is first drawn, in time for this
  // frame: a frame never shows a dialog without its pictures.
  if (!g_TextureManager->Select(sprite->GetImageName()) &&
      (!m_OnDemandHeld || !LoadOnDemandForDrawing(sprite->GetImageName())))
    return;
  // Negated: a positive world rotation turns counter-clockwise on screen.
  DrawTextureRect(sprite->GetSourceRect(), position.X, position.Y, -angle, scale, colour, true,
                  additive, flipX, flipY);
}

void BvLevelManager::DrawElement(BvElement* element, const irr::core::vector2df& position,
                                 float angle, const irr::core::vector2df& scale,
                                 irr::video::SColor colour, bool flipX, bool flipY,
                                 bool additive) {
  if (!element || element->GetType() != kElementImage) return;
  DrawSprite(static_cast<BvImageElement*>(element)->GetSprite(), position, angle, scale, colour,
             flipX, flipY, additive);
}

void BvLevelManager::DrawSpriteByName(const char* name, const irr::core::vector2df& position,
                                      float angle, const irr::core::vector2df& scale,
                                      irr::video::SColor colour, bool flipX, bool flipY) {
  if (!name) return;
  if (CManagedObjectBase* found = m_Sprites->GetObjectByName(name))
    DrawSprite(static_cast<BvSprite*>(found), position, angle, scale, colour, flipX, flipY,
               false);
}

void BvLevelManager::DrawElementByName(const char* name, const irr::core::vector2df& position,
                                       float angle, const irr::core::vector2df& scale,
                                       irr::video::SColor colour, bool flipX, bool flipY,
                                       bool additive) {
  if (!name) return;
  if (CManagedObjectBase* found = m_Elements->GetObjectByName(name))
    DrawElement(static_cast<BvElement*>(found), position, angle, scale, colour, flipX, flipY,
                additive);
}

void BvLevelManager::DrawTextureRect(const irr::core::recti& source, float x, float y,
                                     float angle, const irr::core::vector2df& scale,
                                     irr::video::SColor colour, bool useAlphaChannel,
                                     bool additive, bool flipX, bool flipY) {
  if (!g_TextureManager) return;
  BvTextureEntry* entry = g_TextureManager->GetCurrent();
  if (!entry) return;
  const int w = source.LowerRightCorner.X - source.UpperLeftCorner.X;
  const int h = source.LowerRightCorner.Y - source.UpperLeftCorner.Y;
  const float dw = float(w) * scale.X;
  const float dh = float(h) * scale.Y;
  const float left = x - dw * 0.5f;
  const float top = y - dh * 0.5f;
  const irr::core::rectf destination(left, top, left + dw, top + dh);
  const irr::core::vector2df centre(left + dw * 0.5f, top + dh * 0.5f);
  bv::Draw2DImageRotated(g_Driver, entry->texture, destination, source, centre, angle, colour,
                         useAlphaChannel, additive, flipX, flipY);
}

void BvLevelManager::PrepareTextDrawing() {
  if (!g_Driver) return;
  std::set<irr::gui::IGUIFont*> prepared;
  for (const auto& entry : m_Elements->GetIdIndex()) {
    BvElement* element = static_cast<BvElement*>(entry.second);
    if (element->GetType() != kElementText) continue;
    irr::gui::IGUIFont* font = static_cast<BvTextElement*>(element)->GetFont();
    if (!font || !prepared.insert(font).second) continue;
    bv::FlushQuads(g_Driver);
    font->draw(L"0", irr::core::recti(0, 0, 0, 0), irr::video::SColor(0, 255, 255, 255), false,
               false, nullptr);
  }
}

void BvLevelManager::DrawText(irr::gui::IGUIFont* font, const irr::core::vector2df& position,
                              float, const irr::core::vector2df&, irr::video::SColor colour,
                              const wchar_t* text, int alignment, bool) {
  if (!font || !text) return;
  const irr::core::dimension2du size = font->getDimension(text);
  const int w = int(size.Width);
  const int h = int(size.Height);
  // Arithmetic shifts: an odd width rounds toward minus infinity.
  int offset = 0;
  if (alignment == 0)
    offset = (-w) >> 1;
  else if (alignment == 2)
    offset = -w;
  const int x = int(position.X + float(offset));
  const int y = int(position.Y - float(h >> 1));
  // Irrlicht's font draws on its own: the sprites before it go down first.
  bv::FlushQuads(g_Driver);
  font->draw(text, irr::core::recti(x, y, 0, 0), colour, false, false, nullptr);
}
