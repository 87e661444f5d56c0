#include "game/core/bounded_format.h"

#include <string>

namespace bv {

void FormatOneNumber(wchar_t* out, size_t size, const wchar_t* format, int value) {
  if (size == 0) return;
  std::wstring text;
  bool substituted = false;
  for (const wchar_t* at = format; at && *at && text.size() < size - 1; ++at) {
    if (!substituted && at[0] == L'%' && at[1] == L'd') {
      text += std::to_wstring(value);
      substituted = true;
      ++at;
    } else {
      text += *at;
    }
  }
  CopyBounded(out, size, text.c_str());
}

void CopyBounded(wchar_t* out, size_t size, const wchar_t* text) {
  if (size == 0) return;
  size_t n = 0;
  for (; text && n + 1 < size && text[n] != L'\0'; ++n) out[n] = text[n];
  out[n] = L'\0';
}

}  // namespace bv
