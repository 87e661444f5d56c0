#include <gtest/gtest.h>

#include <irrlicht.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
#include "game/core/layout_bank.h"

namespace {

// A NULL-driver device whose file system works in a temporary folder.
class LayoutBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qv_layouts_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    mkdir((dir + "/data").c_str(), 0755);
    device = irr::createDevice(irr::video::EDT_NULL);
    ASSERT_NE(device, nullptr);
    device->getLogger()->setLogLevel(irr::ELL_NONE);
    fs = device->getFileSystem();
    oldDir = fs->getWorkingDirectory().c_str();
    fs->changeWorkingDirectoryTo(dir.c_str());
  }
  void TearDown() override {
    fs->changeWorkingDirectoryTo(oldDir.c_str());
    device->drop();
    std::remove((dir + "/data/layouts.bin").c_str());
    std::remove(XmlPath().c_str());
    rmdir((dir + "/data").c_str());
    rmdir(dir.c_str());
  }
  // A file where cell value = layout x 1000 + cell index, back and front
  // differing in sign so swapped fields show.
  void WriteFile(size_t bytes) {
    std::vector<uint8_t> data;
    for (int layout = 0; layout < BvLayoutBank::kBinaryLayoutCount; ++layout)
      for (int cell = 0; cell < BvLayoutBank::kCellsPerLayout; ++cell)
        for (int32_t v : {layout * 1000 + cell, -(layout * 1000 + cell)})
          for (int k = 0; k < 4; ++k) data.push_back(uint8_t(uint32_t(v) >> (8 * k)));
    ASSERT_EQ(data.size(), 106080u);
    data.resize(bytes);
    std::ofstream(dir + "/data/layouts.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), data.size());
  }

  std::string XmlPath() const { return dir + "/data/layouts.xml"; }
  // The authoring file: a root element holding the given top-level elements.
  void WriteXml(const std::string& topLevel) {
    std::ofstream(XmlPath()) << "<?xml version=\"1.0\"?>\n<layouts>\n" << topLevel << "</layouts>\n";
  }
  // A layout of the given size whose first child holds the given rows.
  static std::string Layout(const std::string& rows, int width = 17, int height = 13) {
    return "<layout width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\"><rows>" + rows + "</rows></layout>\n";
  }
  // Messages shown in "Alert" boxes since the last clear.
  static std::vector<std::string> Alerts() {
    std::vector<std::string> texts;
    for (const bv::ShownMessage& m : bv::ShownMessages())
      if (m.caption == "Alert") texts.push_back(m.text);
    return texts;
  }

  std::string dir, oldDir;
  irr::IrrlichtDevice* device = nullptr;
  irr::io::IFileSystem* fs = nullptr;
};

TEST_F(LayoutBankTest, BinaryCellsLandColumnByColumn) {
  WriteFile(106080);
  auto bank = std::make_unique<BvLayoutBank>();
  ASSERT_TRUE(bank->LoadBinary(fs));
  struct Case { int layout, column, row, value; };
  // (1, 0) of layout 0 is cell 13, bytes 104..111; layout 1 starts at 1768.
  for (Case c : {Case{0, 0, 0, 0}, Case{0, 1, 0, 13}, Case{0, 0, 12, 12}, Case{1, 0, 0, 1000},
                 Case{59, 16, 12, 59220}}) {
    EXPECT_EQ(bank->GetCell(c.layout, c.column, c.row).back, c.value)
        << c.layout << " (" << c.column << "," << c.row << ")";
    EXPECT_EQ(bank->GetCell(c.layout, c.column, c.row).front, -c.value);
  }
  // Layouts 60..69 are not in the file and stay empty.
  EXPECT_EQ(bank->GetCell(60, 3, 3).back, 0);
}

TEST_F(LayoutBankTest, ShortOrMissingFileFailsAndBankStaysZeroed) {
  auto bank = std::make_unique<BvLayoutBank>();
  EXPECT_FALSE(bank->LoadBinary(fs)) << "missing file";
  WriteFile(106079);
  EXPECT_FALSE(bank->LoadBinary(fs)) << "short file";
  EXPECT_FALSE(bank->LoadBinary(nullptr));
  for (int layout = 0; layout < BvLayoutBank::kLayoutCount; layout += 23)
    for (int column = 0; column < 17; ++column)
      for (int row = 0; row < 13; ++row) {
        ASSERT_EQ(bank->GetCell(layout, column, row).back, 0);
        ASSERT_EQ(bank->GetCell(layout, column, row).front, 0);
      }
}

TEST_F(LayoutBankTest, OutOfTableLookupsYieldEmptyCell) {
  WriteFile(106080);
  auto bank = std::make_unique<BvLayoutBank>();
  ASSERT_TRUE(bank->LoadBinary(fs));
  struct Case { int layout, column, row; };
  for (Case c : {Case{-1, 0, 0}, Case{70, 0, 0}, Case{1000, 1, 1}, Case{1, 17, 0},
                 Case{1, 0, 13}, Case{1, -1, 0}}) {
    EXPECT_EQ(bank->GetCell(c.layout, c.column, c.row).back, 0) << c.layout;
    EXPECT_EQ(bank->GetCell(c.layout, c.column, c.row).front, 0) << c.layout;
  }
}

// Every top-level element counts for the layout number; within a layout
// the rows' children are the columns, stored column by column as the
// binary file has them.
TEST_F(LayoutBankTest, XmlCellsLandByRowAndColumn) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  WriteXml("<note/>\n" +
           Layout("<row><cell><back>1</back><front>2</front></cell><cell><BACK>3</BACK></cell></row>"
                  "<row><cell/><cell><Front>7</Front><back>5</back></cell></row>") +
           "<LAYOUT width=\"17\" height=\"13\"><rows><row><cell><back>6</back></cell></row>"
           "</rows></LAYOUT>\n");
  auto bank = std::make_unique<BvLayoutBank>();
  ASSERT_TRUE(bank->LoadXml(XmlPath().c_str()));
  struct Case { int layout, column, row, back, front; };
  for (Case c : {Case{1, 0, 0, 1, 2}, Case{1, 1, 0, 3, 0}, Case{1, 0, 1, 0, 0},
                 Case{1, 1, 1, 5, 7}, Case{1, 13, 0, 0, 0}, Case{1, 0, 13, 0, 0},
                 Case{2, 0, 0, 6, 0}, Case{0, 0, 0, 0, 0}}) {
    const BvLayoutCell& cell = bank->GetCell(c.layout, c.column, c.row);
    EXPECT_EQ(cell.back, c.back) << c.layout << " (" << c.column << "," << c.row << ")";
    EXPECT_EQ(cell.front, c.front) << c.layout << " (" << c.column << "," << c.row << ")";
  }
  EXPECT_TRUE(Alerts().empty());
  bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
}

TEST_F(LayoutBankTest, XmlSizeErrorsAreReported) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  // A cell past the last column or row is reported and skipped; the rest
  // of the layout is still read.
  std::string wideRow = "<row>";
  for (int column = 0; column < 18; ++column)
    wideRow += "<cell><back>" + std::to_string(column + 1) + "</back></cell>";
  wideRow += "</row>";
  std::string rows;
  for (int row = 0; row < 14; ++row)
    rows += row == 0 ? wideRow : "<row><cell><back>" + std::to_string(100 + row) + "</back></cell></row>";
  bv::ClearShownMessages();
  WriteXml(Layout(rows));
  auto bank = std::make_unique<BvLayoutBank>();
  ASSERT_TRUE(bank->LoadXml(XmlPath().c_str()));
  EXPECT_EQ(Alerts(), (std::vector<std::string>{"Bad Width or Height in layout.xml",
                                                "Bad Width or Height in layout.xml"}));
  EXPECT_EQ(bank->GetCell(0, 16, 0).back, 17);
  EXPECT_EQ(bank->GetCell(0, 1, 0).back, 2) << "row 13 does not spill into the next column";
  EXPECT_EQ(bank->GetCell(0, 0, 12).back, 112);
  EXPECT_EQ(bank->GetCell(1, 0, 0).back, 0) << "nothing spills into the next layout";

  // A layout of another size stops the load.
  struct Case { int width, height; };
  for (Case c : {Case{13, 17}, Case{17, 12}, Case{18, 13}}) {
    bv::ClearShownMessages();
    WriteXml(Layout("<row><cell><back>4</back></cell></row>", c.width, c.height));
    auto other = std::make_unique<BvLayoutBank>();
    EXPECT_FALSE(other->LoadXml(XmlPath().c_str())) << c.width << "x" << c.height;
    EXPECT_EQ(Alerts(), std::vector<std::string>{"Bad width or height in layout.xml"});
  }
  // A missing file, and one with no top-level element, load nothing.
  std::remove(XmlPath().c_str());
  EXPECT_FALSE(bank->LoadXml(XmlPath().c_str()));
  WriteXml("");
  EXPECT_FALSE(bank->LoadXml(XmlPath().c_str()));
  bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
}

// Layouts past the table's 70 are read but go nowhere.
TEST_F(LayoutBankTest, XmlLayoutsPastTheTableAreNotStored) {
  std::string topLevel;
  for (int k = 0; k < BvLayoutBank::kLayoutCount + 2; ++k)
    topLevel += Layout("<row><cell><back>" + std::to_string(k + 1) + "</back></cell></row>");
  WriteXml(topLevel);
  auto bank = std::make_unique<BvLayoutBank>();
  ASSERT_TRUE(bank->LoadXml(XmlPath().c_str()));
  EXPECT_EQ(bank->GetCell(0, 0, 0).back, 1);
  EXPECT_EQ(bank->GetCell(69, 0, 0).back, 70);
}

}  // namespace
