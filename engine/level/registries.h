#pragma once
// The level manager's owning registries of a scene's resources: images,
// sprites and element templates. (The levels registry is in level.h.)
#include "engine/objects/managed_object.h"

class BvImage;

// Images of a scene. Clearing also removes each image's texture from the
// texture manager (walking the images in id order) before deleting them.
class BvImageList : public CManagedObjectList {
 public:
  BvImageList() = default;
  ~BvImageList() override;
  void Clear() override;
  // Adds a new image with the given one's name, file name, colour key and
  // user pointer (the scene reader fills a temporary record per entry).
  // False when the name is already listed (after the list's "Alert").
  bool AddImageCopy(const BvImage& image);
};

// Sprites of a scene.
class BvSpriteList : public CManagedObjectList {
 public:
  BvSpriteList() = default;
  ~BvSpriteList() override;
};

// Element templates of a scene (image, anim, particle, text, borders).
class BvElementList : public CManagedObjectList {
 public:
  BvElementList() = default;
  ~BvElementList() override;
};
