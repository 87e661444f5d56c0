// Typing a player's name: which keys count, the case of letters, the length
// limit and Backspace; and the default name made from a language text.
#include "game/gui/name_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/resources/lang_table.h"
#include "game/gui/new_player_gui.h"

namespace {

constexpr int kBack = BvNameEntry::kKeyBackspace;
constexpr int kSpace = 0x20;
constexpr int kShift = 0x10;
constexpr int kSemicolon = 0xBA;
constexpr int kNumpad7 = 0x67;

std::vector<int> Letters(const char* text) {
  std::vector<int> keys;
  for (; *text; ++text) keys.push_back(*text == ' ' ? kSpace : int(*text));
  return keys;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(NameEntryTest, KeySequencesGiveTheirNames) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    const char* name;
  };
  const Case cases[] = {
      {"first letter upper, later ones lower", Letters("BOB 7"), "Bob 7"},
      {"a letter after a space is lower case too", Letters("ANN LEE"), "Ann lee"},
      {"a digit first, then letters", Letters("7UP"), "7up"},
      {"the sixteenth character is ignored", Letters("ABCDEFGHIJKLMNOP"), "Abcdefghijklmno"},
      {"Backspace on an empty name does nothing", Join({kBack, kBack}, Letters("AL")), "Al"},
      {"Backspace removes the last character", Join(Letters("AXE"), {kBack, kBack}), "A"},
      {"room again after Backspace at the limit",
       Join(Join(Letters("ABCDEFGHIJKLMNO"), {kBack}), Letters("Z")), "Abcdefghijklmnz"},
      {"Shift, punctuation and no key are ignored", {kShift, 'C', kSemicolon, -1, 'Y'}, "Cy"},
      {"numeric keypad digits", {'R', kNumpad7}, "R7"},
  };
  for (const Case& c : cases) {
    BvNameEntry entry;
    for (int key : c.keys) entry.TypeKey(key);
    EXPECT_STREQ(entry.GetText(), c.name) << c.what;
    EXPECT_EQ(entry.GetLength(), int(std::string(c.name).size())) << c.what;
  }
}

TEST(NameEntryTest, TypeKeyReportsOnlyChanges) {
  BvNameEntry entry;
  EXPECT_FALSE(entry.TypeKey(kBack));
  EXPECT_FALSE(entry.TypeKey(kSemicolon));
  EXPECT_TRUE(entry.TypeKey('Q'));
  EXPECT_TRUE(entry.TypeKey(kBack));
  EXPECT_TRUE(entry.IsEmpty());
}

// The language file is not trusted: only one number is filled in, other
// conversions stay as they are, and the name keeps at most 15 characters.
TEST(NameEntryTest, DefaultNameFormatsTheLanguageTextSafely) {
  struct Case {
    const char* text;
    const char* name;
  };
  const Case cases[] = {
      {"Player %d", "Player 1"},
      {"%s%n%x %d", "%s%n%x 1"},
      {"A very long player name %d", "A very long pla"},
      {"Joueur n\xb0%d", "Joueur n\xb0" "1"},
  };
  for (const Case& c : cases) {
    g_LangTable.Clear();
    auto* lang = new BvLang("playern");
    lang->SetText(c.text);
    g_LangTable.AddObject(lang);
    EXPECT_EQ(DefaultPlayerName(1), c.name) << c.text;
  }
  g_LangTable.Clear();
  EXPECT_EQ(DefaultPlayerName(1), "undefined") << "a missing text";
}

}  // namespace
