// Every font image of the pack loads through Irrlicht's image-font loader
// (NULL driver) with one glyph per Latin-1 character 32..255, and as a
// plain texture.
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <dirent.h>

#include <algorithm>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kGlyphCount = 224;  // characters 32..255

// Font names of content/fonts/*.txt: the first word of every line that is
// not blank or a comment.
std::vector<std::string> ListedFonts() {
  std::vector<std::string> names;
  const std::string folder = std::string(QV_SOURCE_DIR) + "/content/fonts";
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  std::vector<std::string> files;
  while (dirent* entry = readdir(dir)) {
    std::string file = entry->d_name;
    if (file.size() > 4 && file.substr(file.size() - 4) == ".txt") files.push_back(folder + "/" + file);
  }
  closedir(dir);
  for (const std::string& file : files) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
      line = line.substr(0, line.find('#'));
      std::istringstream words(line);
      std::string name;
      if (words >> name) names.push_back(name);
    }
  }
  return names;
}

class FontPackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    irr::SIrrlichtCreationParameters params;
    params.DriverType = irr::video::EDT_NULL;
    params.LoggingLevel = irr::ELL_NONE;
    device = irr::createDeviceEx(params);
    ASSERT_NE(device, nullptr);
    const std::string pack = std::string(QV_BUILD_DIR) + "/data/data.pk";
    ASSERT_TRUE(device->getFileSystem()->addFileArchive(pack.c_str(), true, false, irr::io::EFAT_ZIP))
        << "cannot mount " << pack;
  }
  void TearDown() override {
    if (device != nullptr) device->drop();
  }
  irr::IrrlichtDevice* device = nullptr;
};

TEST_F(FontPackTest, EveryListedFontLoadsAsImageFontAndTexture) {
  const std::vector<std::string> fonts = ListedFonts();
  ASSERT_GE(fonts.size(), 4u);
  for (const char* required : {"andalous-font18", "andalus-font12", "showcard-font12", "matura-font13"}) {
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), required), fonts.end()) << required;
  }
  for (const std::string& name : fonts) {
    SCOPED_TRACE(name);
    const std::string file = "fonts/" + name + ".png";
    irr::gui::IGUIFont* font = device->getGUIEnvironment()->getFont(file.c_str());
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->getType(), irr::gui::EGFT_BITMAP);
    auto* bitmap = static_cast<irr::gui::IGUIFontBitmap*>(font);
    EXPECT_EQ(static_cast<int>(bitmap->getSpriteBank()->getPositions().size()), kGlyphCount);

    // The pixel size is the number ending the name; a line is about that tall.
    const int size = std::stoi(name.substr(name.find_last_not_of("0123456789") + 1));
    const irr::core::dimension2d<irr::u32> line = font->getDimension(L"Quorvel \u00e9\u00c7");
    EXPECT_GE(static_cast<int>(line.Height), size);
    EXPECT_LE(static_cast<int>(line.Height), size * 2);
    // Characters map to their own cells: an unknown one would fall back to
    // the blank's cell.
    EXPECT_GT(font->getDimension(L"W").Width, 0u);
    EXPECT_EQ(bitmap->getSpriteNoFromChar(L"A"), static_cast<irr::u32>('A' - 32));
    EXPECT_EQ(bitmap->getSpriteNoFromChar(L"\u00ff"), static_cast<irr::u32>(kGlyphCount - 1));

    // The same file loads as a plain picture (the scene reader loads every
    // image as a texture too).
    irr::video::IImage* image = device->getVideoDriver()->createImageFromFile(file.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_GT(image->getDimension().Width, 0u);
    image->drop();
    EXPECT_NE(device->getVideoDriver()->getTexture(file.c_str()), nullptr);
  }
}

}  // namespace
