#pragma once
// The game's complete vocabulary of sound names, registered once at start.
class BvSoundManager;

struct BvSoundTableRow {
  const char* name;
  const char* file;  // under "data/sounds/"
  int kind;          // kSoundKindPool, kSoundKindStream or kSoundKindEffect
  int count;         // copies or voices
};

// The rows in registration order (52 rows; "chainburn" appears twice, the
// second registration leaving the first in place).
const BvSoundTableRow* GetSoundTable(int* rowCount);

// Registers every row with the file "data/sounds/" + file.
void RegisterGameSounds(BvSoundManager& sounds);
