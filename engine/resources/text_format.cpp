#include "engine/resources/text_format.h"

namespace {
// The integer's digits, zeros in front up to width digits (after the sign).
std::wstring ZeroPadded(int value, int width) {
  std::wstring digits = std::to_wstring(value);
  const size_t sign = value < 0 ? 1 : 0;
  if (digits.size() - sign < size_t(width)) digits.insert(sign, width - (digits.size() - sign), L'0');
  return digits;
}

// Length of the placeholder at c ("%d", "%s" or "%0Nd"), 0 when it is none.
int PlaceholderLength(const wchar_t* c) {
  if (c[0] != L'%') return 0;
  if (c[1] == L'd' || c[1] == L's') return 2;
  if (c[1] == L'0' && c[2] >= L'1' && c[2] <= L'9' && c[3] == L'd') return 4;
  return 0;
}
}  // namespace

BvTextArg::BvTextArg(const char* text) : m_IsText(true) {
  if (!text) return;
  for (const char* c = text; *c; ++c) m_Text.push_back(wchar_t(static_cast<unsigned char>(*c)));
}

std::wstring FormatText(const wchar_t* pattern, std::initializer_list<BvTextArg> args,
                        size_t maxLength) {
  std::wstring out;
  if (!pattern) return out;
  const BvTextArg* next = args.begin();
  auto append = [&](const std::wstring& piece) {
    if (out.size() < maxLength) out.append(piece, 0, maxLength - out.size());
  };
  for (const wchar_t* c = pattern; *c && out.size() < maxLength; ++c) {
    if (c[0] == L'%' && c[1] == L'%') {  // copied as a pair, never a placeholder
      append(std::wstring(c, 2));
      ++c;
      continue;
    }
    const int length = PlaceholderLength(c);
    if (length && next != args.end()) {
      const BvTextArg& arg = *next;
      const bool wantText = c[1] == L's';
      if (arg.IsText() == wantText) {
        const int width = length == 4 ? c[2] - L'0' : 0;
        append(wantText ? arg.GetText() : ZeroPadded(arg.GetInt(), width));
        ++next;
        c += length - 1;  // past the letter
        continue;
      }
    }
    out.push_back(*c);
  }
  return out;
}
