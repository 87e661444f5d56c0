#include "engine/resources/image_file_check.h"

#include <IrrlichtDevice.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/objects/file_bytes.h"
#include "engine/objects/xml_tree.h"
#include "engine/platform/message_box.h"
#include "engine/shell/globals.h"

namespace bv {

namespace {

// Irrlicht's TGA probe reads a 26-byte footer from the end of any file it is
// offered, so nothing shorter goes to the driver.
constexpr size_t kMinImageBytes = 26;

class ByteView {
 public:
  explicit ByteView(const std::string& bytes) : m_Bytes(bytes) {}
  size_t Size() const { return m_Bytes.size(); }
  bool Has(size_t at, size_t count) const { return at <= Size() && count <= Size() - at; }
  uint32_t U8(size_t at) const { return static_cast<unsigned char>(m_Bytes[at]); }
  uint32_t Be16(size_t at) const { return U8(at) << 8 | U8(at + 1); }
  uint32_t Be32(size_t at) const { return Be16(at) << 16 | Be16(at + 2); }
  uint32_t Le16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
  uint32_t Le32(size_t at) const { return Le16(at) | Le16(at + 2) << 16; }
  const unsigned char* At(size_t at) const {
    return reinterpret_cast<const unsigned char*>(m_Bytes.data()) + at;
  }

 private:
  const std::string& m_Bytes;
};

// PNG: the signature, then chunks whose lengths and CRCs all hold, IHDR
// first, at least one IDAT, up to IEND.
bool IsCompletePng(const ByteView& b) {
  static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  constexpr size_t kChunkFrame = 12;  // length, type, CRC
  constexpr uint32_t kHeaderLength = 13;
  if (!b.Has(0, sizeof(kSignature)) || std::memcmp(b.At(0), kSignature, sizeof(kSignature)) != 0)
    return false;
  bool sawData = false;
  for (size_t at = sizeof(kSignature); b.Has(at, kChunkFrame);) {
    const uint32_t length = b.Be32(at);
    if (length > 0x7FFFFFFFu || !b.Has(at + 8, size_t{length} + 4)) return false;
    const uint32_t crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), b.At(at + 4), length + 4));
    if (crc != b.Be32(at + 8 + length)) return false;
    const bool first = at == sizeof(kSignature);
    const bool header = std::memcmp(b.At(at + 4), "IHDR", 4) == 0;
    if (first != header) return false;
    if (header && (length != kHeaderLength || b.Be32(at + 8) == 0 || b.Be32(at + 12) == 0))
      return false;
    if (std::memcmp(b.At(at + 4), "IDAT", 4) == 0) sawData = true;
    if (std::memcmp(b.At(at + 4), "IEND", 4) == 0) return sawData;
    at += kChunkFrame + length;
  }
  return false;
}

// JPEG: SOI, marker segments within the file, a frame header, entropy-coded
// data after each scan header, and EOI.
bool IsCompleteJpeg(const ByteView& b) {
  constexpr uint32_t kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA;
  if (!b.Has(0, 2) || b.U8(0) != 0xFF || b.U8(1) != kSoi) return false;
  bool sawFrame = false;
  size_t at = 2;
  while (true) {
    if (!b.Has(at, 2) || b.U8(at) != 0xFF) return false;
    while (b.Has(at + 1, 1) && b.U8(at + 1) == 0xFF) ++at;  // fill bytes
    if (!b.Has(at, 2)) return false;
    const uint32_t marker = b.U8(at + 1);
    at += 2;
    if (marker == kEoi) return sawFrame;
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;  // no length
    if (marker == kSoi || marker == 0x00 || !b.Has(at, 2)) return false;
    const uint32_t length = b.Be16(at);
    if (length < 2 || !b.Has(at, length)) return false;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      sawFrame = true;
    at += length;
    if (marker != kSos) continue;
    // Entropy-coded data runs to the next marker other than a stuffed zero
    // or a restart.
    while (true) {
      if (!b.Has(at, 2)) return false;
      if (b.U8(at) == 0xFF) {
        const uint32_t next = b.U8(at + 1);
        if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7)) break;
      }
      ++at;
    }
  }
}

// BMP: file and information headers, an uncompressed bit depth, the palette
// and every row of pixels inside the file.
bool IsCompleteBmp(const ByteView& b) {
  constexpr size_t kFileHeader = 14;
  constexpr uint32_t kInfoHeader = 40;
  if (!b.Has(0, kFileHeader + kInfoHeader) || b.U8(0) != 'B' || b.U8(1) != 'M') return false;
  const uint32_t dataOffset = b.Le32(10);
  const uint32_t headerSize = b.Le32(14);
  const int32_t width = static_cast<int32_t>(b.Le32(18));
  const int32_t height = static_cast<int32_t>(b.Le32(22));
  const uint32_t bits = b.Le16(28);
  const uint32_t compression = b.Le32(30);
  constexpr uint32_t kRgb = 0, kBitFields = 3;
  if (headerSize < kInfoHeader || !b.Has(kFileHeader, headerSize)) return false;
  if (compression != kRgb && compression != kBitFields) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  // Irrlicht reads rows bottom-up only.
  if (width <= 0 || height <= 0) return false;
  if (dataOffset < kFileHeader + headerSize) return false;
  const uint64_t needed = (uint64_t{static_cast<uint32_t>(width)} * bits + 31) / 32 * 4 *
                          static_cast<uint32_t>(height);
  if (dataOffset + needed > b.Size()) return false;
  // Irrlicht reads the stated data size (0: the rest of the file) and
  // decodes every row from it.
  const uint32_t statedSize = b.Le32(34);
  return statedSize == 0 || (statedSize >= needed && dataOffset + uint64_t{statedSize} <= b.Size());
}

// TGA: the header, identification field, colour map and pixels; a
// run-length picture's packets cover exactly its pixels.
bool IsCompleteTga(const ByteView& b) {
  constexpr size_t kHeader = 18;
  if (!b.Has(0, kHeader)) return false;
  const uint32_t idLength = b.U8(0);
  const uint32_t mapType = b.U8(1);
  const uint32_t imageType = b.U8(2);
  const uint32_t mapEntries = b.Le16(5);
  const uint32_t mapBits = b.U8(7);
  const uint64_t pixels = uint64_t{b.Le16(12)} * b.Le16(14);
  const uint32_t bits = b.U8(16);
  constexpr uint32_t kMapped = 1, kTrueColour = 2, kGrey = 3, kRunLength = 10;
  // 8-bit pixels are palette indices (mapped) or grey levels; the other
  // kinds hold 16, 24 or 32-bit colours.
  const bool indexed = imageType == kMapped || imageType == kGrey;
  if (indexed ? bits != 8 : (imageType != kTrueColour && imageType != kRunLength))
    return false;
  if (!indexed && bits != 16 && bits != 24 && bits != 32) return false;
  if (mapType > 1 || (imageType == kMapped) != (mapType == 1) || pixels == 0) return false;
  if (mapType == 1 && mapBits != 16 && mapBits != 24 && mapBits != 32) return false;
  const uint64_t mapBytes = mapType == 1 ? uint64_t{mapEntries} * (mapBits / 8) : 0;
  uint64_t at = kHeader + idLength + mapBytes;
  const uint32_t pixelBytes = bits / 8;
  if (imageType != kRunLength) {
    if (at + pixels * pixelBytes > b.Size()) return false;
    if (imageType != kMapped) return true;
    // Every index must name an entry of the colour map.
    for (uint64_t i = 0; i < pixels; ++i) {
      if (b.U8(static_cast<size_t>(at + i)) >= mapEntries) return false;
    }
    return true;
  }
  for (uint64_t done = 0; done < pixels;) {
    if (at >= b.Size()) return false;
    const uint32_t packet = b.U8(static_cast<size_t>(at));
    const uint32_t count = (packet & 0x7Fu) + 1;
    const bool run = (packet & 0x80u) != 0;
    at += 1 + uint64_t{pixelBytes} * (run ? 1 : count);
    done += count;
    if (done > pixels || at > b.Size()) return false;
  }
  return true;
}

// The sizes each format's header declares, read as its decoder reads them.
bool DeclaredPngSize(const ByteView& b, PictureSize* size) {
  // Signature (8), IHDR length and type (8), then width and height.
  if (!b.Has(0, 24) || std::memcmp(b.At(12), "IHDR", 4) != 0) return false;
  *size = {b.Be32(16), b.Be32(20)};
  return true;
}

bool DeclaredJpegSize(const ByteView& b, PictureSize* size) {
  if (!b.Has(0, 2) || b.U8(0) != 0xFF || b.U8(1) != 0xD8) return false;
  for (size_t at = 2; b.Has(at, 4) && b.U8(at) == 0xFF;) {
    const uint32_t marker = b.U8(at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return false;  // scan or end before a frame
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {  // no length
      at += 2;
      continue;
    }
    const uint32_t length = b.Be16(at + 2);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      // Length, precision, then height and width.
      if (!b.Has(at + 2, 7)) return false;
      *size = {b.Be16(at + 7), b.Be16(at + 5)};
      return true;
    }
    if (length < 2) return false;
    at += 2 + length;
  }
  return false;
}

uint32_t Magnitude(uint32_t twosComplement) {
  const auto value = static_cast<int32_t>(twosComplement);
  return value < 0 ? 0u - twosComplement : twosComplement;
}

bool DeclaredBmpSize(const ByteView& b, PictureSize* size) {
  if (!b.Has(0, 26) || b.U8(0) != 'B' || b.U8(1) != 'M') return false;
  // A negative height is a top-down picture of that many rows.
  *size = {Magnitude(b.Le32(18)), Magnitude(b.Le32(22))};
  return true;
}

bool DeclaredTgaSize(const ByteView& b, PictureSize* size) {
  if (!b.Has(0, 18)) return false;
  *size = {b.Le16(12), b.Le16(14)};
  return true;
}

}  // namespace

bool ReadDeclaredSize(ImageFormat format, const std::string& bytes, PictureSize* size) {
  if (size == nullptr) return false;
  const ByteView view(bytes);
  switch (format) {
    case ImageFormat::kPng: return DeclaredPngSize(view, size);
    case ImageFormat::kJpeg: return DeclaredJpegSize(view, size);
    case ImageFormat::kBmp: return DeclaredBmpSize(view, size);
    case ImageFormat::kTga: return DeclaredTgaSize(view, size);
    case ImageFormat::kUnknown: break;
  }
  return false;
}

PictureSize LargestPicture(irr::video::IVideoDriver* driver) {
  PictureSize largest{kLargestPictureSide, kLargestPictureSide};
  if (driver == nullptr) return largest;
  const irr::core::dimension2du held = driver->getMaxTextureSize();
  // A driver that names no limit (0) leaves the fixed one.
  if (held.Width > 0) largest.width = std::min(largest.width, held.Width);
  if (held.Height > 0) largest.height = std::min(largest.height, held.Height);
  return largest;
}

ImageFormat ImageFormatOfName(const char* fileName) {
  if (fileName == nullptr) return ImageFormat::kUnknown;
  const char* dot = std::strrchr(fileName, '.');
  if (dot == nullptr) return ImageFormat::kUnknown;
  const char* extension = dot + 1;
  if (NameEqualsIgnoreCase(extension, "png")) return ImageFormat::kPng;
  if (NameEqualsIgnoreCase(extension, "jpg") || NameEqualsIgnoreCase(extension, "jpeg"))
    return ImageFormat::kJpeg;
  if (NameEqualsIgnoreCase(extension, "bmp")) return ImageFormat::kBmp;
  if (NameEqualsIgnoreCase(extension, "tga")) return ImageFormat::kTga;
  return ImageFormat::kUnknown;
}

bool IsCompleteImage(ImageFormat format, const std::string& bytes) {
  if (bytes.size() < kMinImageBytes) return false;
  const ByteView view(bytes);
  switch (format) {
    case ImageFormat::kPng: return IsCompletePng(view);
    case ImageFormat::kJpeg: return IsCompleteJpeg(view);
    case ImageFormat::kBmp: return IsCompleteBmp(view);
    case ImageFormat::kTga: return IsCompleteTga(view);
    case ImageFormat::kUnknown: break;
  }
  return false;
}

bool IsCompleteImageFile(irr::io::IFileSystem* fileSystem, const char* fileName) {
  const ImageFormat format = ImageFormatOfName(fileName);
  if (format == ImageFormat::kUnknown) return false;
  std::string bytes;
  return ReadWholeFile(fileSystem, fileName, &bytes) && IsCompleteImage(format, bytes);
}

ImageFileVerdict JudgeImageFile(irr::io::IFileSystem* fileSystem, const char* fileName,
                                const PictureSize& largest, PictureSize* declared) {
  const ImageFormat format = ImageFormatOfName(fileName);
  if (format == ImageFormat::kUnknown) return ImageFileVerdict::kUnusable;
  std::string bytes;
  if (!ReadWholeFile(fileSystem, fileName, &bytes)) return ImageFileVerdict::kUnusable;
  return JudgeImage(format, bytes, largest, declared);
}

ImageFileVerdict JudgeImage(ImageFormat format, const std::string& bytes,
                            const PictureSize& largest, PictureSize* declared) {
  PictureSize size;
  if (!ReadDeclaredSize(format, bytes, &size)) return ImageFileVerdict::kUnusable;
  if (declared != nullptr) *declared = size;
  // The size first: a picture too large is refused whatever its data.
  if (size.width > largest.width || size.height > largest.height)
    return ImageFileVerdict::kTooLarge;
  return IsCompleteImage(format, bytes) ? ImageFileVerdict::kUsable : ImageFileVerdict::kUnusable;
}

ImageFileVerdict JudgeImageFileForDriver(const char* fileName) {
  PictureSize declared;
  const ImageFileVerdict verdict =
      JudgeImageFile(g_Device != nullptr ? g_Device->getFileSystem() : nullptr, fileName,
                     LargestPicture(g_Driver), &declared);
  if (verdict == ImageFileVerdict::kTooLarge) {
    ShowMessageBox("Alert", std::string("Image too large : ") + fileName + " (" +
                                std::to_string(declared.width) + " x " +
                                std::to_string(declared.height) + ")");
  }
  return verdict;
}

bool IsUsableImageFile(const char* fileName) {
  return JudgeImageFileForDriver(fileName) == ImageFileVerdict::kUsable;
}

}  // namespace bv
