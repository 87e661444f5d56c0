#include "engine/resources/text_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// Formats that a language file could hold, good and hostile: only the
// placeholders the caller passes arguments for are filled, the rest stays
// as written, and nothing is read beyond the arguments.
TEST(TextFormat, FillsOnlyExpectedPlaceholders) {
  struct Case {
    const wchar_t* pattern;
    std::wstring want;
  };
  // One integer (the score) or two (world, level), as the board screen asks.
  const Case score[] = {
      {L"Score: %d", L"Score: 1234"},
      {L"%d points %d", L"1234 points %d"},       // second has no argument
      {L"%s", L"%s"},                             // wrong kind: as written
      {L"%n%x%p%ls%5d%-d%", L"%n%x%p%ls%5d%-d%"}, // no other conversion
      {L"100%%d %d", L"100%%d 1234"},             // "%%" is a pair of characters
      {L"%", L"%"},
      {L"", L""},
  };
  for (const Case& c : score)
    EXPECT_EQ(FormatText(c.pattern, {1234}), c.want) << "pattern " << std::wstring(c.pattern);

  EXPECT_EQ(FormatText(L"World %d - Level %d", {2, 5}), L"World 2 - Level 5");
  EXPECT_EQ(FormatText(L"%s, level %d", {"Ann", 3}), L"Ann, level 3");
  EXPECT_EQ(FormatText(L"%d%s", {"Ann", 3}), L"%dAnn") << "a placeholder of the wrong kind waits";
  EXPECT_EQ(FormatText(L"%d", {INT_MIN}), L"-2147483648");
  EXPECT_EQ(FormatText(L"%s", {static_cast<const char*>(nullptr)}), L"");
  EXPECT_EQ(FormatText(L"%s!", {"\xe9t\xe9"}), L"\u00e9t\u00e9!") << "Latin-1 widened";
  EXPECT_EQ(FormatText(nullptr, {1}), L"");
}

// "%0Nd": at least N digits with zeros in front, as a clock is written.
TEST(TextFormat, ZeroPaddedIntegers) {
  struct Case {
    const wchar_t* pattern;
    int value;
    std::wstring want;
  };
  const Case cases[] = {
      {L"%02d", 7, L"07"},
      {L"%02d", 45, L"45"},
      {L"%02d", 123, L"123"},        // never cut
      {L"%03d", -5, L"-005"},        // zeros after the sign
      {L"%01d", 0, L"0"},
      {L"%00d", 7, L"%00d"},         // width 0: not a placeholder
      {L"%010d", 7, L"%010d"},       // two width digits: not a placeholder
      {L"%0", 7, L"%0"},             // cut short at the end
      {L"%02", 7, L"%02"},
      {L"%02s", 7, L"%02s"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatText(c.pattern, {c.value}), c.want) << "pattern " << std::wstring(c.pattern);
  EXPECT_EQ(FormatText(L"%d:%02d:%02d", {1, 2, 5}), L"1:02:05");
  EXPECT_EQ(FormatText(L"%02d%s", {"Ann"}), L"%02dAnn") << "a text waits for its %s";
}

TEST(TextFormat, ResultIsBounded) {
  const std::wstring longPattern(500, L'x');
  EXPECT_EQ(FormatText(longPattern.c_str(), {}).size(), kFormattedTextMax);
  const std::string longName(300, 'a');
  const std::wstring many = FormatText(L"%s%s%s%s", {longName.c_str(), longName.c_str()});
  EXPECT_EQ(many, std::wstring(kFormattedTextMax, L'a'));
  EXPECT_EQ(FormatText(L"%d%d%d", {123456, 7, 8}, 8), L"12345678");
  EXPECT_EQ(FormatText(L"ab%d", {99}, 3), L"ab9") << "cut inside a number";
}

}  // namespace
