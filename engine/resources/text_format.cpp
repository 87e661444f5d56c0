#include "engine/resources/text_format.h"

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
    if (c[0] == L'%' && (c[1] == L'd' || c[1] == L's') && next != args.end()) {
      const BvTextArg& arg = *next;
      const bool wantText = c[1] == L's';
      if (arg.IsText() == wantText) {
        append(wantText ? arg.GetText() : std::to_wstring(arg.GetInt()));
        ++next;
        ++c;  // past the letter
        continue;
      }
    }
    out.push_back(*c);
  }
  return out;
}
