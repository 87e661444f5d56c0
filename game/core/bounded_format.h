#pragma once
// Formatting of texts that come from the language file, which the program
// cannot trust: the output is bounded and nothing in the text is taken as
// an instruction except one "%d".
#include <cstddef>

namespace bv {

// Copies format into out (size wide characters, terminator included),
// writing value in decimal in place of the first "%d". Every other
// character, any other '%' included, is copied as it stands. Text beyond
// size - 1 characters is cut off; out is always terminated (unless size
// is 0, when nothing is written). A null format gives an empty text.
void FormatOneNumber(wchar_t* out, size_t size, const wchar_t* format, int value);

// Copies at most size - 1 characters of text and a terminator.
void CopyBounded(wchar_t* out, size_t size, const wchar_t* text);

}  // namespace bv
