#include "game/core/sound_table.h"

#include <string>

#include "engine/sound/sound_manager.h"

namespace {
constexpr const char* kSoundFolder = "data/sounds/";
constexpr int P = kSoundKindPool, S = kSoundKindStream, E = kSoundKindEffect;

const BvSoundTableRow kSoundTable[] = {
    {"intro", "intro.ogg", S, 1},
    {"musicintro", "quorvel.ogg", S, 1},
    {"musichidden", "musichidden.ogg", S, 1},
    {"musicswap", "musicswap.ogg", S, 1},
    {"musicswap2", "musicswap2.ogg", S, 1},
    {"musicmap", "musicmap.ogg", S, 1},
    {"guimove", "guimove.ogg", E, 1},
    {"guiclick", "guiclick.ogg", E, 1},
    {"guimouseover", "guimouseover.ogg", E, 1},
    {"guistartplay", "guistartplay.ogg", E, 1},
    {"fall", "item_fall.ogg", E, 2},
    {"match", "match.ogg", E, 2},
    {"locked", "locked.ogg", E, 1},
    {"chaine", "chaine.ogg", E, 1},
    {"break1", "break1.ogg", E, 1},
    {"matchauto", "matchauto.ogg", E, 1},
    {"matchauto2", "matchauto2.ogg", E, 1},
    {"matchauto3", "matchauto3.ogg", E, 1},
    {"matchauto4", "matchauto4.ogg", E, 1},
    {"match4", "match4.ogg", E, 1},
    {"nomoremoves", "nomoremoves.ogg", E, 1},
    {"hint", "hint.ogg", E, 1},
    {"achieve", "achieve.ogg", E, 1},
    {"layout", "layout.ogg", E, 1},
    {"monsterappear", "monsterappear.ogg", E, 1},
    {"effectmonster", "effectmonster.ogg", E, 1},
    {"effectmonsterbat", "effectmonsterbat.ogg", E, 1},
    {"hitmonster", "hitmonster.ogg", E, 1},
    {"monsterdie", "monsterdie.ogg", E, 1},
    {"sortappear", "sortappear.ogg", E, 1},
    {"electric", "electric.ogg", E, 1},
    {"sortlaunch", "sortlaunch.ogg", E, 1},
    {"endgame", "endgame.ogg", E, 1},
    {"timesup", "timesup.ogg", E, 1},
    {"clickfail", "clickfail.ogg", E, 1},
    {"hintactive", "hintactive.ogg", E, 1},
    {"explo1", "explo1.ogg", E, 2},
    {"freeze", "freeze.wav", P, 3},
    {"freeluminos", "freeluminos.ogg", E, 2},
    {"exploglace", "exploglace.ogg", E, 2},
    {"explobig", "explobig.ogg", E, 1},
    {"fallbomb", "fallbomb.ogg", E, 1},
    {"chainburn", "chainburn.ogg", E, 1},
    {"fizzle", "fizzle.ogg", E, 1},
    {"chainburn", "chainburn.ogg", E, 1},  // already present: no effect
    {"guicourt", "guicourt.ogg", E, 1},
    {"guilong", "guilong.ogg", E, 1},
    {"tuto", "tuto.ogg", E, 1},
    {"warning", "warning.wav", S, 1},
    {"excellent", "excellent.ogg", E, 1},
    {"arrowmove", "arrowmove.ogg", E, 1},
    {"wordfound", "wordfound.ogg", E, 1},
};
constexpr int kSoundTableRows = sizeof(kSoundTable) / sizeof(kSoundTable[0]);
static_assert(kSoundTableRows == 52, "the sound table has 52 registrations");
}  // namespace

const BvSoundTableRow* GetSoundTable(int* rowCount) {
  if (rowCount) *rowCount = kSoundTableRows;
  return kSoundTable;
}

void RegisterGameSounds(BvSoundManager& sounds) {
  for (const BvSoundTableRow& row : kSoundTable) {
    const std::string file = std::string(kSoundFolder) + row.file;
    sounds.LoadSound(file.c_str(), row.name, row.kind, row.count);
  }
}
