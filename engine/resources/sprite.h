#pragma once
// BvSprite names a rectangle of an image, in image pixels.
#include <irrlicht.h>

#include "engine/objects/managed_object.h"

class BvImage;

class BvSprite : public CManagedObjectBase {
 public:
  explicit BvSprite(const char* name = nullptr);
  ~BvSprite() override;
  const char* GetClassName() const override;

  void SetSourceRect(int left, int top, int right, int bottom);
  void SetSourceRect(const irr::core::recti& rect) { m_Source = rect; }
  const irr::core::recti& GetSourceRect() const { return m_Source; }
  // Not owned (the images list owns it).
  void SetImage(BvImage* image) { m_Image = image; }
  BvImage* GetImage() const { return m_Image; }
  // The image's name, "" without image.
  const char* GetImageName() const;

 private:
  irr::core::recti m_Source{0, 0, 0, 0};
  BvImage* m_Image = nullptr;
};
