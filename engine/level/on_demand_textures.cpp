// BvLevelManager's textures held on demand: the images a screen picks get
// their textures only while something shows them, each when it is first
// drawn, decoded off the main thread.
#include <utility>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/quit_signal.h"
#include "engine/resources/image.h"
#include "engine/resources/image_file_check.h"
#include "engine/resources/picture_decoder.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_functions.h"
#include "engine/resources/texture_manager.h"
#include "engine/resources/texture_tiles.h"
#include "engine/resources/texture_without_copy.h"
#include "engine/shell/globals.h"

namespace {

// The file's bytes and the name the driver gives its texture (opened as
// its getTexture opens it: by the absolute path first, else as given).
bool ReadPictureFile(irr::io::IFileSystem* files, const char* file, irr::io::path* name,
                     std::vector<uint8_t>* bytes) {
  irr::io::IReadFile* read = files->createAndOpenFile(files->getAbsolutePath(file));
  if (!read) read = files->createAndOpenFile(file);
  if (!read) return false;
  *name = read->getFileName();
  const long size = read->getSize();
  bytes->resize(size > 0 ? size_t(size) : 0);
  const bool whole = size > 0 && read->read(bytes->data(), irr::u32(size)) == irr::s32(size);
  read->drop();
  return whole;
}

// Whether bytes are a whole PNG no larger than the driver's largest picture;
// any other file loads the ordinary way, which reports it.
bool IsUsablePng(const std::vector<uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  return bv::JudgeImage(bv::ImageFormat::kPng, text, bv::LargestPicture(g_Driver), nullptr) ==
         bv::ImageFileVerdict::kUsable;
}

}  // namespace

void BvLevelManager::SetTextureNeeds(BvTextureNeed (*needOf)(const BvImage& image)) {
  m_NeedOf = needOf;
}

BvTextureNeed BvLevelManager::NeedOf(const BvImage& image) const {
  if (!m_NeedOf || !bv::RenderSavingsOn()) return BvTextureNeed::kWithScene;
  return m_NeedOf(image);
}

void BvLevelManager::HoldOnDemandTextures() { m_OnDemandHeld = true; }

void BvLevelManager::ReleaseOnDemandTextures() {
  if (!m_OnDemandHeld) return;
  m_OnDemandHeld = false;
  m_Decoding.clear();
  m_Decoded.clear();
  for (const auto& entry : m_Images->GetIdIndex()) {
    BvImage* image = static_cast<BvImage*>(entry.second);
    if (!image->IsTextureHeld() || NeedOf(*image) != BvTextureNeed::kOnDemand) continue;
    image->SetTextureHeld(false);
    if (g_TextureManager) g_TextureManager->Release(image->GetName());
  }
}

void BvLevelManager::LoadOnDemandNow(BvImage* image) { LoadImageTexture(*image); }

void BvLevelManager::RequestOnDemandTexture(const char* imageName) {
  if (!m_OnDemandHeld || !imageName || m_Decoding.count(imageName)) return;
  CManagedObjectBase* found = m_Images->FindObjectByName(imageName);
  if (!found) return;
  BvImage* image = static_cast<BvImage*>(found);
  if (image->IsTextureHeld() || NeedOf(*image) != BvTextureNeed::kOnDemand) return;
  // The game is ending: no more art is read.
  if (bv::QuitPending()) return;
  // A keyed picture, another format or no file system: loaded the ordinary
  // way now, as before.
  irr::io::IFileSystem* files = g_Device ? g_Device->getFileSystem() : nullptr;
  const char* file = image->GetFileName();
  const int key = image->GetColorKey();
  const bool keyed = key != bv::kKeyAlphaChannel && key != bv::kKeyNoAlpha;
  irr::io::path textureName;
  std::vector<uint8_t> bytes;
  if (!g_Driver || !files || keyed || bv::ImageFormatOfName(file) != bv::ImageFormat::kPng ||
      g_Driver->findTexture(file) || !ReadPictureFile(files, file, &textureName, &bytes) ||
      !IsUsablePng(bytes)) {
    LoadOnDemandNow(image);
    return;
  }
  if (!m_Decoder) m_Decoder = std::make_unique<bv::PictureDecoder>();
  m_Decoding[imageName] = textureName;
  // Rows top first, as both the render-target and the ordinary upload take them.
  m_Decoder->Decode(imageName, std::move(bytes), false);
}

void BvLevelManager::PrefetchOnDemandTextures() {
  BvLevel* level = GetCurrentLevel();
  if (!m_OnDemandHeld || !level) return;
  for (const auto& entry : level->GetIdIndex()) {
    const BvElement* source = static_cast<BvLevelElement*>(entry.second)->GetSourceElement();
    if (!source || source->GetType() != kElementImage) continue;
    const BvSprite* sprite = static_cast<const BvImageElement*>(source)->GetSprite();
    if (sprite) RequestOnDemandTexture(sprite->GetImageName());
  }
}

bool BvLevelManager::LoadOnDemandForDrawing(const char* imageName) {
  RequestOnDemandTexture(imageName);
  // Asked for earlier or just now: its decoding is waited for here.
  if (m_Decoder && imageName && m_Decoding.count(imageName)) {
    m_Decoder->WaitUntilIdle();
    UploadDecodedTextures();
  }
  return g_TextureManager && g_TextureManager->Select(imageName);
}

void BvLevelManager::UploadDecodedTextures(size_t byteShare) {
  if (!m_Decoder) return;
  for (bv::DecodedPicture& picture : m_Decoder->TakeDecoded())
    m_Decoded.push_back(std::move(picture));
  size_t uploaded = 0;
  size_t next = 0;
  while (next < m_Decoded.size() && uploaded < byteShare) {
    bv::DecodedPicture& picture = m_Decoded[next++];
    if (UploadDecoded(picture)) uploaded += picture.texels.size() * sizeof(uint32_t);
  }
  m_Decoded.erase(m_Decoded.begin(), m_Decoded.begin() + std::ptrdiff_t(next));
}

bool BvLevelManager::UploadDecoded(bv::DecodedPicture& picture) {
  auto asked = m_Decoding.find(picture.name);
  // Released since it was asked for (the dialog closed): dropped.
  if (asked == m_Decoding.end()) return false;
  const irr::io::path textureName = asked->second;
  m_Decoding.erase(asked);
  CManagedObjectBase* found = m_Images->FindObjectByName(picture.name);
  if (!found || !m_OnDemandHeld) return false;
  BvImage* image = static_cast<BvImage*>(found);
  if (image->IsTextureHeld()) return false;
  // The texture manager takes the driver's texture of the file as it is;
  // a picture that could not be decoded here loads (or is reported) the
  // ordinary way.
  bv::AddDecodedTexture(g_Driver, textureName, picture);
  LoadOnDemandNow(image);
  return true;
}

void BvLevelManager::WaitForDecodedTextures() {
  if (m_Decoder) m_Decoder->WaitUntilIdle();
}
