// Every reader that takes a file, fed the file cut at every byte: each cut
// is a failed load with the reader's own alert, never a partial result (and,
// in the sanitizer build, never a read outside a buffer). Images go through
// the texture manager, the image font and the data pack as the game reads
// them.
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/image.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/game_base.h"
#include "engine/shell/globals.h"
#include "support/null_video.h"

namespace fs = std::filesystem;

namespace {

// Image sizes that made Irrlicht's format probe read outside the file.
constexpr size_t kShortImageSizes[] = {0, 1, 2, 7, 17, 18, 25};
constexpr int kPictureSide = 8;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent);
  std::ofstream(path, std::ios::binary) << bytes;
}

class DamagedFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(video.driver(), nullptr);
    folder = bv::test::MakeTempFolder("qv-damaged");
    savedDir = fs::current_path();
    fs::current_path(folder);
  }
  void TearDown() override {
    fs::current_path(savedDir);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  // Whether an "Alert" holding text was shown since the last clear.
  static bool Alerted(const std::string& text) {
    for (const bv::ShownMessage& m : bv::ShownMessages())
      if (m.caption == "Alert" && m.text.find(text) != std::string::npos) return true;
    return false;
  }
  // A small picture in the format its name's extension says, as Irrlicht
  // writes it.
  std::string Picture(const std::string& name) {
    irr::video::IImage* image = video.driver()->createImage(
        irr::video::ECF_A8R8G8B8, irr::core::dimension2du(kPictureSide, kPictureSide));
    image->fill(irr::video::SColor(255, 200, 40, 90));
    image->setPixel(1, 2, irr::video::SColor(255, 0, 0, 0));
    const bool written = video.driver()->writeImageToFile(image, name.c_str());
    image->drop();
    EXPECT_TRUE(written) << name;
    return ReadBytes(name);
  }

  bv::test::NullVideo video;
  std::string folder;
  fs::path savedDir;
};

// One XML reader: a small whole file it accepts, how it is run, and the
// alert a failed load shows (null: the reader itself shows none).
struct XmlReaderCase {
  const char* reader;
  const char* fileName;
  const char* whole;
  std::function<bool(const char* path)> load;
  const char* alert;
};

const char kSceneFile[] =
    "<scene><!-- pictures -->"
    "<images><image name=\"pic\"><colorkey>4</colorkey><filename>pic.png</filename></image>"
    "</images></scene>";
const char kLevelFile[] =
    "<scene><levels><level name=\"one\"><lvlelements/></level></levels></scene>";
const char kLangFile[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<lang><text code=\"a\">Un &amp; deux</text><text code=\"b\">caf\xE9</text></lang>";

TEST_F(DamagedFilesTest, XmlCutAtEveryByteIsAFailedLoadWithItsAlert) {
  ASSERT_TRUE(video.WritePng("pic.png", kPictureSide, kPictureSide,
                             irr::video::SColor(255, 1, 2, 3)));
  BvLevelManager levels(nullptr, true);
  BvLangList lang;
  BvGameBase game(nullptr);
  // The global data: "global.xml" as a scene, then "data/lang.xml".
  auto loadGlobal = [&](const char* globalText, const char* langText) {
    WriteBytes("global.xml", globalText);
    WriteBytes("data/lang.xml", langText);
    bv::ClearShownMessages();
    g_LangTable.Clear();
    game.LoadGlobalData();
    g_LangTable.Clear();
    return !Alerted("Failed loading");
  };
  std::string globalCut, langCut;
  const XmlReaderCase cases[] = {
      {"scene", "scene.xml", kSceneFile, [&](const char* p) { return levels.LoadScene(p); },
       "LoadScene : Empty or Not Found scene.xml"},
      {"level", "level.xml", kLevelFile, [&](const char* p) { return levels.LoadLevel(0, p, false); },
       "LoadLevel : Empty or Not Found level.xml"},
      // The language table only answers false; its caller alerts (below).
      {"language", "lang.xml", kLangFile, [&](const char* p) { return lang.LoadLang(p); },
       nullptr},
      {"global scene", "global-cut.xml", kSceneFile,
       [&](const char* p) { return loadGlobal(ReadBytes(p).c_str(), kLangFile); },
       "Failed loading global scene data"},
      {"global language", "lang-cut.xml", kLangFile,
       [&](const char* p) { return loadGlobal(kSceneFile, ReadBytes(p).c_str()); },
       "Failed loading language file"},
  };
  for (const XmlReaderCase& c : cases) {
    const std::string whole = c.whole;
    WriteBytes(c.fileName, whole);
    bv::ClearShownMessages();
    EXPECT_TRUE(c.load(c.fileName)) << c.reader << " rejects its whole file";
    EXPECT_TRUE(bv::ShownMessages().empty()) << c.reader << ": " << bv::ShownMessages()[0].text;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
      WriteBytes(c.fileName, whole.substr(0, cut));
      bv::ClearShownMessages();
      EXPECT_FALSE(c.load(c.fileName)) << c.reader << " accepts a cut at byte " << cut;
      if (c.alert != nullptr) {
        EXPECT_TRUE(Alerted(c.alert)) << c.reader << " is silent on a cut at byte " << cut;
      }
    }
  }
  // A failed load leaves nothing half read behind.
  WriteBytes("scene.xml", std::string(kSceneFile).substr(0, sizeof(kSceneFile) / 2));
  levels.LoadScene("scene.xml");
  EXPECT_EQ(levels.GetImages()->GetCount(), 0u);
}

// Cuts of a picture either load (BMP and TGA may lose
// bytes after their pixels) or are refused before Irrlicht sees them with
// "Image not found"; PNG and JPEG end with a marker, so every cut is refused,
// as is every file shorter than Irrlicht's 26-byte probe.
TEST_F(DamagedFilesTest, ImageCutAtEveryByteLoadsWholeOrIsNotFound) {
  for (const char* extension : {"png", "jpg", "bmp", "tga"}) {
    const std::string whole = Picture(std::string("whole.") + extension);
    ASSERT_GT(whole.size(), 26u) << extension;
    const bool markerEnded = std::string(extension) == "png" || std::string(extension) == "jpg";
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
      const std::string name = std::to_string(cut) + "." + extension;
      WriteBytes(name, whole.substr(0, cut));
      bv::ClearShownMessages();
      g_TextureManager->LoadTexture(name.c_str(), name.c_str(), -1);
      const BvTextureEntry* entry = g_TextureManager->Find(name.c_str());
      if (entry != nullptr) {
        EXPECT_TRUE(bv::ShownMessages().empty()) << name;
      } else {
        EXPECT_TRUE(Alerted("Image not found : " + name)) << name;
      }
      const bool mustLoad = cut == whole.size();
      const bool mustFail = cut < 26 || (markerEnded && cut < whole.size());
      if (mustLoad) {
        EXPECT_NE(entry, nullptr) << name;
      }
      if (mustFail) {
        EXPECT_EQ(entry, nullptr) << name;
      }
    }
  }
}

// The game's own image font and picture, cut to the short sizes, read from
// the data pack (stored and deflated members) as the game reads them: the
// texture is not found, the text element gets no font.
TEST_F(DamagedFilesTest, ShortPackImagesAreNotFoundAndGiveNoFont) {
  const std::string pack = std::string(QV_BUILD_DIR) + "/data/data.pk";
  irr::io::IFileSystem* files = video.device()->getFileSystem();
  ASSERT_TRUE(files->addFileArchive(pack.c_str(), true, false, irr::io::EFAT_ZIP)) << pack;
  const std::string fontName = "fonts/showcard-font12.png";
  irr::io::IReadFile* source = files->createAndOpenFile(fontName.c_str());
  ASSERT_NE(source, nullptr);
  std::string font(static_cast<size_t>(source->getSize()), '\0');
  ASSERT_EQ(source->read(&font[0], static_cast<irr::u32>(font.size())),
            static_cast<irr::s32>(font.size()));
  source->drop();
  {
    BvImage image("whole");
    image.SetFileName(fontName.c_str());
    BvTextElement text("whole");
    text.SetFontImage(&image);
    EXPECT_NE(text.GetFont(), nullptr) << "the whole font loads";
  }

  // A pack of the short cuts, each stored and deflated.
  std::string script =
      "import sys, zipfile\n"
      "data = open(sys.argv[2], 'rb').read()\n"
      "z = zipfile.ZipFile(sys.argv[1], 'w')\n"
      "for n in map(int, sys.argv[3:]):\n"
      "    z.writestr('cut/stored%d.png' % n, data[:n], compress_type=zipfile.ZIP_STORED)\n"
      "    z.writestr('cut/deflated%d.png' % n, data[:n], compress_type=zipfile.ZIP_DEFLATED)\n"
      "z.close()\n";
  WriteBytes("make_pack.py", script);
  WriteBytes("font.png", font);
  std::string command = "/usr/bin/python3 make_pack.py cuts.pk font.png";
  for (size_t size : kShortImageSizes) command += " " + std::to_string(size);
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(files->addFileArchive("cuts.pk", true, false, irr::io::EFAT_ZIP));

  for (size_t size : kShortImageSizes) {
    for (const char* kind : {"stored", "deflated"}) {
      const std::string name = "cut/" + std::string(kind) + std::to_string(size) + ".png";
      ASSERT_TRUE(files->existFile(name.c_str())) << name;
      bv::ClearShownMessages();
      g_TextureManager->LoadTexture(name.c_str(), name.c_str(), -1);
      EXPECT_EQ(g_TextureManager->Find(name.c_str()), nullptr) << name;
      EXPECT_TRUE(Alerted("Image not found : " + name)) << name;
      BvImage image(name.c_str());
      image.SetFileName(name.c_str());
      BvTextElement text(name.c_str());
      text.SetFontImage(&image);
      EXPECT_EQ(text.GetFont(), nullptr) << name;
    }
  }
}

}  // namespace
