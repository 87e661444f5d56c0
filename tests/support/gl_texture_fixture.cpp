#include "support/gl_texture_fixture.h"

#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"
#include "support/null_video.h"

namespace bv {
namespace test {

void GlTextureFixture::OpenDevice(int width, int height, const std::string& folderStem) {
  ASSERT_TRUE(display_.Ok()) << "Xvfb did not start";
  device_ = CreateGlDevice(width, height);
  ASSERT_NE(device_, nullptr) << "no OpenGL device on the private X server";
  driver_ = device_->getVideoDriver();
  previousDevice_ = g_Device;
  previousDriver_ = g_Driver;
  previousManager_ = g_TextureManager;
  g_Device = device_;
  g_Driver = driver_;
  g_TextureManager = new BvTextureManager();
  folder_ = MakeTempFolder(folderStem);
}

void GlTextureFixture::TearDown() {
  if (!device_) return;
  delete g_TextureManager;
  g_TextureManager = previousManager_;
  g_Driver = previousDriver_;
  g_Device = previousDevice_;
  device_->drop();
  device_ = nullptr;
}

std::string GlTextureFixture::SavePng(const std::string& name, irr::video::IImage* image) {
  const std::string path = folder_ + "/" + name;
  driver_->writeImageToFile(image, path.c_str());
  image->drop();
  return path;
}

}  // namespace test
}  // namespace bv
