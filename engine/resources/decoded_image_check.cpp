#include "engine/resources/decoded_image_check.h"

#include <cstdint>

namespace bv {

bool IsPlausibleRows(const irr::core::dimension2du& size, irr::u32 pitch, irr::u32 bytesPerPixel,
                     const irr::core::dimension2du& largest) {
  if (size.Width == 0 || size.Height == 0 || bytesPerPixel == 0) return false;
  if (size.Width > largest.Width || size.Height > largest.Height) return false;
  return uint64_t{pitch} >= uint64_t{size.Width} * bytesPerPixel;
}

bool HoldsWholePicture(const irr::video::IImage* image, const irr::core::dimension2du& largest) {
  if (image == nullptr) return false;
  const irr::core::dimension2du& size = image->getDimension();
  const irr::u32 pitch = image->getPitch();
  if (!IsPlausibleRows(size, pitch, image->getBytesPerPixel(), largest)) return false;
  // The byte size the image reports is pitch times height in 32 bits.
  return uint64_t{pitch} * size.Height == image->getImageDataSizeInBytes();
}

}  // namespace bv
