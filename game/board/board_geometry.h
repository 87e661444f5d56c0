#pragma once
// Where board cells sit on the screen. Cell (column, row): column 0..16 left
// to right, row 0..12 top to bottom; positions in the level's logical pixels
// (origin at the centre of the 800 by 600 field, y up).
#include <irrlicht.h>

constexpr int kBoardColumns = 17, kBoardRows = 13;
constexpr int kBoardCells = kBoardColumns * kBoardRows;
// The middle cell, from which set-up and end shows spread out.
constexpr int kBoardCentreColumn = 8;
constexpr int kBoardCentreRow = 6;
// Cell pitch in pixels, both ways.
constexpr float kCellSize = 44.0f;
// Screen position of cell (0, 0).
constexpr float kBoardOriginX = -350.0f;
constexpr float kBoardOriginY = 257.0f;

// x = column x 44 - 350, y = 257 - row x 44.
irr::core::vector2df CellToScreen(int column, int row);

// The cell lies on the board.
inline bool IsOnBoard(int column, int row) {
  return column >= 0 && column < kBoardColumns && row >= 0 && row < kBoardRows;
}

// Squared distance of a cell from the centre cell, the unit of the radial
// delays of the set-up and end shows.
inline int RadialDistance(int column, int row) {
  const int dc = kBoardCentreColumn - column, dr = kBoardCentreRow - row;
  return dc * dc + dr * dr;
}
