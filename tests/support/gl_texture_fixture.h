#pragma once
// A fixture for tests that draw through the texture manager on real OpenGL:
// a private X server, a device with a window of the test's size, and the
// engine's device, driver and texture manager pointed at them for the test
// (the earlier ones are put back afterwards). Files the test writes go to a
// temporary folder of its own.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <string>

#include "support/private_display.h"

class BvTextureManager;

namespace bv {
namespace test {

class GlTextureFixture : public ::testing::Test {
 protected:
  // Called from SetUp; a failure there skips the test body.
  void OpenDevice(int width, int height, const std::string& folderStem);
  void TearDown() override;
  // Writes image into the test's folder as a PNG and drops it; its path.
  std::string SavePng(const std::string& name, irr::video::IImage* image);

  PrivateDisplay display_;
  irr::IrrlichtDevice* device_ = nullptr;
  irr::video::IVideoDriver* driver_ = nullptr;
  std::string folder_;

 private:
  irr::IrrlichtDevice* previousDevice_ = nullptr;
  irr::video::IVideoDriver* previousDriver_ = nullptr;
  BvTextureManager* previousManager_ = nullptr;
};

}  // namespace test
}  // namespace bv
