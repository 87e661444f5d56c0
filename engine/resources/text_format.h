#pragma once
// Language texts used as formats ("score", "niv", ...): only the
// placeholders the caller expects are filled, from typed arguments, and the
// result is bounded. A text from a language file can never make the game
// read an argument it did not pass, write past a buffer or crash.
//
// Rules: arguments are taken in order. "%d" takes the next argument when it
// is an integer, "%s" when it is a text, and "%0Nd" (N one digit, 1 to 9)
// an integer written with at least N digits, zeros in front ("%02d": 7 is
// "07"); a placeholder whose argument is missing or of the other kind, and
// every other '%' sequence ("%%", "%5d", "%010d", "%n", "%x", a lone '%'),
// is copied as it stands.
#include <cstddef>
#include <initializer_list>
#include <string>

class BvTextArg {
 public:
  BvTextArg(int value) : m_IsText(false), m_Int(value) {}
  // Latin-1 bytes, widened one by one; null reads as empty.
  BvTextArg(const char* text);
  BvTextArg(const wchar_t* text) : m_IsText(true), m_Text(text ? text : L"") {}

  bool IsText() const { return m_IsText; }
  int GetInt() const { return m_Int; }
  const std::wstring& GetText() const { return m_Text; }

 private:
  bool m_IsText;
  int m_Int = 0;
  std::wstring m_Text;
};

// Characters a level element's text holds (79 and a terminator).
constexpr size_t kFormattedTextMax = 79;

// pattern (null reads as empty) with its expected placeholders filled, cut
// to at most maxLength characters.
std::wstring FormatText(const wchar_t* pattern, std::initializer_list<BvTextArg> args,
                        size_t maxLength = kFormattedTextMax);
