#include "game/core/layout_bank.h"

#include <irrlicht.h>

#include <cstdint>
#include <vector>

#include "engine/platform/little_endian.h"
#include "engine/shell/globals.h"

namespace {
const char* const kBinaryFile = "data/layouts.bin";
const char* const kXmlFile = "data/layouts.xml";
const BvLayoutCell kEmptyCell{};

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
      m_Layouts[layout][cell].back = bv::GetI32(at);
      m_Layouts[layout][cell].front = bv::GetI32(at + 4);
    }
  }
  return true;
}

const BvLayoutCell& BvLayoutBank::GetCell(int layout, int column, int row) const {
  if (!IsValidLayout(layout) || column < 0 || column >= kColumns || row < 0 || row >= kRows)
    return kEmptyCell;
  return m_Layouts[layout][column * kRows + row];
}

void BvLayoutBank::SetCell(int layout, int column, int row, const BvLayoutCell& cell) {
  if (!IsValidLayout(layout) || column < 0 || column >= kColumns || row < 0 || row >= kRows) return;
  m_Layouts[layout][column * kRows + row] = cell;
}

bool BvLayoutBank::LoadXml() { return LoadXml(kXmlFile); }
