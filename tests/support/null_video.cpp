#include "support/null_video.h"

#include <filesystem>
#include <random>

#include "engine/platform/message_box.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"

namespace bv {
namespace test {

NullVideo::NullVideo() {
  m_PreviousDevice = g_Device;
  m_PreviousDriver = g_Driver;
  m_PreviousTextures = g_TextureManager;
  irr::SIrrlichtCreationParameters params;
  params.DriverType = irr::video::EDT_NULL;
  params.WindowSize = irr::core::dimension2du(800, 600);
  params.LoggingLevel = irr::ELL_NONE;
  m_Device = irr::createDeviceEx(params);
  m_Driver = m_Device ? m_Device->getVideoDriver() : nullptr;
  g_Device = m_Device;
  g_Driver = m_Driver;
  g_TextureManager = new BvTextureManager();
  m_PreviousMessageMode = static_cast<int>(GetMessageBoxMode());
  SetMessageBoxMode(MessageBoxMode::Capture);
  ClearShownMessages();
}

NullVideo::~NullVideo() {
  delete g_TextureManager;
  g_TextureManager = static_cast<BvTextureManager*>(m_PreviousTextures);
  if (m_Device) m_Device->drop();
  g_Device = m_PreviousDevice;
  g_Driver = m_PreviousDriver;
  SetMessageBoxMode(static_cast<MessageBoxMode>(m_PreviousMessageMode));
}

bool NullVideo::WritePng(const std::string& path, int w, int h, irr::video::SColor colour) const {
  if (!m_Driver) return false;
  irr::video::IImage* image = m_Driver->createImage(
      irr::video::ECF_A8R8G8B8, irr::core::dimension2du(irr::u32(w), irr::u32(h)));
  if (!image) return false;
  image->fill(colour);
  const bool written = m_Driver->writeImageToFile(image, path.c_str());
  image->drop();
  return written;
}

std::string MakeTempFolder(const std::string& stem) {
  namespace fs = std::filesystem;
  std::random_device seed;
  const fs::path folder =
      fs::temp_directory_path() / (stem + "-" + std::to_string(seed()) + std::to_string(seed()));
  fs::create_directories(folder);
  return folder.string();
}

}  // namespace test
}  // namespace bv
