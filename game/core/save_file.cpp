#include "game/core/save_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/platform/file_io.h"
#include "engine/platform/little_endian.h"
#include "game/core/player_store.h"

namespace bv {
namespace {

// Field offsets inside one profile record.
constexpr size_t kPFreed = 0, kPScore = 4, kPMonstersKilled = 8, kPChains = 12, kPSpells = 16,
                 kPReserved = 20, kPMatches = 24, kPCompleted = 28, kPLevel = 32, kPWorld = 36,
                 kPAchievements = 40, kPName = 82, kPKey = 108, kPShowHints = 112,
                 kPTimeMode = 113, kPSeenTips = 116;
static_assert(kPAchievements + BvProfile::kAchievementFlags == kPName, "flags end at the name");
static_assert(kPName + BvProfile::kNameSize == kPKey, "name ends at the key");
static_assert(kPSeenTips + 4 == kSaveProfileSize, "a profile is 120 bytes");

// Field offsets inside one hiscore entry.
constexpr size_t kHScore = 0, kHKey = 4, kHName = 8;
static_assert(kHName + BvHiscoreEntry::kNameSize + 3 == kSaveHiscoreSize,
              "an entry is 36 bytes with three bytes of padding");

static_assert(kSaveProfileOffset + BvPlayerStore::kProfileCount * kSaveProfileSize ==
                  kSaveHiscoreOffset,
              "the hiscores follow the four profiles");
static_assert(kSaveHiscoreOffset + BvPlayerStore::kHiscoreCount * kSaveHiscoreSize ==
                  kSaveFileSize,
              "the save file is 844 bytes");

void EncodeProfile(const BvProfile& p, uint8_t* at) {
  PutI32(at + kPFreed, p.freed);
  PutI32(at + kPScore, p.score);
  PutI32(at + kPMonstersKilled, p.monstersKilled);
  PutI32(at + kPChains, p.chainsBroken);
  PutI32(at + kPSpells, p.spellsCast);
  PutI32(at + kPReserved, p.reserved);
  PutI32(at + kPMatches, p.matches);
  PutI32(at + kPCompleted, p.completedGames);
  PutI32(at + kPLevel, p.level);
  PutI32(at + kPWorld, p.world);
  std::memcpy(at + kPAchievements, p.achievements, BvProfile::kAchievementFlags);
  std::memcpy(at + kPName, p.name, BvProfile::kNameSize);
  PutI32(at + kPKey, p.key);
  at[kPShowHints] = p.showHints;
  at[kPTimeMode] = p.timeMode;
  PutU32(at + kPSeenTips, p.seenTips);
}

void DecodeProfile(const uint8_t* at, BvProfile& p) {
  p.freed = GetI32(at + kPFreed);
  p.score = GetI32(at + kPScore);
  p.monstersKilled = GetI32(at + kPMonstersKilled);
  p.chainsBroken = GetI32(at + kPChains);
  p.spellsCast = GetI32(at + kPSpells);
  p.reserved = GetI32(at + kPReserved);
  p.matches = GetI32(at + kPMatches);
  p.completedGames = GetI32(at + kPCompleted);
  p.level = std::clamp<int32_t>(GetI32(at + kPLevel), 0, BvProfile::kLastLevel);
  p.world = std::clamp<int32_t>(GetI32(at + kPWorld), 0, BvProfile::kWorldCount);
  std::memcpy(p.achievements, at + kPAchievements, BvProfile::kAchievementFlags);
  std::memcpy(p.name, at + kPName, BvProfile::kNameSize);
  p.name[BvProfile::kNameSize - 1] = '\0';
  p.key = GetI32(at + kPKey);
  p.showHints = at[kPShowHints];
  p.timeMode = at[kPTimeMode];
  p.seenTips = GetU32(at + kPSeenTips);
}

// What the player is told about the save.
constexpr KeptFileTexts kSaveTexts = {
    "save file", "Progress will not be saved while the game runs.",
    "The last save is kept, and the game tries again after each scene."};

}  // namespace

SaveImage EncodeSaveImage(const BvPlayerStore& store) {
  SaveImage image{};
  uint8_t* bytes = image.data();
  PutI16(bytes, store.current);
  for (int i = 0; i < BvPlayerStore::kProfileCount; ++i)
    EncodeProfile(store.profiles[i], bytes + kSaveProfileOffset + i * kSaveProfileSize);
  for (int j = 0; j < BvPlayerStore::kHiscoreCount; ++j) {
    const BvHiscoreEntry& entry = store.hiscores[j];
    uint8_t* at = bytes + kSaveHiscoreOffset + j * kSaveHiscoreSize;
    PutI32(at + kHScore, entry.score);
    PutI32(at + kHKey, entry.key);
    std::memcpy(at + kHName, entry.name, BvHiscoreEntry::kNameSize);
  }
  return image;
}

bool DecodeSaveImage(const uint8_t* bytes, size_t size, BvPlayerStore& store) {
  if (!bytes || size != kSaveFileSize) return false;
  int16_t current = GetI16(bytes);
  if (current < BvPlayerStore::kNoProfile || current >= BvPlayerStore::kProfileCount)
    current = BvPlayerStore::kNoProfile;
  store.current = current;
  for (int i = 0; i < BvPlayerStore::kProfileCount; ++i)
    DecodeProfile(bytes + kSaveProfileOffset + i * kSaveProfileSize, store.profiles[i]);
  for (int j = 0; j < BvPlayerStore::kHiscoreCount; ++j) {
    BvHiscoreEntry& entry = store.hiscores[j];
    const uint8_t* at = bytes + kSaveHiscoreOffset + j * kSaveHiscoreSize;
    entry.score = GetI32(at + kHScore);
    entry.key = GetI32(at + kHKey);
    std::memcpy(entry.name, at + kHName, BvHiscoreEntry::kNameSize);
    entry.name[BvHiscoreEntry::kNameSize - 1] = '\0';
  }
  return true;
}

std::string DamagedSavePath(const std::string& path) { return DamagedCopyPath(path, 0); }

KeptFile MakeSaveFile(const std::string& path) { return KeptFile(path, kSaveTexts); }

bool ReadSaveFile(KeptFile& file, BvPlayerStore& store) {
  const FilePrefix read = file.Read(kSaveFileSize);
  if (read.status == FileReadStatus::kRead &&
      DecodeSaveImage(read.bytes.data(), read.bytes.size(), store)) {
    // Reading is lossless for every save this game writes; anything that
    // would not come back byte for byte at the next write is damage.
    const SaveImage reread = EncodeSaveImage(store);
    const bool changed = !std::equal(reread.begin(), reread.end(), read.bytes.begin());
    if (changed) {
      file.KeepDamaged(read.longer ? "values out of range were reset, and it is longer than " +
                                         std::to_string(kSaveFileSize) + " bytes"
                                   : "values out of range were reset");
    } else if (read.longer) {
      file.KeepDamaged("it is longer than " + std::to_string(kSaveFileSize) +
                       " bytes; the first " + std::to_string(kSaveFileSize) + " are used");
    }
    return true;
  }
  store.Reset();
  if (read.status == FileReadStatus::kRead)
    file.KeepDamaged("it is too short to read; the game starts fresh");
  return false;
}

bool WriteSaveFile(KeptFile& file, const BvPlayerStore& store) {
  const SaveImage image = EncodeSaveImage(store);
  return file.Write(image.data(), image.size());
}

}  // namespace bv
