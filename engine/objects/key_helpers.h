#pragma once
// Small keyboard and coordinate helpers. Key codes are Windows virtual-key
// codes (Irrlicht's key codes use the same numbers).
#include <vector3d.h>

// The character of a key on a US keyboard, unshifted: letters in upper case,
// digits (main and keypad), space, backspace, tab, enter ('\r'), escape,
// keypad operators and US punctuation; 0 for a key without a character. The
// key code is taken as a 16-bit value.
char VirtualKeyToChar(int keyCode);

// Whether the key that types the character (on a US keyboard, shifted or
// not) is down in the system object's key state; false without one.
bool IsCharKeyDown(char character);

// Screen pixels to a scaled world space: ((x * 5.2 * 2.9 - 4750) * 0.01,
// (3500 - y * 5.2 * 2.9) * 0.01, 0).
irr::core::vector3df ScreenToPhysics(float x, float y);
