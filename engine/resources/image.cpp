#include "engine/resources/image.h"

#include <algorithm>

BvImage::BvImage(const char* name) : CManagedObjectBase(name) {}
BvImage::~BvImage() = default;
const char* BvImage::GetClassName() const { return "BvImage"; }

void BvImage::SetFileName(const char* file) {
  m_FileName = file ? std::string(file).substr(0, kMaxFileName) : std::string();
  std::replace(m_FileName.begin(), m_FileName.end(), '\\', '/');
}
