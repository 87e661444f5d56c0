#pragma once
// A private X server that DISPLAY names while it lives, for code that opens
// "the" display from the environment (Irrlicht's devices, XOpenDisplay of
// null), and OpenGL devices on it. Tests that draw start one of these
// instead of relying on the run's DISPLAY, and fail when it does not start.
#include <irrlicht.h>

#include <optional>
#include <string>

#include "support/private_x_server.h"
#include "support/scoped_env.h"

namespace bv {
namespace test {

class PrivateDisplay {
 public:
  // A server whose screen has depth bits per pixel.
  explicit PrivateDisplay(int depth = 24);
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  bool Ok() const { return m_Server.Ok(); }
  // The display name, such as ":12" (empty when the server did not start).
  const std::string& Name() const { return m_Server.Display(); }

 private:
  PrivateXServer m_Server;
  std::optional<ScopedEnv> m_Display;
};

// An Irrlicht OpenGL device with a window of the given size on DISPLAY:
// 32 bits, no vertical sync, no stencil, no log, textures always 32-bit.
// Null when it cannot be made.
irr::IrrlichtDevice* CreateGlDevice(int width, int height);

}  // namespace test
}  // namespace bv
