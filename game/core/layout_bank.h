#pragma once
// The table of board layouts, filled once from "data/layouts.bin".
#include "game/core/layout_cell.h"

namespace irr { namespace io { class IFileSystem; } }

class BvLayoutBank {
 public:
  static constexpr int kColumns = 17;
  static constexpr int kRows = 13;
  static constexpr int kCellsPerLayout = kColumns * kRows;  // column by column
  static constexpr int kLayoutCount = 70;                   // table size
  static constexpr int kBinaryLayoutCount = 60;             // layouts in the file
  static constexpr int kCellBytes = 8;                      // back, front: int32 LE
  static constexpr int kLayoutBytes = kCellsPerLayout * kCellBytes;       // 1768
  static constexpr int kBinaryBytes = kBinaryLayoutCount * kLayoutBytes;  // 106080

  // Every layout starts empty (all cells 0).
  BvLayoutBank();
  virtual ~BvLayoutBank() = default;

  // Reads "data/layouts.bin" through the device's file system (pack, then
  // folder). False when the file is missing or shorter than 60 layouts; the
  // table is then left as it was.
  bool LoadBinary();
  bool LoadBinary(irr::io::IFileSystem* fileSystem);
  // Reads "data/layouts.xml" (the authoring format; nothing calls it).
  bool LoadXml();
  bool LoadXml(const char* fileName);

  // Layout n's cell; a layout or cell outside the table yields an empty cell.
  const BvLayoutCell& GetCell(int layout, int column, int row) const;
  // Changes one cell (a cell outside the table: nothing).
  void SetCell(int layout, int column, int row, const BvLayoutCell& cell);
  static bool IsValidLayout(int layout) { return layout >= 0 && layout < kLayoutCount; }

 private:
  BvLayoutCell m_Layouts[kLayoutCount][kCellsPerLayout];
};
