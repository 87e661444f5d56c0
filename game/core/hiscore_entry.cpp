#include "game/core/hiscore_entry.h"

#include <cstring>

void BvHiscoreEntry::SetName(const char* text) {
  std::memset(name, 0, sizeof(name));
  if (text) std::strncpy(name, text, kMaxNameLength);
}
