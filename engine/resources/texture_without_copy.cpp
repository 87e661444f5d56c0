#include "engine/resources/texture_without_copy.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <vector>

#include "engine/resources/decoded_image_check.h"
#include "engine/resources/image_file_check.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/render_savings.h"

namespace bv {
namespace {

// Writes rows (first row at v = 0) into the render target's GL texture.
bool UploadRows(const irr::u8* rows, irr::u32 pitch, const irr::core::dimension2du& size) {
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
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(target));
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(pitch / 4));
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.Width, size.Height, GL_BGRA,
                  GL_UNSIGNED_INT_8_8_8_8_REV, rows);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  return glGetError() == GL_NO_ERROR;
}

// Turns an image's rows upside down where they lie: for a texture that
// Irrlicht's own drawing turns over again.
void FlipRows(irr::u8* rows, irr::u32 pitch, irr::u32 height) {
  for (irr::u32 top = 0, bottom = height; top + 1 < bottom; ++top) {
    --bottom;
    std::swap_ranges(rows + size_t(top) * pitch, rows + size_t(top + 1) * pitch,
                     rows + size_t(bottom) * pitch);
  }
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

// Whether the driver can hold textures as render targets this way.
bool CanUpload(irr::video::IVideoDriver* driver) {
  using namespace irr::video;
  return driver && RenderSavingsOn() && driver->getDriverType() == EDT_OPENGL &&
         driver->queryFeature(EVDF_RENDER_TO_TARGET) &&
         driver->queryFeature(EVDF_FRAMEBUFFER_OBJECT);
}

// A render target of size named name holding rows (A8R8G8B8, pitch bytes
// apart, for drawnBy); null on any failure, with nothing left behind.
// rows may be turned over where they lie.
irr::video::ITexture* UploadIntoTarget(irr::video::IVideoDriver* driver, irr::u8* rows,
                                       irr::u32 pitch, const irr::core::dimension2du& size,
                                       const irr::io::path& name, DrawnBy drawnBy) {
  using namespace irr::video;
  if (drawnBy == DrawnBy::kIrrlicht) FlipRows(rows, pitch, size.Height);
  ITexture* target = driver->addRenderTargetTexture(size, name, ECF_A8R8G8B8);
  if (!target) return nullptr;
  if (!target->isRenderTarget() || target->getSize() != size ||
      target->getColorFormat() != ECF_A8R8G8B8) {
    RemoveTexture(driver, target);
    return nullptr;
  }
  while (glGetError() != GL_NO_ERROR) {
  }
  bool uploaded = false;
  if (driver->setRenderTarget(target, false, false)) {
    uploaded = UploadRows(rows, pitch, size);
    if (uploaded) ShrinkDepthBuffer(size, driver->getScreenSize());
  }
  // Textures load outside any drawing (a scene's load, a frame's update or
  // input), never while the layer cache draws its picture: the window is
  // the target then.
  driver->setRenderTarget(nullptr, false, false);
  if (!uploaded) {
    RemoveTexture(driver, target);
    return nullptr;
  }
  return target;
}

}  // namespace

irr::video::ITexture* DropDecodedCopy(irr::video::IVideoDriver* driver,
                                      irr::video::ITexture* texture, DrawnBy drawnBy) {
  using namespace irr::video;
  if (!texture || !CanUpload(driver)) return texture;
  if (texture->isRenderTarget() || texture->hasMipMaps() ||
      texture->getColorFormat() != ECF_A8R8G8B8)
    return texture;
  const irr::core::dimension2du size = texture->getSize();
  if (size != texture->getOriginalSize()) return texture;
  const irr::u32 pitch = texture->getPitch();
  if (!IsPlausibleRows(size, pitch, 4, driver->getMaxTextureSize())) return texture;

  const auto* rows = static_cast<const irr::u8*>(texture->lock(ETLM_READ_ONLY));
  if (!rows) return texture;
  std::vector<irr::u8> copy(rows, rows + size_t(pitch) * size.Height);
  texture->unlock();
  const irr::io::path name = texture->getName().getPath();
  ITexture* target =
      UploadIntoTarget(driver, copy.data(), pitch, size, name + "|uploaded", drawnBy);
  if (!target) return texture;
  RemoveTexture(driver, texture);
  if (drawnBy == DrawnBy::kQuadRenderer) driver->renameTexture(target, name);
  return target;
}

irr::video::ITexture* LoadWithoutCopy(irr::video::IVideoDriver* driver,
                                      irr::io::IFileSystem* files, const char* file,
                                      bool* opaque) {
  using namespace irr::video;
  if (!files || !file || !CanUpload(driver)) return nullptr;
  // The ordinary texture would be 16-bit or have mip levels: left to it.
  if (driver->getTextureCreationFlag(ETCF_ALWAYS_16_BIT) ||
      driver->getTextureCreationFlag(ETCF_OPTIMIZED_FOR_SPEED) ||
      driver->getTextureCreationFlag(ETCF_CREATE_MIP_MAPS))
    return nullptr;
  // Opened and named as the driver's getTexture opens and names it: by the
  // absolute path first, else as given (an archive's entry).
  irr::io::IReadFile* read = files->createAndOpenFile(files->getAbsolutePath(file));
  if (!read) read = files->createAndOpenFile(file);
  if (!read) return nullptr;
  const irr::io::path name = read->getFileName();
  IImage* decoded = nullptr;
  if (!driver->findTexture(name) && !driver->findTexture(files->getAbsolutePath(file)))
    decoded = driver->createImageFromFile(read);
  read->drop();
  if (!decoded) return nullptr;
  const PictureSize bound = LargestPicture(driver);
  // Only the size the decoder filled is read, never the one the file named.
  if (!HoldsWholePicture(decoded, irr::core::dimension2du(bound.width, bound.height))) {
    decoded->drop();
    return nullptr;
  }
  const irr::core::dimension2du size = decoded->getDimension();
  // Only what the ordinary texture would hold unscaled as A8R8G8B8.
  const ECOLOR_FORMAT format = decoded->getColorFormat();
  const irr::core::dimension2du largest = driver->getMaxTextureSize();
  const bool powerOfTwo = size == size.getOptimalSize(true, false, true);
  if ((format != ECF_A8R8G8B8 && format != ECF_R8G8B8) || size.Width > largest.Width ||
      size.Height > largest.Height || (!powerOfTwo && !driver->queryFeature(EVDF_TEXTURE_NPOT))) {
    decoded->drop();
    return nullptr;
  }
  IImage* image = decoded;
  if (decoded->getColorFormat() != ECF_A8R8G8B8 && size.Width > 0 && size.Height > 0) {
    // The ordinary texture converts every other format to this one alike.
    image = driver->createImage(ECF_A8R8G8B8, size);
    if (image) decoded->copyTo(image);
    decoded->drop();
  }
  if (!image) return nullptr;
  ITexture* target = nullptr;
  auto* rows = static_cast<irr::u8*>(image->lock());
  const irr::u32 pitch = image->getPitch();
  if (rows && size.Width > 0 && size.Height > 0 && pitch >= size.Width * 4 && pitch % 4 == 0) {
    const bool allOpaque = AllTexelsOpaque(rows, pitch, size);
    target = UploadIntoTarget(driver, rows, pitch, size, name, DrawnBy::kQuadRenderer);
    if (target && opaque) *opaque = allOpaque;
  }
  image->unlock();
  image->drop();
  return target;
}

bool UploadsWithoutCopy(irr::video::IVideoDriver* driver) {
  using irr::video::ETCF_ALWAYS_16_BIT;
  return CanUpload(driver) && !driver->getTextureCreationFlag(ETCF_ALWAYS_16_BIT) &&
         !driver->getTextureCreationFlag(irr::video::ETCF_OPTIMIZED_FOR_SPEED) &&
         !driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
}

irr::video::ITexture* AddDecodedTexture(irr::video::IVideoDriver* driver,
                                        const irr::io::path& name,
                                        const DecodedPicture& picture) {
  using namespace irr::video;
  if (!driver || !picture.decoded || picture.width <= 0 || picture.height <= 0 ||
      driver->findTexture(name))
    return nullptr;
  const irr::core::dimension2du size(irr::u32(picture.width), irr::u32(picture.height));
  const irr::core::dimension2du largest = driver->getMaxTextureSize();
  const bool powerOfTwo = size == size.getOptimalSize(true, false, true);
  if (size.Width > largest.Width || size.Height > largest.Height ||
      (!powerOfTwo && !driver->queryFeature(EVDF_TEXTURE_NPOT)))
    return nullptr;
  auto* rows = reinterpret_cast<const irr::u8*>(picture.texels.data());
  if (UploadsWithoutCopy(driver)) {
    // Drawn by the quad renderer: the rows go up as they lie, unchanged.
    ITexture* target = UploadIntoTarget(driver, const_cast<irr::u8*>(rows), size.Width * 4, size,
                                        name, DrawnBy::kQuadRenderer);
    if (target) SetTextureOpaque(target, picture.opaque);
    return target;
  }
  // The image copies the texels; the texture takes them from it.
  IImage* image = driver->createImageFromData(ECF_A8R8G8B8, size, const_cast<irr::u8*>(rows),
                                              false, false);
  if (!image) return nullptr;
  ITexture* texture = driver->addTexture(name, image);
  image->drop();
  return texture;
}

bool HasNoDecodedCopy(irr::video::ITexture* texture) {
  return texture && texture->isRenderTarget();
}

}  // namespace bv
