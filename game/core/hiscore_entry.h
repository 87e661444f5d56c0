#pragma once
// One line of the hiscore table, as stored in "savegame.sav" (36 bytes).
#include <cstdint>

struct BvHiscoreEntry {
  // Name field size in the file, terminator included.
  static constexpr int kNameSize = 25;
  // Longest name kept (the rest of the field is zero padding).
  static constexpr int kMaxNameLength = 24;

  int32_t score = 0;
  // Key of the game (profile key) that made the entry; defaults use 0..9.
  int32_t key = 0;
  char name[kNameSize] = {};

  // Copies at most kMaxNameLength characters of text (null = empty) and
  // zero-pads the rest.
  void SetName(const char* text);
};
