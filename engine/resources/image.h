#pragma once
// BvImage names a picture file of a scene and the colour key it is loaded
// with; the level manager loads it into the texture manager under its name.
#include <string>

#include "engine/objects/managed_object.h"

class BvImage : public CManagedObjectBase {
 public:
  // Longest file name kept, in characters.
  static constexpr size_t kMaxFileName = 79;

  explicit BvImage(const char* name = nullptr);
  ~BvImage() override;
  const char* GetClassName() const override;

  // Keeps the first 79 characters and turns backslashes into slashes.
  void SetFileName(const char* file);
  const char* GetFileName() const { return m_FileName.c_str(); }
  // -1 no key; the texture manager gives the value its meaning.
  void SetColorKey(int key) { m_ColorKey = key; }
  int GetColorKey() const { return m_ColorKey; }
  // Whether the texture manager holds a load of this image's texture: its
  // list releases only what was loaded (a texture held on demand may be out).
  void SetTextureHeld(bool held) { m_TextureHeld = held; }
  bool IsTextureHeld() const { return m_TextureHeld; }

 private:
  std::string m_FileName;
  int m_ColorKey = -1;
  bool m_TextureHeld = true;
};
