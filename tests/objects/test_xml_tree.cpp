#include "engine/objects/xml_tree.h"

#include <gtest/gtest.h>
#include <irrlicht.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class XmlTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qv_xml_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    savedDir = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(savedDir);
    if (device != nullptr) device->drop();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    fs::path path = dir / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  irr::io::IFileSystem* FileSystem() {
    if (device == nullptr) {
      device = irr::createDevice(irr::video::EDT_NULL);
      device->getLogger()->setLogLevel(irr::ELL_NONE);
    }
    return device->getFileSystem();
  }
  fs::path dir;
  fs::path savedDir;
  irr::IrrlichtDevice* device = nullptr;
};

const char kScene[] =
    "<?xml version=\"1.0\"?>\n"
    "<Scene Version=\"3\">\n"
    "  <!-- a comment -->\n"
    "  <IMAGES>\n"
    "    <image NAME=\"bg\" file=\"bg.png\" Alpha=\"0.5\" name=\"second\"/>\n"
    "    <image name=\"fg\"></image>\n"
    "  </IMAGES>\n"
    "  <text code=\"t\">  Fish &amp; chips  </text>\n"
    "  <text code=\"split\">first<!-- x -->last</text>\n"
    "  <text code=\"latin\">caf\xE9</text>\n"
    "</Scene>\n";

TEST_F(XmlTreeTest, OuterElementIsTheDocumentAndChildrenKeepFileOrder) {
  BvXmlDocument doc;
  EXPECT_EQ(doc.GetName(), "root");
  doc.Load(Write("scene.xml", kScene).c_str(), nullptr);
  EXPECT_TRUE(doc.WasOpened());
  EXPECT_EQ(doc.GetName(), "Scene");
  EXPECT_EQ(doc.GetAttributeInt("version"), 3);
  ASSERT_EQ(doc.GetChildCount(), 4);

  BvXmlNode* images = doc.GetFirstChild();
  EXPECT_TRUE(images->IsNamed("images"));
  EXPECT_EQ(images->GetParent(), &doc);
  EXPECT_EQ(images->GetPreviousSibling(), nullptr);
  ASSERT_EQ(images->GetChildCount(), 2);
  BvXmlNode* bg = images->GetFirstChild();
  EXPECT_EQ(bg->GetAttribute("name"), "bg") << "case-insensitive, first of two wins";
  EXPECT_EQ(bg->GetAttribute("FILE"), "bg.png");
  EXPECT_FLOAT_EQ(bg->GetAttributeFloat("alpha"), 0.5f);
  EXPECT_EQ(bg->GetAttribute("missing"), "");
  EXPECT_FALSE(bg->HasAttribute("missing"));
  EXPECT_EQ(bg->GetAttributeInt("missing"), 0);
  EXPECT_EQ(bg->GetAttributeInt("file"), 0) << "not a number";
  EXPECT_EQ(bg->GetNextSibling(), images->GetLastChild());
  EXPECT_EQ(images->GetLastChild()->GetPreviousSibling(), bg);
  EXPECT_EQ(images->GetChild(0), bg);
  EXPECT_EQ(images->GetChild(2), nullptr);

  BvXmlNode* text = images->GetNextSibling();
  EXPECT_EQ(text->GetValue(), "  Fish & chips  ") << "entities resolved, nothing trimmed";
  EXPECT_EQ(text->GetNextSibling()->GetValue(), "last") << "the last text piece stays";
  BvXmlNode* latin = doc.GetLastChild();
  EXPECT_EQ(latin->GetValue(), "caf\xE9") << "Latin-1 bytes kept as they are";
  EXPECT_EQ(bv::WidenLatin1(latin->GetValue()), L"caf\u00E9");
  EXPECT_EQ(latin->GetNextSibling(), nullptr);
  EXPECT_EQ(doc.FindChild("TEXT"), text);
}

TEST_F(XmlTreeTest, EdgeShapes) {
  {
    BvXmlDocument doc;
    doc.Load(Write("empty.xml", "<lang version=\"2\" low=\"-99999999999\" high=\"99999999999\"/>")
                 .c_str(),
             nullptr);
    EXPECT_EQ(doc.GetName(), "lang");
    EXPECT_EQ(doc.GetAttribute("Version"), "2");
    EXPECT_EQ(doc.GetAttributeInt("low"), INT_MIN);
    EXPECT_EQ(doc.GetAttributeInt("high"), INT_MAX);
    EXPECT_EQ(doc.GetChildCount(), 0);
  }
  {
    BvXmlDocument doc;
    doc.Load((dir / "absent.xml").c_str(), nullptr);
    EXPECT_FALSE(doc.WasOpened());
    EXPECT_EQ(doc.GetName(), "root");
    EXPECT_EQ(doc.GetChildCount(), 0);
  }
  {
    // A file that is not well-formed (here stray end tags) adds nothing, not
    // even the part before the fault: the tree stays as it was.
    BvXmlDocument doc;
    doc.Load(Write("first.xml", "<first><x/></first>").c_str(), nullptr);
    doc.Load(Write("stray.xml", "<a><b/></a></x></y><c/>").c_str(), nullptr);
    EXPECT_TRUE(doc.WasOpened());
    EXPECT_EQ(doc.GetName(), "first");
    ASSERT_EQ(doc.GetChildCount(), 1);
    EXPECT_EQ(doc.GetLastChild()->GetName(), "x");
  }
  {
    // A second load renames the document and appends.
    BvXmlDocument doc;
    doc.Load(Write("one.xml", "<one><x/></one>").c_str(), nullptr);
    doc.Load(Write("two.xml", "<two><y/></two>").c_str(), nullptr);
    EXPECT_EQ(doc.GetName(), "two");
    ASSERT_EQ(doc.GetChildCount(), 2);
    EXPECT_EQ(doc.GetLastChild()->GetName(), "y");
  }
}

// Texts as the game's files hold them: every byte one Latin-1 character
// whatever the file declares, a leading UTF-8 mark skipped, the blanks
// between tags (fewer than three bytes) no text, CDATA no text.
TEST_F(XmlTreeTest, TextsKeepTheFileBytes) {
  struct Case {
    const char* what;
    std::string file;
    const char* value;  // of the outer element
  };
  const Case cases[] = {
      {"declared UTF-8, read as Latin-1",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><t>caf\xE9 \xC3\xA9</t>", "caf\xE9 \xC3\xA9"},
      {"UTF-8 mark skipped", "\xEF\xBB\xBF<t>x</t>", "x"},
      {"short blank fill ignored", "<t>kept<a/>\r\n</t>", "kept"},
      {"three blanks are a text", "<t>kept<a/>\n  </t>", "\n  "},
      {"CDATA is no text", "<t>before<![CDATA[inside]]>\r\n</t>", "before"},
      {"references resolved, past Latin-1 a question mark", "<t>&lt;&#233;&#x263A;&gt;</t>",
       "<\xE9?>"},
      {"line ends inside a text joined", "<t>a\r\nb</t>", "a\nb"},
  };
  for (const Case& c : cases) {
    BvXmlDocument doc;
    doc.Load(Write("text.xml", c.file).c_str(), nullptr);
    EXPECT_EQ(doc.GetName(), "t") << c.what;
    EXPECT_EQ(doc.GetValue(), c.value) << c.what;
  }
  BvXmlDocument attributes;
  attributes.Load(Write("attr.xml", "<t Name=\"\xE9&amp;\" b='1'/>").c_str(), nullptr);
  EXPECT_EQ(attributes.GetAttribute("name"), "\xE9&");
  EXPECT_EQ(attributes.GetAttributeInt("B"), 1);
}

// A file nested far deeper than any real one is read and released without
// running out of stack.
TEST_F(XmlTreeTest, DeepNestingIsReadAndReleased) {
  constexpr int kDepth = 300000;
  std::string text;
  text.reserve(kDepth * 8);
  for (int i = 0; i < kDepth; ++i) text += "<a>";
  for (int i = 0; i < kDepth; ++i) text += "</a>";
  const std::string path = Write("deep.xml", text);
  {
    BvXmlDocument doc;
    doc.Load(path.c_str(), nullptr);
    int depth = 0;
    for (const BvXmlNode* node = &doc; node->GetFirstChild() != nullptr; node = node->GetFirstChild()) {
      ++depth;
    }
    EXPECT_EQ(depth, kDepth - 1);  // the outer element is the document itself
  }
}

TEST(XmlNumbers, ParseLikeAtoiAndAtofInTheCLocale) {
  const std::pair<const char*, int> ints[] = {
      {"12", 12}, {"  7", 7}, {"+3", 3}, {"-4", -4}, {"12abc", 12}, {"abc", 0},
      {"", 0},    {"0.5", 0},
      // Past the int range in either direction: the nearest end.
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999", INT_MAX},
      {"99999999999999999999999", INT_MAX}, {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN},
      {"-99999999999", INT_MIN}, {"-99999999999999999999999", INT_MIN}, {" -99999999999x", INT_MIN},
  };
  for (const auto& [text, value] : ints) EXPECT_EQ(bv::ParseIntC(text), value) << text;
  const std::pair<const char*, float> floats[] = {
      {"0.5", 0.5f}, {"-2.25", -2.25f}, {".5", 0.5f}, {"1e2", 100.0f}, {" 3", 3.0f},
      {"+1.5", 1.5f}, {"4px", 4.0f}, {"x", 0.0f}, {"", 0.0f},
  };
  for (const auto& [text, value] : floats) EXPECT_FLOAT_EQ(bv::ParseFloatC(text), value) << text;
}

TEST_F(XmlTreeTest, ReadsFromTheMountedPackThenTheFolder) {
  // A pack with a stored and a deflated entry, built here.
  const std::string pack = (dir / "data.pk").string();
  const std::string script =
      "import sys, zipfile\n"
      "z = zipfile.ZipFile(sys.argv[1], 'w')\n"
      "z.writestr(zipfile.ZipInfo('data/stored.xml'), '<s><item name=\"a\"/></s>')\n"
      "big = '<d>' + ''.join('<item Name=\"n%d\"/>' % i for i in range(200)) + '</d>'\n"
      "z.writestr('data/deflated.xml', big, compress_type=zipfile.ZIP_DEFLATED)\n"
      "z.writestr('data/both.xml', '<inpack/>')\n"
      "z.close()\n";
  const std::string scriptPath = Write("make_pack.py", script);
  ASSERT_EQ(std::system(("/usr/bin/python3 " + scriptPath + " " + pack).c_str()), 0);
  Write("data/both.xml", "<infolder/>");
  Write("data/folder.xml", "<folder><x/></folder>");

  irr::io::IFileSystem* files = FileSystem();
  ASSERT_TRUE(files->addFileArchive(pack.c_str(), true, false, irr::io::EFAT_ZIP));
  // Relative names are looked up from the process's working directory.
  fs::current_path(dir);  // restored by TearDown

  BvXmlDocument stored;
  stored.Load("data/stored.xml", files);
  EXPECT_EQ(stored.GetName(), "s");
  ASSERT_EQ(stored.GetChildCount(), 1);
  EXPECT_EQ(stored.GetFirstChild()->GetAttribute("NAME"), "a");

  BvXmlDocument deflated;
  deflated.Load("data/deflated.xml", files);
  ASSERT_EQ(deflated.GetChildCount(), 200);
  EXPECT_EQ(deflated.GetLastChild()->GetAttribute("name"), "n199");

  BvXmlDocument both;
  both.Load("data/both.xml", files);
  EXPECT_EQ(both.GetName(), "inpack") << "the pack comes before the folder";

  BvXmlDocument folder;
  folder.Load("data/folder.xml", files);
  EXPECT_EQ(folder.GetName(), "folder");
  EXPECT_EQ(folder.GetChildCount(), 1);

  BvXmlDocument none;
  none.Load("data/none.xml", files);
  EXPECT_FALSE(none.WasOpened());
  EXPECT_EQ(none.GetChildCount(), 0);
}

}  // namespace
