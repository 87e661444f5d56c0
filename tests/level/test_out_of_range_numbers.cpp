// Numbers of scene and level files are read with their range in mind: a
// source rectangle inside a picture, a position, shape and scale inside a
// sane field. An entry holding a number outside its range is left out with
// an "Alert", the rest of the file is read, and no arithmetic overflows
// (the sanitizer build stops on a signed overflow such as x + width with x
// 2147483647).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/level/level.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/sprite.h"
#include "support/null_video.h"

namespace fs = std::filesystem;

namespace {

bool Alerted(const std::string& text) {
  for (const bv::ShownMessage& m : bv::ShownMessages())
    if (m.caption == "Alert" && m.text.find(text) != std::string::npos) return true;
  return false;
}

class OutOfRangeNumbersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = bv::test::MakeTempFolder("qv-numbers");
    path = folder + "/scene.xml";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  void Write(const std::string& text) { std::ofstream(path) << text; }

  bv::test::NullVideo video;
  std::string folder;
  std::string path;
};

struct RectCase {
  const char* attributes;
  bool kept;
};

TEST_F(OutOfRangeNumbersTest, SourceRectangleOutsideAPictureLeavesTheSpriteOut) {
  const RectCase cases[] = {
      {"x=\"0\" y=\"0\" width=\"800\" height=\"600\"", true},
      {"x=\"4\" y=\"8\" width=\"16\"", true},  // a missing attribute is 0
      {"x=\"0\" y=\"0\" width=\"4096\" height=\"4096\"", true},
      {"x=\"2147483647\" y=\"0\" width=\"16\" height=\"16\"", false},
      {"x=\"0\" y=\"0\" width=\"16\" height=\"2147483647\"", false},
      {"x=\"4294967296\" y=\"0\" width=\"16\" height=\"16\"", false},
      {"x=\"-2147483648\" y=\"0\" width=\"16\" height=\"16\"", false},
      {"x=\"0\" y=\"0\" width=\"-16\" height=\"16\"", false},
      {"x=\"4000\" y=\"0\" width=\"97\" height=\"16\"", false},
  };
  for (const RectCase& c : cases) {
    Write(std::string("<scene><sprites><sprite name=\"bad\"><sourcerect ") + c.attributes +
          "/></sprite><sprite name=\"good\"><sourcerect x=\"1\" y=\"2\" width=\"3\" "
          "height=\"4\"/></sprite></sprites></scene>");
    BvLevelManager levels(nullptr, true);
    bv::ClearShownMessages();
    ASSERT_TRUE(levels.LoadScene(path.c_str())) << c.attributes;
    EXPECT_EQ(levels.GetSprites()->GetObjectByName("bad") != nullptr, c.kept) << c.attributes;
    EXPECT_EQ(Alerted("Number out of range, sprite left out : bad"), !c.kept) << c.attributes;
    // The rest of the file is read.
    auto* good = static_cast<BvSprite*>(levels.GetSprites()->GetObjectByName("good"));
    ASSERT_NE(good, nullptr) << c.attributes;
    EXPECT_EQ(good->GetSourceRect(), irr::core::recti(1, 2, 4, 6));
  }
}

TEST_F(OutOfRangeNumbersTest, ShapeBeyondTheFieldLeavesTheElementOut) {
  const RectCase cases[] = {
      {"<shape type=\"polygon\"><vertex x=\"-10\" y=\"10\"/></shape>", true},
      {"<shape type=\"circle\"><radius>12</radius></shape>", true},
      {"<shape type=\"polygon\"><vertex x=\"2147483647\" y=\"0\"/></shape>", false},
      {"<shape type=\"polygon\"><vertex x=\"0\" y=\"inf\"/></shape>", false},
      {"<shape type=\"circle\"><radius>4294967296</radius></shape>", false},
      {"<shape type=\"circle\"><radius>-1</radius></shape>", false},
  };
  for (const RectCase& c : cases) {
    for (const char* type : {"image", "anim"}) {
      Write(std::string("<scene><elements><element type=\"") + type + "\" name=\"e\">" +
            c.attributes + "</element></elements></scene>");
      BvLevelManager levels(nullptr, true);
      bv::ClearShownMessages();
      ASSERT_TRUE(levels.LoadScene(path.c_str()));
      EXPECT_EQ(levels.GetElements()->GetObjectByName("e") != nullptr, c.kept)
          << type << " " << c.attributes;
      EXPECT_EQ(Alerted("Number out of range, element left out : e"), !c.kept) << c.attributes;
    }
  }
}

TEST_F(OutOfRangeNumbersTest, PositionOrScaleBeyondTheFieldLeavesTheLevelElementOut) {
  const RectCase cases[] = {
      {"<pos x=\"-280\" y=\"195\"/>", true},
      {"<pos x=\"100000\" y=\"-100000\"/>", true},
      {"<scale x=\"2\" y=\"0.5\"/>", true},
      {"<pos x=\"2147483647\" y=\"0\"/>", false},
      {"<pos x=\"0\" y=\"-4294967296\"/>", false},
      {"<pos x=\"1e30\" y=\"0\"/>", false},
      {"<scale x=\"2147483647\" y=\"1\"/>", false},
  };
  for (const RectCase& c : cases) {
    Write(std::string("<scene><levels><level name=\"l\"><lvlelements>"
                      "<lvlelement name=\"odd\">") +
          c.attributes +
          "</lvlelement><lvlelement name=\"plain\"><pos x=\"1\" y=\"2\"/></lvlelement>"
          "</lvlelements></level></levels></scene>");
    BvLevelManager levels(nullptr, true);
    bv::ClearShownMessages();
    ASSERT_TRUE(levels.LoadLevel(0, path.c_str(), false)) << c.attributes;
    BvLevel* level = static_cast<BvLevel*>(levels.GetLevels()->GetObjectByName("l"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->GetObjectByName("odd") != nullptr, c.kept) << c.attributes;
    EXPECT_EQ(Alerted("Number out of range, element left out : odd"), !c.kept) << c.attributes;
    EXPECT_NE(level->GetObjectByName("plain"), nullptr) << c.attributes;
  }
}

}  // namespace
