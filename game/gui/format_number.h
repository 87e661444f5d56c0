#pragma once
// Digits of a whole number for the dialogs' texts.
#include <string>

// Longest text FormatNumber writes (its work area holds one more place).
constexpr int kFormatNumberMaxWidth = 30;

// out = value in the given base (2..16, digits "0123456789abcdef"), at most
// width places: at least one digit, further digits while any are left and
// places remain, a negative value's "-" in front when a place remains. A
// width above 30 shows "itoa buffer overflow" ("Alert"); that, a width below
// 1 or a base outside 2..16 leaves out empty and returns false.
bool FormatNumber(std::string& out, int value, int base, int width);
