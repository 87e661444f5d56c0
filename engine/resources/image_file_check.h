#pragma once
// Judges an image file before Irrlicht's loaders see it: their format probes
// and decoders trust the file's own sizes and read past a short or cut
// buffer. A file passes only when its name's extension and its bytes agree
// on one of PNG, JPEG, BMP (uncompressed) or TGA (types 1, 2, 3, 10) and the
// bytes hold the whole picture that format describes. Its declared size is
// bounded too: Irrlicht 1.8 computes a picture's byte size in 32 bits (a
// huge one wraps to a tiny buffer the decoder then overruns) and decodes a
// merely large one for seconds before the driver refuses it.
#include <cstdint>
#include <string>

namespace irr {
namespace io { class IFileSystem; }
namespace video { class IVideoDriver; }
}  // namespace irr

namespace bv {

enum class ImageFormat { kUnknown, kPng, kJpeg, kBmp, kTga };

// The longest picture side taken from a file, whatever the driver holds.
constexpr uint32_t kLargestPictureSide = 4096;

struct PictureSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

// What a file is good for.
enum class ImageFileVerdict { kUsable, kUnusable, kTooLarge };

// The format a file name's extension names (case ignored).
ImageFormat ImageFormatOfName(const char* fileName);
// Whether bytes are a complete image of that format.
bool IsCompleteImage(ImageFormat format, const std::string& bytes);
// The width and height the header of a picture of that format declares;
// false when the bytes hold no such header.
bool ReadDeclaredSize(ImageFormat format, const std::string& bytes, PictureSize* size);
// The largest picture accepted: the driver's largest texture (without a
// driver, no limit of its own) and at most kLargestPictureSide a side.
PictureSize LargestPicture(irr::video::IVideoDriver* driver);
// Reads the file through fileSystem (null: the folder) and judges it by its
// name and bytes. False when it cannot be read.
bool IsCompleteImageFile(irr::io::IFileSystem* fileSystem, const char* fileName);
// Whether the file is a complete picture of at most largest; declared (may
// be null) gets the size its header declares.
ImageFileVerdict JudgeImageFile(irr::io::IFileSystem* fileSystem, const char* fileName,
                                const PictureSize& largest, PictureSize* declared);
// The same judgement of a file's bytes already read, for that format.
ImageFileVerdict JudgeImage(ImageFormat format, const std::string& bytes,
                            const PictureSize& largest, PictureSize* declared);
// Judges the file through the engine device's file system (the folder
// without one) against the engine driver's largest picture. A picture too
// large is reported in an "Alert" naming the file; every loader of pictures
// asks this first.
ImageFileVerdict JudgeImageFileForDriver(const char* fileName);
// JudgeImageFileForDriver says kUsable.
bool IsUsableImageFile(const char* fileName);

}  // namespace bv
