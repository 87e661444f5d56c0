// The image check that stands before Irrlicht's loaders: whole pictures of
// the four formats pass; damage inside a file that keeps its length (which a
// cut never shows) is refused where Irrlicht would read outside its buffers.
#include "engine/resources/image_file_check.h"

#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "support/null_video.h"

namespace {

using bv::ImageFormat;

// A 4 by 2 picture as Irrlicht writes it in the format of the extension.
std::string Written(bv::test::NullVideo& video, const std::string& folder, const char* extension) {
  irr::video::IImage* image = video.driver()->createImage(irr::video::ECF_A8R8G8B8,
                                                          irr::core::dimension2du(4, 2));
  image->fill(irr::video::SColor(255, 10, 20, 30));
  const std::string path = folder + "/picture." + extension;
  EXPECT_TRUE(video.driver()->writeImageToFile(image, path.c_str()));
  image->drop();
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutLe(std::string* bytes, size_t at, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}

// A TGA header with 8 trailing zero bytes of room for a footer-free file
// past Irrlicht's 26-byte probe.
std::string Tga(int type, int mapType, int mapEntries, int width, int height, int bits,
                const std::string& body) {
  std::string bytes(18, '\0');
  bytes[1] = static_cast<char>(mapType);
  bytes[2] = static_cast<char>(type);
  PutLe(&bytes, 5, static_cast<uint32_t>(mapEntries), 2);
  bytes[7] = mapType ? 24 : 0;
  PutLe(&bytes, 12, static_cast<uint32_t>(width), 2);
  PutLe(&bytes, 14, static_cast<uint32_t>(height), 2);
  bytes[16] = static_cast<char>(bits);
  return bytes + body + std::string(8, '\0');
}

TEST(ImageFileCheck, NameExtensionChoosesTheFormat) {
  const std::pair<const char*, ImageFormat> names[] = {
      {"a.png", ImageFormat::kPng},   {"dir.x/A.PNG", ImageFormat::kPng},
      {"a.jpg", ImageFormat::kJpeg},  {"a.JPEG", ImageFormat::kJpeg},
      {"a.bmp", ImageFormat::kBmp},   {"a.tga", ImageFormat::kTga},
      {"a.pcx", ImageFormat::kUnknown}, {"png", ImageFormat::kUnknown},
      {"a.png.txt", ImageFormat::kUnknown},
  };
  for (const auto& [name, format] : names) EXPECT_EQ(bv::ImageFormatOfName(name), format) << name;
}

TEST(ImageFileCheck, WholePicturesPassAndDamageInsideIsRefused) {
  bv::test::NullVideo video;
  const std::string folder = bv::test::MakeTempFolder("qv-imagecheck");
  const std::string png = Written(video, folder, "png");
  const std::string jpeg = Written(video, folder, "jpg");
  const std::string bmp = Written(video, folder, "bmp");
  const std::string tga = Written(video, folder, "tga");
  const std::string rgb(3, '\x7F');
  const std::string zero(1, '\0');

  auto changed = [](std::string bytes, size_t at, char value) {
    bytes[at] = value;
    return bytes;
  };
  auto bmpWith = [&](size_t at, uint32_t value) {
    std::string bytes = bmp;
    PutLe(&bytes, at, value, 4);
    return bytes;
  };
  struct Case {
    const char* what;
    ImageFormat format;
    std::string bytes;
    bool complete;
  };
  const Case cases[] = {
      {"PNG", ImageFormat::kPng, png, true},
      {"JPEG", ImageFormat::kJpeg, jpeg, true},
      {"BMP", ImageFormat::kBmp, bmp, true},
      {"TGA", ImageFormat::kTga, tga, true},
      {"PNG under another format's name", ImageFormat::kJpeg, png, false},
      {"unknown format", ImageFormat::kUnknown, png, false},
      {"PNG with a byte changed (checksum)", ImageFormat::kPng, changed(png, png.size() - 20, 'x'),
       false},
      {"PNG with junk after the end", ImageFormat::kPng, png + "junk", true},
      {"JPEG with a segment longer than the file", ImageFormat::kJpeg,
       changed(changed(jpeg, 4, '\x7F'), 5, '\x7F'), false},
      {"JPEG without its start marker", ImageFormat::kJpeg, changed(jpeg, 1, '\0'), false},
      {"BMP stating less data than its rows", ImageFormat::kBmp, bmpWith(34, 4), false},
      {"BMP stating more data than the file", ImageFormat::kBmp, bmpWith(34, 1u << 30), false},
      {"BMP drawn top-down", ImageFormat::kBmp, bmpWith(22, static_cast<uint32_t>(-2)), false},
      {"BMP run-length coded", ImageFormat::kBmp, bmpWith(30, 1), false},
      {"BMP wider than its data", ImageFormat::kBmp, bmpWith(18, 400), false},
      {"TGA run-length, packets cover the pixels", ImageFormat::kTga,
       Tga(10, 0, 0, 3, 1, 24, "\x81" + rgb + zero + rgb), true},
      {"TGA run-length, a packet runs past the pixels", ImageFormat::kTga,
       Tga(10, 0, 0, 3, 1, 24, "\x81" + rgb + "\x01" + rgb + rgb), false},
      {"TGA colour-mapped, indices in the map", ImageFormat::kTga,
       Tga(1, 1, 2, 2, 1, 8, rgb + rgb + zero + "\x01"), true},
      {"TGA colour-mapped, an index past the map", ImageFormat::kTga,
       Tga(1, 1, 2, 2, 1, 8, rgb + rgb + zero + "\x02"), false},
      {"TGA 8-bit true colour (no palette)", ImageFormat::kTga, Tga(2, 0, 0, 2, 1, 8, "ab"),
       false},
      {"TGA with no pixels", ImageFormat::kTga, Tga(2, 0, 0, 0, 1, 24, ""), false},
  };
  for (const Case& c : cases) EXPECT_EQ(bv::IsCompleteImage(c.format, c.bytes), c.complete) << c.what;

  // Files are judged by name and bytes together; a missing one fails.
  EXPECT_TRUE(bv::IsCompleteImageFile(nullptr, (folder + "/picture.png").c_str()));
  EXPECT_FALSE(bv::IsCompleteImageFile(nullptr, (folder + "/absent.png").c_str()));
  std::rename((folder + "/picture.bmp").c_str(), (folder + "/picture.tga").c_str());
  EXPECT_FALSE(bv::IsCompleteImageFile(nullptr, (folder + "/picture.tga").c_str()));
  std::string command = "rm -rf '" + folder + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
