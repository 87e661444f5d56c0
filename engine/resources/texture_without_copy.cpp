#include "engine/resources/texture_without_copy.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <vector>

#include "engine/resources/render_savings.h"

namespace bv {
namespace {

// Writes the image's rows bottom-up into the render target's GL texture.
bool UploadFlipped(const irr::u8* rows, irr::u32 pitch, const irr::core::dimension2du& size) {
  GLint target = 0;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                        GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &target);
  if (glGetError() != GL_NO_ERROR || target == 0) return false;
  GLint bound = 0;
  GLint alignment = 4;
  GLint rowLength = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  std::vector<irr::u8> flipped(size_t(size.Width) * 4 * size.Height);
  for (irr::u32 y = 0; y < size.Height; ++y)
    std::memcpy(&flipped[size_t(size.Height - 1 - y) * size.Width * 4], rows + size_t(y) * pitch,
                size_t(size.Width) * 4);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(target));
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.Width, size.Height, GL_BGRA,
                  GL_UNSIGNED_INT_8_8_8_8_REV, flipped.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  return glGetError() == GL_NO_ERROR;
}

// The driver gives every render target a depth buffer of its size, shared
// by size; the uploaded ones are never drawn into, so theirs shrinks to one
// texel. A buffer of the window's size stays: the window-sized render
// targets that draw share it.
void ShrinkDepthBuffer(const irr::core::dimension2du& size, const irr::core::dimension2du& screen) {
  if (size == screen) return;
  GLint type = GL_NONE;
  GLint name = 0;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                        GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
  if (type != GL_RENDERBUFFER) return;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                        GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
  GLint bound = 0;
  GLint format = 0;
  glGetIntegerv(GL_RENDERBUFFER_BINDING, &bound);
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(name));
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_INTERNAL_FORMAT, &format);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
  glRenderbufferStorage(GL_RENDERBUFFER, static_cast<GLenum>(format), 1, 1);
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(bound));
}

}  // namespace

irr::video::ITexture* DropDecodedCopy(irr::video::IVideoDriver* driver,
                                      irr::video::ITexture* texture) {
  using namespace irr::video;
  if (!driver || !texture || !RenderSavingsOn()) return texture;
  if (driver->getDriverType() != EDT_OPENGL || !driver->queryFeature(EVDF_RENDER_TO_TARGET) ||
      !driver->queryFeature(EVDF_FRAMEBUFFER_OBJECT))
    return texture;
  if (texture->isRenderTarget() || texture->hasMipMaps() ||
      texture->getColorFormat() != ECF_A8R8G8B8)
    return texture;
  const irr::core::dimension2du size = texture->getSize();
  if (size != texture->getOriginalSize() || size.Width == 0 || size.Height == 0) return texture;
  const irr::u32 pitch = texture->getPitch();
  if (pitch < size.Width * 4) return texture;

  const irr::io::path name = texture->getName().getPath();
  ITexture* target = driver->addRenderTargetTexture(size, name + "|uploaded", ECF_A8R8G8B8);
  if (!target) return texture;
  if (!target->isRenderTarget() || target->getSize() != size ||
      target->getColorFormat() != ECF_A8R8G8B8) {
    driver->removeTexture(target);
    return texture;
  }
  while (glGetError() != GL_NO_ERROR) {
  }
  bool uploaded = false;
  if (driver->setRenderTarget(target, false, false)) {
    const auto* rows = static_cast<const irr::u8*>(texture->lock(ETLM_READ_ONLY));
    if (rows) {
      uploaded = UploadFlipped(rows, pitch, size);
      if (uploaded) ShrinkDepthBuffer(size, driver->getScreenSize());
      texture->unlock();
    }
  }
  // Textures load between frames, while the window is the target.
  driver->setRenderTarget(nullptr, false, false);
  if (!uploaded) {
    driver->removeTexture(target);
    return texture;
  }
  driver->removeTexture(texture);
  driver->renameTexture(target, name);
  return target;
}

bool HasNoDecodedCopy(irr::video::ITexture* texture) {
  return texture && texture->isRenderTarget();
}

}  // namespace bv
