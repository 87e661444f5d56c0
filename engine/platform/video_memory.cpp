#include "engine/platform/video_memory.h"

#include <GL/gl.h>

#include <sstream>
#include <string>

namespace bv {
namespace {

// Queries of GL_NVX_gpu_memory_info and GL_ATI_meminfo; both answer in KB.
constexpr GLenum kNvxCurrentAvailableVidmem = 0x9049;
constexpr GLenum kAtiTextureFreeMemory = 0x87FC;
constexpr int kKbShiftToMb = 10;

bool HasExtension(const char* name) {
  const GLubyte* list = glGetString(GL_EXTENSIONS);
  if (list == nullptr) return false;
  std::istringstream words(reinterpret_cast<const char*>(list));
  std::string word;
  while (words >> word) {
    if (word == name) return true;
  }
  return false;
}

}  // namespace

unsigned long GetFreeVideoMemoryMB(irr::video::IVideoDriver* driver) {
  if (driver == nullptr || driver->getDriverType() != irr::video::EDT_OPENGL) return 0;
  // The ATI query fills four values: the first is the total free memory.
  GLint values[4] = {0, 0, 0, 0};
  if (HasExtension("GL_NVX_gpu_memory_info")) {
    glGetIntegerv(kNvxCurrentAvailableVidmem, values);
  } else if (HasExtension("GL_ATI_meminfo")) {
    glGetIntegerv(kAtiTextureFreeMemory, values);
  } else {
    return 0;
  }
  return values[0] > 0 ? static_cast<unsigned long>(values[0]) >> kKbShiftToMb : 0;
}

}  // namespace bv
