#include "engine/resources/sprite.h"

#include "engine/resources/image.h"

BvSprite::BvSprite(const char* name) : CManagedObjectBase(name) {}
BvSprite::~BvSprite() = default;
const char* BvSprite::GetClassName() const { return "BvSprite"; }

void BvSprite::SetSourceRect(int left, int top, int right, int bottom) {
  m_Source = irr::core::recti(left, top, right, bottom);
}

const char* BvSprite::GetImageName() const { return m_Image ? m_Image->GetName() : ""; }
