#pragma once
// A headless video set-up for tests: Irrlicht's NULL device installed as
// g_Device / g_Driver, a fresh g_TextureManager, and message boxes captured.
// Textures load from real image files (the NULL driver keeps them as
// textures without pixels), so the texture manager behaves as in the game.
#include <irrlicht.h>

#include <string>

namespace bv {
namespace test {

class NullVideo {
 public:
  NullVideo();
  ~NullVideo();
  NullVideo(const NullVideo&) = delete;
  NullVideo& operator=(const NullVideo&) = delete;

  irr::IrrlichtDevice* device() const { return m_Device; }
  irr::video::IVideoDriver* driver() const { return m_Driver; }

  // Writes a w by h PNG of one colour to path; false when it could not.
  bool WritePng(const std::string& path, int w, int h, irr::video::SColor colour) const;

 private:
  irr::IrrlichtDevice* m_Device = nullptr;
  irr::video::IVideoDriver* m_Driver = nullptr;
  // What the globals held before, restored on destruction.
  irr::IrrlichtDevice* m_PreviousDevice = nullptr;
  irr::video::IVideoDriver* m_PreviousDriver = nullptr;
  void* m_PreviousTextures = nullptr;
  int m_PreviousMessageMode = 0;
};

// A fresh, empty folder under the system's temporary folder.
std::string MakeTempFolder(const std::string& stem);

}  // namespace test
}  // namespace bv
