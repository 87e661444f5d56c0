#include "engine/resources/texture_manager.h"

#include <algorithm>

#include "engine/platform/message_box.h"
#include "engine/platform/quit_signal.h"
#include "engine/resources/image_file_check.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_tiles.h"
#include "engine/resources/texture_without_copy.h"
#include "engine/shell/globals.h"

BvTextureManager* g_TextureManager = nullptr;

BvTextureManager::BvTextureManager() = default;

BvTextureManager::~BvTextureManager() { Clear(); }

void BvTextureManager::RemoveFromDriver(irr::video::ITexture* texture,
                                        const BvTextureEntry* skip) {
  if (!texture || !g_Driver) return;
  for (const auto& [name, entry] : m_Entries) {
    if (&entry != skip && entry.texture == texture) return;
  }
  bv::RemoveTexture(g_Driver, texture);
}

void BvTextureManager::LoadTexture(const char* file, const char* name, int key) {
  if (!g_Driver || !file || !name) return;
  // Once the game is ending no more art is loaded: a screen still loading
  // is cut short and the frame loop ends.
  if (bv::QuitPending()) return;
  ++m_Generation;
  // A texture the driver already holds is taken as it is; a file is loaded
  // only when it is a whole image (a damaged or cut one counts as missing, as
  // Irrlicht's loaders would read past its end).
  irr::video::ITexture* texture = g_Driver->findTexture(file);
  const bool keyed = key != bv::kKeyNoAlpha && key != bv::kKeyAlphaChannel;
  // An unkeyed file goes straight into a texture without a decoded copy.
  bool direct = false, directOpaque = false;
  // A picture too large has had its own alert.
  const bv::ImageFileVerdict verdict =
      texture ? bv::ImageFileVerdict::kUsable : bv::JudgeImageFileForDriver(file);
  if (!texture && verdict == bv::ImageFileVerdict::kUsable) {
    if (!keyed)
      texture = bv::LoadWithoutCopy(g_Driver, g_Device ? g_Device->getFileSystem() : nullptr,
                                    file, &directOpaque);
    direct = texture != nullptr;
    if (!texture) texture = g_Driver->getTexture(file);
  }
  auto found = m_Entries.find(name);
  BvTextureEntry* entry = nullptr;
  if (found != m_Entries.end()) {
    if (!texture) return;
    entry = &found->second;
    if (entry->texture != texture) RemoveFromDriver(entry->texture, entry);
    entry->texture = texture;
  } else {
    if (!texture) {
      if (verdict != bv::ImageFileVerdict::kTooLarge)
        bv::ShowMessageBox("Alert", std::string("Image not found : ") + file);
      return;
    }
    BvTextureEntry fresh;
    fresh.texture = texture;
    const irr::core::dimension2du& size = texture->getOriginalSize();
    fresh.width = static_cast<int32_t>(size.Width);
    fresh.height = static_cast<int32_t>(size.Height);
    entry = &m_Entries.emplace(name, fresh).first->second;
  }
  ++entry->references;
  m_Current = entry;
  entry->useAlphaChannel = key == bv::kKeyNoAlpha ? 0 : 1;
  if (direct) {
    entry->key = key;
    bv::SetTextureOpaque(texture, directOpaque);
    return;
  }
  if (bv::HasNoDecodedCopy(texture)) {
    // Its texels were checked (and keyed) when it was loaded; a key asked
    // for now is only honoured from the file itself.
    if (!keyed || entry->key == key) return;
    texture = ReloadForKey(file, texture);
    if (!texture) return;
  }
  if (keyed) g_Driver->makeColorKeyTexture(texture, irr::video::SColor(static_cast<irr::u32>(key)));
  entry->key = key;
  // After the key: keyed texels are transparent.
  const bool opaque = bv::AllTexelsOpaque(texture);
  irr::video::ITexture* kept = bv::DropDecodedCopy(g_Driver, texture, bv::DrawnBy::kQuadRenderer);
  if (kept != texture) {
    for (auto& [other, held] : m_Entries)
      if (held.texture == texture) held.texture = kept;
  }
  bv::SetTextureOpaque(kept, opaque);
}

irr::video::ITexture* BvTextureManager::ReloadForKey(const char* file,
                                                     irr::video::ITexture* texture) {
  // The uploaded texture cannot be keyed in place: a fresh one from the file
  // takes its place for every entry that held it.
  bv::RemoveTexture(g_Driver, texture);
  irr::video::ITexture* fresh = bv::IsUsableImageFile(file) ? g_Driver->getTexture(file) : nullptr;
  for (auto& [other, held] : m_Entries)
    if (held.texture == texture) held.texture = fresh;
  return fresh;
}

void BvTextureManager::LoadTextureKeyed(const char* file, const char* name, int kind) {
  LoadTexture(file, name, bv::ColorKeyForKind(kind));
}

BvTextureEntry* BvTextureManager::Find(const char* name) {
  if (!name) return nullptr;
  auto found = m_Entries.find(name);
  return found == m_Entries.end() ? nullptr : &found->second;
}

BvTextureEntry* BvTextureManager::Select(const char* name) {
  m_Current = Find(name);
  return m_Current;
}

BvTextureEntry* BvTextureManager::SetTiles(const char* name, int tileWidth, int tileHeight) {
  BvTextureEntry* entry = Find(name);
  if (!entry) return nullptr;
  if (bv::CanTile(entry->width, entry->height, tileWidth, tileHeight)) {
    entry->tileWidth = tileWidth;
    entry->tileHeight = tileHeight;
    entry->tiled = 1;
  }
  return entry;
}

void BvTextureManager::SetPosition(int x, int y) {
  if (!m_Current) return;
  m_Current->x = x;
  m_Current->y = y;
}

void BvTextureManager::SetFrame(int frame) {
  if (m_Current) m_Current->frame = frame;
}

void BvTextureManager::SetAlpha(int alpha) {
  if (m_Current) m_Current->alpha = static_cast<int16_t>(std::clamp(alpha, 0, 255));
}

irr::core::recti BvTextureManager::GetSourceRect() const {
  if (!m_Current) return irr::core::recti(0, 0, 0, 0);
  return bv::TileSourceRect(*m_Current);
}

void BvTextureManager::Draw(const irr::core::recti* clip, bool additive) {
  if (!m_Current || !g_Driver) return;
  irr::core::position2di at(m_Current->x, m_Current->y);
  if (additive) {
    bv::Draw2DImage(g_Driver, m_Current->texture, at, GetSourceRect(), clip,
                    irr::video::SColor(0xFFFFFFFFu), false, true);
    return;
  }
  // The stored alpha is kept to 0..255 so it cannot spill into the colour.
  irr::u32 alpha = static_cast<irr::u32>(std::clamp<int>(m_Current->alpha, 0, 255));
  bv::Draw2DImage(g_Driver, m_Current->texture, at, GetSourceRect(), clip,
                  irr::video::SColor((alpha << 24) | 0xFFFFFFu), m_Current->useAlphaChannel != 0,
                  false);
}

void BvTextureManager::Release(const char* name) {
  if (!name) return;
  auto found = m_Entries.find(name);
  if (found == m_Entries.end()) return;
  if (--found->second.references > 0) return;
  ++m_Generation;
  irr::video::ITexture* texture = found->second.texture;
  RemoveFromDriver(texture, &found->second);
  m_Entries.erase(found);
  m_Current = m_Entries.empty() ? nullptr : &m_Entries.begin()->second;
}

void BvTextureManager::Clear() {
  ++m_Generation;
  if (g_Driver) {
    // Each distinct texture leaves the driver once.
    std::vector<irr::video::ITexture*> removed;
    for (auto& [name, entry] : m_Entries) {
      if (!entry.texture) continue;
      if (std::find(removed.begin(), removed.end(), entry.texture) != removed.end()) continue;
      removed.push_back(entry.texture);
      bv::RemoveTexture(g_Driver, entry.texture);
    }
  }
  m_Entries.clear();
  m_Current = nullptr;
}
