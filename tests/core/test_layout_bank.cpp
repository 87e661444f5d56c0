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

}  // namespace
