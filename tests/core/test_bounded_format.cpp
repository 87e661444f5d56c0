#include "game/core/bounded_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Language texts are data the program cannot trust: only the first "%d" is
// replaced, nothing else is read as a conversion, and the result never
// outgrows its buffer.
TEST(BoundedFormatTest, ReplacesOnlyTheFirstNumberAndKeepsEveryOtherPercent) {
  struct Case { const wchar_t* format; int value; const wchar_t* want; };
  const Case cases[] = {
      {L"Free %d creatures", 30, L"Free 30 creatures"},
      {L"%d", -5, L"-5"},
      {L"%s and %d", 7, L"%s and 7"},
      {L"%n%d%n", 7, L"%n7%n"},
      {L"%d%d", 12, L"12%d"},
      {L"100% of %d", 3, L"100% of 3"},
      {L"%%d", 3, L"%3"},
      {L"ends with %", 3, L"ends with %"},
      {L"no number", 3, L"no number"},
      {L"", 3, L""},
      {nullptr, 3, L""},
  };
  for (const Case& c : cases) {
    wchar_t out[80];
    bv::FormatOneNumber(out, 80, c.format, c.value);
    EXPECT_STREQ(out, c.want) << (c.format ? c.format : L"(null)");
  }
}

TEST(BoundedFormatTest, CutsLongTextsAndNumbersAtTheBuffer) {
  wchar_t out[8];
  const std::wstring longText(5000, L'x');
  bv::FormatOneNumber(out, 8, (longText + L"%d").c_str(), 1);
  EXPECT_EQ(std::wstring(out), std::wstring(7, L'x'));

  bv::FormatOneNumber(out, 8, L"abcd%d", 700000);
  EXPECT_STREQ(out, L"abcd700") << "the number is cut too";

  wchar_t guard[3] = {L'a', L'b', L'c'};
  bv::FormatOneNumber(guard, 0, L"%d", 1);
  EXPECT_EQ(guard[0], L'a') << "size 0 writes nothing";
  bv::FormatOneNumber(guard, 1, L"%d", 1);
  EXPECT_EQ(guard[0], L'\0');
  EXPECT_EQ(guard[1], L'b') << "nothing past the buffer";

  bv::CopyBounded(out, 8, longText.c_str());
  EXPECT_EQ(std::wstring(out), std::wstring(7, L'x'));
  bv::CopyBounded(out, 8, nullptr);
  EXPECT_STREQ(out, L"");
}

}  // namespace
