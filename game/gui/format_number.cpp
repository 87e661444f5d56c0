#include "game/gui/format_number.h"

#include <cstdint>

#include "engine/platform/message_box.h"

namespace {
constexpr const char kDigits[] = "0123456789abcdef";
constexpr int kMinBase = 2;
constexpr int kMaxBase = 16;
}  // namespace

bool FormatNumber(std::string& out, int value, int base, int width) {
  out.clear();
  if (width > kFormatNumberMaxWidth) {
    bv::ShowMessageBox("Alert", "itoa buffer overflow");
    return false;
  }
  if (width < 1 || base < kMinBase || base > kMaxBase) return false;
  // The magnitude in 64 bits, so the most negative value has one too.
  uint64_t rest = value < 0 ? uint64_t(-int64_t(value)) : uint64_t(value);
  char work[kFormatNumberMaxWidth + 1];
  int position = width;
  do {
    work[--position] = kDigits[rest % unsigned(base)];
    rest /= unsigned(base);
  } while (rest != 0 && position > 0);
  if (value < 0 && position > 0) work[--position] = '-';
  out.assign(work + position, work + width);
  return true;
}
