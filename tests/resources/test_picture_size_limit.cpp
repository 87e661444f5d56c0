// Pictures whose headers declare more pixels than the driver (or 4096 a
// side) takes are refused before any decoder sees them, with an "Alert"
// naming the file, on every route that loads a picture: Irrlicht 1.8 sizes
// its buffer in 32 bits, so 65536 x 65536 wraps to a one-byte buffer that
// libpng then overruns, and 20000 x 20000 decodes for seconds.
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/platform/message_box.h"
#include "engine/platform/x11_window.h"
#include "engine/resources/decoded_image_check.h"
#include "engine/resources/image.h"
#include "engine/resources/image_file_check.h"
#include "engine/resources/texture_manager.h"
#include "support/null_video.h"

namespace bv {
ArgbImage ReadImage(irr::video::IVideoDriver* driver, const std::string& fileName);
}

namespace fs = std::filesystem;

namespace {

using bv::ImageFileVerdict;
using bv::ImageFormat;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void PutBe(std::string* bytes, size_t at, uint32_t value, int count) {
  for (int i = 0; i < count; ++i)
    (*bytes)[at + i] = static_cast<char>(value >> (8 * (count - 1 - i)));
}

void PutLe(std::string* bytes, size_t at, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}

// The file with its header declaring width x height; a PNG's header
// checksum is mended, so only the size is wrong.
std::string WithDeclaredSize(ImageFormat format, std::string bytes, uint32_t width,
                             uint32_t height) {
  switch (format) {
    case ImageFormat::kPng: {
      PutBe(&bytes, 16, width, 4);
      PutBe(&bytes, 20, height, 4);
      const auto* header = reinterpret_cast<const Bytef*>(bytes.data() + 12);
      PutBe(&bytes, 29, static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), header, 17)), 4);
      break;
    }
    case ImageFormat::kJpeg:
      for (size_t at = 2; at + 9 < bytes.size();) {
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) {
          PutBe(&bytes, at + 5, height, 2);
          PutBe(&bytes, at + 7, width, 2);
          break;
        }
        at += 2 + (static_cast<unsigned char>(bytes[at + 2]) << 8 |
                   static_cast<unsigned char>(bytes[at + 3]));
      }
      break;
    case ImageFormat::kBmp:
      PutLe(&bytes, 18, width, 4);
      PutLe(&bytes, 22, height, 4);
      break;
    case ImageFormat::kTga:
      PutLe(&bytes, 12, width, 2);
      PutLe(&bytes, 14, height, 2);
      break;
    case ImageFormat::kUnknown: break;
  }
  return bytes;
}

class PictureSizeLimitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(video.driver(), nullptr);
    folder = bv::test::MakeTempFolder("qv-picture-size");
    savedDir = fs::current_path();
    fs::current_path(folder);
  }
  void TearDown() override {
    fs::current_path(savedDir);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  static bool Alerted(const std::string& text) {
    for (const bv::ShownMessage& m : bv::ShownMessages())
      if (m.caption == "Alert" && m.text.find(text) != std::string::npos) return true;
    return false;
  }
  // A 6 by 4 picture as Irrlicht writes it in the extension's format.
  std::string Picture(const std::string& name) {
    irr::video::IImage* image = video.driver()->createImage(irr::video::ECF_A8R8G8B8,
                                                            irr::core::dimension2du(6, 4));
    image->fill(irr::video::SColor(255, 200, 40, 90));
    EXPECT_TRUE(video.driver()->writeImageToFile(image, name.c_str())) << name;
    image->drop();
    return ReadBytes(name);
  }

  bv::test::NullVideo video;
  std::string folder;
  fs::path savedDir;
};

struct FormatCase {
  const char* extension;
  ImageFormat format;
  uint32_t largestSide;  // the most the format's header can say
};

const FormatCase kFormats[] = {
    {"png", ImageFormat::kPng, 0x7FFFFFFFu},
    {"jpg", ImageFormat::kJpeg, 0xFFFFu},
    {"bmp", ImageFormat::kBmp, 0x7FFFFFFFu},
    {"tga", ImageFormat::kTga, 0xFFFFu},
};

TEST_F(PictureSizeLimitTest, HeaderSizeIsReadAndJudgedBeforeDecoding) {
  for (const FormatCase& c : kFormats) {
    const std::string name = std::string("p.") + c.extension;
    const std::string whole = Picture(name);
    bv::PictureSize size;
    ASSERT_TRUE(bv::ReadDeclaredSize(c.format, whole, &size)) << name;
    EXPECT_EQ(size.width, 6u) << name;
    EXPECT_EQ(size.height, 4u) << name;
    const bv::PictureSize largest{6, 4};
    EXPECT_EQ(bv::JudgeImageFile(nullptr, name.c_str(), largest, nullptr),
              ImageFileVerdict::kUsable)
        << name;
    // One pixel more either way, and the sizes that wrapped or froze.
    const std::pair<uint32_t, uint32_t> tooLarge[] = {
        {7, 4}, {6, 5}, {65536, 65536}, {20000, 20000}, {c.largestSide, 1}};
    for (const auto& [width, height] : tooLarge) {
      if (width > c.largestSide || height > c.largestSide) continue;
      WriteBytes(name, WithDeclaredSize(c.format, whole, width, height));
      bv::PictureSize declared;
      EXPECT_EQ(bv::JudgeImageFile(nullptr, name.c_str(), largest, &declared),
                ImageFileVerdict::kTooLarge)
          << name << " " << width << " x " << height;
      EXPECT_EQ(declared.width, width) << name;
      EXPECT_EQ(declared.height, height) << name;
    }
  }
}

TEST_F(PictureSizeLimitTest, LargestPictureIsTheDriversAtMost4096ASide) {
  const bv::PictureSize unbound = bv::LargestPicture(nullptr);
  EXPECT_EQ(unbound.width, 4096u);
  EXPECT_EQ(unbound.height, 4096u);
  const bv::PictureSize held = bv::LargestPicture(video.driver());
  const irr::core::dimension2du driverLargest = video.driver()->getMaxTextureSize();
  EXPECT_LE(held.width, 4096u);
  EXPECT_LE(held.height, 4096u);
  if (driverLargest.Width > 0) EXPECT_LE(held.width, driverLargest.Width);
}

// Every route that loads a picture, given the huge PNG the fault was found
// with: a texture, an image font, a cursor picture. Each refuses it with
// an alert naming the file, and the whole picture still loads.
TEST_F(PictureSizeLimitTest, EveryRouteRefusesAHugePictureWithAnAlert) {
  const std::string whole = Picture("whole.png");
  for (const auto& [width, height] : {std::pair<uint32_t, uint32_t>{65536, 65536},
                                      {20000, 20000}, {4097, 16}}) {
    const std::string name =
        "huge" + std::to_string(width) + "x" + std::to_string(height) + ".png";
    WriteBytes(name, WithDeclaredSize(ImageFormat::kPng, whole, width, height));
    const std::string alert = "Image too large : " + name;

    bv::ClearShownMessages();
    g_TextureManager->LoadTexture(name.c_str(), name.c_str(), -1);
    EXPECT_EQ(g_TextureManager->Find(name.c_str()), nullptr) << name;
    EXPECT_TRUE(Alerted(alert)) << name;
    EXPECT_FALSE(Alerted("Image not found")) << "one alert for one fault: " << name;

    bv::ClearShownMessages();
    BvImage image(name.c_str());
    image.SetFileName(name.c_str());
    BvTextElement text(name.c_str());
    text.SetFontImage(&image);
    EXPECT_EQ(text.GetFont(), nullptr) << name;
    EXPECT_TRUE(Alerted(alert)) << "the font says why it has no picture: " << name;

    bv::ClearShownMessages();
    EXPECT_TRUE(bv::ReadImage(video.driver(), name).pixels.empty()) << name;
    EXPECT_TRUE(Alerted(alert)) << name;
  }
  g_TextureManager->LoadTexture("whole.png", "whole", -1);
  EXPECT_NE(g_TextureManager->Find("whole"), nullptr);
  EXPECT_EQ(bv::ReadImage(video.driver(), "whole.png").pixels.size(), 24u);
}

// An image whose 32-bit byte size wrapped (65536 x 65536 x 4 is 2^34) is not
// taken for a whole picture, whatever it says it holds.
TEST_F(PictureSizeLimitTest, DecodedImageIsTrustedOnlyWhenItsSizesAgree) {
  std::vector<irr::u32> pixels(8, 0xFF102030u);
  const irr::core::dimension2du largest(65536, 65536);
  struct Case {
    irr::core::dimension2du size;
    bool whole;
  };
  const Case cases[] = {
      {{4, 2}, true},
      {{65536, 65536}, false},  // byte size wraps to 0
      {{65536, 16385}, false},  // wraps to 262144, the buffer libpng overran
  };
  for (const Case& c : cases) {
    irr::video::IImage* image = video.driver()->createImageFromData(
        irr::video::ECF_A8R8G8B8, c.size, pixels.data(), /*ownForeignMemory=*/true,
        /*deleteMemory=*/false);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(bv::HoldsWholePicture(image, largest), c.whole)
        << c.size.Width << " x " << c.size.Height;
    image->drop();
  }
  EXPECT_FALSE(bv::HoldsWholePicture(nullptr, largest));
  EXPECT_FALSE(bv::IsPlausibleRows(irr::core::dimension2du(8, 8), 31, 4, largest));
  EXPECT_FALSE(bv::IsPlausibleRows(irr::core::dimension2du(8, 8), 32, 4, {4, 4}));
  EXPECT_TRUE(bv::IsPlausibleRows(irr::core::dimension2du(8, 8), 32, 4, largest));
}

}  // namespace
