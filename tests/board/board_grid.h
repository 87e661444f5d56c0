#pragma once
// Hand-made boards for tests, drawn as text, one string per row from the
// top, starting at column 0 and row 0 unless told otherwise.
//   pieces:      '1'..'5' a piece of that colour, '.' an empty playable
//                cell, anything else no cell (all at rest, no delay)
//   backgrounds: '0'..'6' the background kind of each cell
//   locks:       '0'..'2' the lock counter
// Cells outside the drawing keep what they had after Reset (no cell).
#include <string>
#include <vector>

#include "game/board/layout.h"
#include "game/core/layout_cell.h"

namespace board_test {

using Rows = std::vector<std::string>;

inline void DrawPieces(BvLayout& board, const Rows& rows, int column0 = 0, int row0 = 0) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      BvPiece& cell = board.GetCell(column0 + int(c), row0 + int(r));
      const char ch = rows[r][c];
      cell.motion = kMotionIdle;
      cell.delay = 0.0f;
      if (ch >= '1' && ch <= '5') {
        cell.present = 1;
        cell.colour = ch - '0';
        if (cell.background == kBackNone) cell.background = kBackClear;
      } else if (ch == '.') {
        cell.present = 0;
        cell.colour = kNoColour;
        if (cell.background == kBackNone) cell.background = kBackClear;
      } else {
        cell.present = 0;
        cell.colour = kNoColour;
        cell.background = kBackNone;
      }
    }
  }
}

inline void DrawBackgrounds(BvLayout& board, const Rows& rows, int column0 = 0, int row0 = 0) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c)
      board.GetCell(column0 + int(c), row0 + int(r)).background = rows[r][c] - '0';
  }
}

inline void DrawLocks(BvLayout& board, const Rows& rows, int column0 = 0, int row0 = 0) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c)
      board.GetCell(column0 + int(c), row0 + int(r)).lockCounter = rows[r][c] - '0';
  }
}

// A backfill in the corner cell (never filled, never in a run) keeps the
// level from being won while a test runs whole updates.
inline void KeepUnwon(BvLayout& board) {
  board.GetCell(kBoardColumns - 1, kBoardRows - 1).background = kBackFill;
}

// The idle wave back at the start of its ten-second pause, whatever it was
// doing (its state outlives a level): started, then run past its last
// diagonal in one step, which touches no cell.
inline void RestartIdleWave(BvLayout& board) {
  if (!board.IsIdleWaveActive()) board.UpdateIdleWave(10001.0f);
  board.UpdateIdleWave(34 * 150.0f);
}

// The pieces of a region as text ('.' for a cell without piece).
inline Rows ReadPieces(const BvLayout& board, int columns, int rows, int column0 = 0, int row0 = 0) {
  Rows out;
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < columns; ++c) {
      const BvPiece& cell = board.GetCell(column0 + c, row0 + r);
      line += cell.present == 1 ? char('0' + cell.colour) : '.';
    }
    out.push_back(line);
  }
  return out;
}

// The background kinds of a region as text, one digit a cell.
inline Rows ReadBackgrounds(const BvLayout& board, int columns, int rows, int column0 = 0, int row0 = 0) {
  Rows out;
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < columns; ++c) line += char('0' + board.GetCell(column0 + c, row0 + r).background);
    out.push_back(line);
  }
  return out;
}

// A 17 x 13 layout, column by column, from rows of background digits and
// rows of front digits (missing cells: 0).
inline std::vector<BvLayoutCell> MakeLayout(const Rows& backs, const Rows& fronts) {
  std::vector<BvLayoutCell> cells(kBoardCells);
  for (size_t r = 0; r < backs.size(); ++r) {
    for (size_t c = 0; c < backs[r].size(); ++c) cells[c * kBoardRows + r].back = backs[r][c] - '0';
  }
  for (size_t r = 0; r < fronts.size(); ++r) {
    for (size_t c = 0; c < fronts[r].size(); ++c) cells[c * kBoardRows + r].front = fronts[r][c] - '0';
  }
  return cells;
}

// A layout whose block of playable backclear cells with pieces spans
// columns c0..c1 and rows r0..r1.
inline std::vector<BvLayoutCell> BlockLayout(int c0, int r0, int c1, int r1, int back = 1) {
  std::vector<BvLayoutCell> cells(kBoardCells);
  for (int c = c0; c <= c1; ++c) {
    for (int r = r0; r <= r1; ++r) cells[c * kBoardRows + r] = BvLayoutCell{back, 1};
  }
  return cells;
}

}  // namespace board_test
