#pragma once
// One board cell of a layout: its background kind and its start content.
#include <cstdint>

struct BvLayoutCell {
  // 0 no cell, 1 cleared, 2 backfill, 3 blocker, 4 cage, 5 horizontal chain,
  // 6 vertical chain.
  int32_t back = 0;
  // 1 a piece, 2 a piece locked once, 3 a piece locked twice, other: none.
  int32_t front = 0;
};
