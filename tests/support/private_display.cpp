#include "support/private_display.h"

namespace bv {
namespace test {

PrivateDisplay::PrivateDisplay(int depth) : m_Server(depth) {
  if (m_Server.Ok()) m_Display.emplace("DISPLAY", m_Server.Display().c_str());
}

irr::IrrlichtDevice* CreateGlDevice(int width, int height) {
  irr::SIrrlichtCreationParameters params;
  params.DriverType = irr::video::EDT_OPENGL;
  params.WindowSize = irr::core::dimension2du(irr::u32(width), irr::u32(height));
  params.Bits = 32;
  params.Vsync = false;
  params.Stencilbuffer = false;
  params.LoggingLevel = irr::ELL_NONE;
  irr::IrrlichtDevice* device = irr::createDeviceEx(params);
  if (device != nullptr)
    device->getVideoDriver()->setTextureCreationFlag(irr::video::ETCF_ALWAYS_32_BIT, true);
  return device;
}

}  // namespace test
}  // namespace bv
