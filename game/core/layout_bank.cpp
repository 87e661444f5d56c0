#include "game/core/layout_bank.h"

#include <irrlicht.h>

#include <cstdint>
#include <vector>

#include "engine/shell/globals.h"

namespace {
const char* const kBinaryFile = "data/layouts.bin";
const char* const kXmlFile = "data/layouts.xml";
const BvLayoutCell kEmptyCell{};

int32_t ReadI32(const uint8_t* at) {
  return static_cast<int32_t>(uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 |
                              uint32_t(at[3]) << 24);
}
}  // namespace

BvLayoutBank::BvLayoutBank() : m_Layouts{} {}

bool BvLayoutBank::LoadBinary() {
  return LoadBinary(g_Device ? g_Device->getFileSystem() : nullptr);
}

bool BvLayoutBank::LoadBinary(irr::io::IFileSystem* fileSystem) {
  if (!fileSystem) return false;
  irr::io::IReadFile* file = fileSystem->createAndOpenFile(kBinaryFile);
  if (!file) return false;
  std::vector<uint8_t> bytes(kBinaryBytes);
  const irr::s32 got = file->read(bytes.data(), kBinaryBytes);
  file->drop();
  if (got != kBinaryBytes) return false;
  for (int layout = 0; layout < kBinaryLayoutCount; ++layout) {
    for (int cell = 0; cell < kCellsPerLayout; ++cell) {
      const uint8_t* at = bytes.data() + layout * kLayoutBytes + cell * kCellBytes;
      m_Layouts[layout][cell].back = ReadI32(at);
      m_Layouts[layout][cell].front = ReadI32(at + 4);
    }
  }
  return true;
}

const BvLayoutCell& BvLayoutBank::GetCell(int layout, int column, int row) const {
  if (!IsValidLayout(layout) || column < 0 || column >= kColumns || row < 0 || row >= kRows)
    return kEmptyCell;
  return m_Layouts[layout][column * kRows + row];
}

bool BvLayoutBank::LoadXml() { return LoadXml(kXmlFile); }
