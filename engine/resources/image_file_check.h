#pragma once
// Judges an image file before Irrlicht's loaders see it: their format probes
// and decoders trust the file's own sizes and read past a short or cut
// buffer. A file passes only when its name's extension and its bytes agree
// on one of PNG, JPEG, BMP (uncompressed) or TGA (types 1, 2, 3, 10) and the
// bytes hold the whole picture that format describes.
#include <string>

namespace irr { namespace io { class IFileSystem; } }

namespace bv {

enum class ImageFormat { kUnknown, kPng, kJpeg, kBmp, kTga };

// The format a file name's extension names (case ignored).
ImageFormat ImageFormatOfName(const char* fileName);
// Whether bytes are a complete image of that format.
bool IsCompleteImage(ImageFormat format, const std::string& bytes);
// Reads the file through fileSystem (null: the folder) and judges it by its
// name and bytes. False when it cannot be read.
bool IsCompleteImageFile(irr::io::IFileSystem* fileSystem, const char* fileName);
// The same through the engine device's file system (the folder without one).
bool IsCompleteImageFile(const char* fileName);

}  // namespace bv
