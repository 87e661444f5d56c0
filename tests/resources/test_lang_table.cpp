#include "engine/resources/lang_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/platform/message_box.h"

namespace fs = std::filesystem;

namespace {

class LangTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
    char pattern[] = "/tmp/qv_lang_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    g_LangTable.Clear();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  std::string Write(const std::string& bytes) {
    const fs::path path = dir / "lang.xml";
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  size_t Alerts(const std::string& text) const {
    size_t count = 0;
    for (const auto& message : bv::ShownMessages()) {
      count += message.caption == "Alert" && message.text == text;
    }
    return count;
  }
  fs::path dir;
};

TEST_F(LangTableTest, LoadsTextsByCodeAndReadsThemBack) {
  const std::string longText(600, 'y');
  const std::string file = Write(
      "<language>\n"
      "  <text code=\"hello\">Hello &amp; welcome</text>\n"
      "  <TEXT CODE=\"caps\">Caf\xE9</TEXT>\n"
      "  <other code=\"ignored\">no</other>\n"
      "  <text code=\"hello\">second</text>\n"
      "  <text code=\"long\">" + longText + "</text>\n"
      "  <text>no code</text>\n"
      "</language>\n");
  ASSERT_TRUE(g_LangTable.LoadLang(file.c_str()));
  EXPECT_EQ(Alerts("TRYING TO ADD EXISTING OBJECT, DELETED! hello\n"), 1u);
  EXPECT_EQ(g_LangTable.GetCount(), 4u);

  EXPECT_STREQ(GetText("hello"), L"Hello & welcome") << "the first entry stays";
  EXPECT_STREQ(GetText("caps"), L"Caf\u00E9");
  EXPECT_STREQ(g_LangTable.GetLang("caps")->GetTextA(), "Caf\xE9");
  EXPECT_STREQ(GetText(""), L"no code");
  const BvLang* lang = g_LangTable.GetLang("long");
  EXPECT_EQ(std::string(lang->GetTextA()), longText);
  EXPECT_EQ(std::wstring(lang->GetText()), std::wstring(499, L'y'));
  EXPECT_STREQ(lang->GetClassName(), "BvLang");
}

TEST_F(LangTableTest, MissingKeysYieldUndefinedAndAnAlertEveryTime) {
  ASSERT_TRUE(g_LangTable.LoadLang(Write("<l><text code=\"Key\">v</text></l>").c_str()));
  EXPECT_STREQ(GetText("key"), L"undefined") << "keys are case-sensitive";
  EXPECT_STREQ(GetText("key"), L"undefined");
  EXPECT_EQ(Alerts("GetObjectByName, Object not found : key"), 2u);
  EXPECT_STREQ(GetText("Key"), L"v");
}

TEST_F(LangTableTest, FileWithoutEntriesOrWithoutChildren) {
  BvLangList list;
  EXPECT_TRUE(list.LoadLang(Write("<l><item code=\"a\">x</item></l>").c_str()))
      << "children that are not texts still count as content";
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_FALSE(list.LoadLang(Write("<l>only text</l>").c_str()));
  EXPECT_FALSE(list.LoadLang((dir / "absent.xml").c_str()));
  EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
