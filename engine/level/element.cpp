#include "engine/level/element.h"

#include "engine/platform/quit_signal.h"
#include "engine/resources/font_without_copy.h"
#include "engine/resources/image.h"
#include "engine/resources/image_file_check.h"
#include "engine/shell/globals.h"

BvElement::BvElement(const char* name) : CManagedObjectBase(name) {}
BvElement::~BvElement() = default;

const char* BvElement::GetClassName() const { return "BvElement"; }
int BvElement::GetType() const { return kElementNone; }
int BvElement::GetVertexCount() const { return m_VertexCount; }

irr::core::vector2df BvElement::GetVertex(int index) const {
  if (index < 0 || index >= kMaxElementVertices) return irr::core::vector2df(0.0f, 0.0f);
  return m_Vertices[index];
}

int BvElement::GetShapeType() const { return m_ShapeType; }
float BvElement::GetRadius() const { return m_Radius; }
void BvElement::SetShapeType(int type) { m_ShapeType = type; }
void BvElement::SetRadius(float radius) { m_Radius = radius; }

void BvElement::AddVertex(const irr::core::vector2df& point) {
  if (m_VertexCount >= kMaxElementVertices) return;
  m_Vertices[m_VertexCount++] = point;
}

void BvElement::ClearVertices() { m_VertexCount = 0; }

BvImageElement::BvImageElement(const char* name) : BvElement(name) {}
BvImageElement::~BvImageElement() = default;
int BvImageElement::GetType() const { return kElementImage; }

BvAnimElement::BvAnimElement(const char* name) : BvElement(name) {}
BvAnimElement::~BvAnimElement() = default;
int BvAnimElement::GetType() const { return kElementAnim; }

void BvAnimElement::AddFrame(BvSprite* sprite) {
  if (sprite) m_Frames.push_back(sprite);
}

BvSprite* BvAnimElement::GetFrame(int index) const {
  if (index < 0 || index >= GetFrameCount()) return nullptr;
  return m_Frames[static_cast<size_t>(index)];
}

BvParticleElement::BvParticleElement(const char* name) : BvElement(name) {}
BvParticleElement::~BvParticleElement() = default;
int BvParticleElement::GetType() const { return kElementParticle; }

void BvParticleElement::SetSourceElementName(const char* name) {
  m_SourceName = name ? std::string(name).substr(0, kMaxSourceName) : std::string();
}

BvTextElement::BvTextElement(const char* name) : BvElement(name) {}
BvTextElement::~BvTextElement() = default;
int BvTextElement::GetType() const { return kElementText; }

void BvTextElement::SetFontImage(BvImage* image) {
  m_FontImage = image;
  m_Font = nullptr;
  if (image && g_Device && g_Device->getGUIEnvironment()) {
    const char* file = image->GetFileName();
    // Irrlicht's font loader reads the file as XML before as an image, so
    // only a whole image of a size the driver holds reaches it.
    if (file[0] != '\0' && !bv::QuitPending() && bv::IsUsableImageFile(file))
      m_Font = g_Device->getGUIEnvironment()->getFont(file);
    // Irrlicht hands out one font per file: only its first fetch converts.
    bv::DropFontDecodedCopy(g_Driver, m_Font);
  }
  SetKerning(m_Kerning);
}

void BvTextElement::SetKerning(int kerning) {
  m_Kerning = kerning;
  if (m_Font) m_Font->setKerningWidth(kerning);
}
