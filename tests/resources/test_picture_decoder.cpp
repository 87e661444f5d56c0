// Pictures decoded off the main thread hold the texels Irrlicht's own PNG
// loader gives (the ordinary texture's), for every kind of PNG the content
// may use, top row or bottom row first; damaged files decode to nothing.
#include "engine/resources/picture_decoder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "support/null_video.h"

namespace {

// A w by h PNG of the given libpng format with a pattern of colours and
// alphas, as the content's generators may write it.
std::vector<uint8_t> MakePng(png_uint_32 format, int w, int h) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(w);
  image.height = png_uint_32(h);
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(size_t(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &rgba[(size_t(y) * w + x) * 4];
      p[0] = uint8_t(x * 37 + y * 3);
      p[1] = uint8_t(y * 53);
      p[2] = uint8_t((x ^ y) * 29);
      p[3] = uint8_t((x + y) % 3 == 0 ? 255 : (x * 20 + y * 7) % 256);
    }
  // Written from RGBA in the wanted format (libpng converts).
  png_image out{};
  out.version = PNG_IMAGE_VERSION;
  out.width = image.width;
  out.height = image.height;
  out.format = format;
  std::vector<uint8_t> converted(PNG_IMAGE_SIZE(out));
  png_image reread{};
  reread.version = PNG_IMAGE_VERSION;
  png_alloc_size_t size = 0;
  png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr);
  std::vector<uint8_t> file(size);
  png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr);
  if (format == PNG_FORMAT_RGBA) return file;
  // Read back in the narrower format, then written in it.
  png_image_begin_read_from_memory(&reread, file.data(), file.size());
  reread.format = format;
  png_image_finish_read(&reread, nullptr, converted.data(), 0, nullptr);
  out.format = format;
  size = 0;
  png_image_write_get_memory_size(out, size, 0, converted.data(), 0, nullptr);
  std::vector<uint8_t> narrow(size);
  png_image_write_to_memory(&out, narrow.data(), &size, 0, converted.data(), 0, nullptr);
  return narrow;
}

// Irrlicht's decoding of the same bytes as A8R8G8B8, top row first.
std::vector<uint32_t> IrrlichtTexels(irr::video::IVideoDriver* driver,
                                     irr::io::IFileSystem* files,
                                     std::vector<uint8_t>& bytes, int* w, int* h) {
  irr::io::IReadFile* read =
      files->createMemoryReadFile(bytes.data(), irr::s32(bytes.size()), "picture.png", false);
  irr::video::IImage* image = driver->createImageFromFile(read);
  read->drop();
  std::vector<uint32_t> texels;
  if (!image) return texels;
  *w = int(image->getDimension().Width);
  *h = int(image->getDimension().Height);
  for (int y = 0; y < *h; ++y)
    for (int x = 0; x < *w; ++x) texels.push_back(image->getPixel(x, y).color);
  image->drop();
  return texels;
}

TEST(PictureDecoder, TexelsAreIrrlichtsForEveryKindOfPng) {
  bv::test::NullVideo video;
  ASSERT_NE(video.driver(), nullptr);
  struct Kind {
    const char* what;
    png_uint_32 format;
  };
  const Kind kinds[] = {{"RGBA", PNG_FORMAT_RGBA},
                        {"RGB", PNG_FORMAT_RGB},
                        {"grey", PNG_FORMAT_GRAY},
                        {"grey with alpha", PNG_FORMAT_GA}};
  for (const Kind& kind : kinds) {
    std::vector<uint8_t> file = MakePng(kind.format, 13, 7);
    ASSERT_FALSE(file.empty()) << kind.what;
    int w = 0, h = 0;
    const std::vector<uint32_t> expected =
        IrrlichtTexels(video.driver(), video.device()->getFileSystem(), file, &w, &h);
    ASSERT_EQ(expected.size(), size_t(13 * 7)) << kind.what;
    bv::DecodedPicture top, bottom;
    ASSERT_TRUE(bv::DecodePng(file, false, &top)) << kind.what;
    ASSERT_TRUE(bv::DecodePng(file, true, &bottom)) << kind.what;
    ASSERT_EQ(top.width, w);
    ASSERT_EQ(top.height, h);
    EXPECT_EQ(top.texels, expected) << kind.what;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(bottom.texels[size_t(h - 1 - y) * w + x], expected[size_t(y) * w + x])
            << kind.what << " bottom row first, texel " << x << "," << y;
    bool opaque = true;
    for (uint32_t t : expected) opaque = opaque && (t >> 24) == 0xFF;
    EXPECT_EQ(top.opaque, opaque) << kind.what;
  }
}

TEST(PictureDecoder, TheWorkerDecodesInOrderAndRefusesDamage) {
  std::vector<uint8_t> good = MakePng(PNG_FORMAT_RGB, 4, 3);
  std::vector<uint8_t> cut(good.begin(), good.begin() + long(good.size() / 2));
  bv::PictureDecoder decoder;
  decoder.Decode("good", good, false);
  decoder.Decode("cut", cut, false);
  decoder.Decode("empty", {}, false);
  decoder.WaitUntilIdle();
  const std::vector<bv::DecodedPicture> done = decoder.TakeDecoded();
  ASSERT_EQ(done.size(), 3u);
  EXPECT_EQ(done[0].name, "good");
  EXPECT_TRUE(done[0].decoded);
  EXPECT_EQ(done[0].width, 4);
  EXPECT_TRUE(done[0].opaque);
  EXPECT_EQ(done[1].name, "cut");
  EXPECT_FALSE(done[1].decoded);
  EXPECT_TRUE(done[1].texels.empty());
  EXPECT_FALSE(done[2].decoded);
  EXPECT_TRUE(decoder.TakeDecoded().empty()) << "each picture is handed over once";
}

}  // namespace
