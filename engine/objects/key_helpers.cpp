#include "engine/objects/key_helpers.h"

#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

struct KeyCharacters {
  int keyCode;
  char plain;
  char shifted;  // 0 when the shifted key types nothing else
};

// The US layout's keys other than letters (main-row digits carry their
// shifted symbols).
constexpr KeyCharacters kUsKeys[] = {
    {0x08, '\b', 0},   {0x09, '\t', 0},   {0x0D, '\r', 0},   {0x1B, 0x1B, 0},
    {0x20, ' ', 0},    {0x30, '0', ')'},  {0x31, '1', '!'},  {0x32, '2', '@'},
    {0x33, '3', '#'},  {0x34, '4', '$'},  {0x35, '5', '%'},  {0x36, '6', '^'},
    {0x37, '7', '&'},  {0x38, '8', '*'},  {0x39, '9', '('},  {0x60, '0', 0},
    {0x61, '1', 0},    {0x62, '2', 0},    {0x63, '3', 0},    {0x64, '4', 0},
    {0x65, '5', 0},    {0x66, '6', 0},    {0x67, '7', 0},    {0x68, '8', 0},
    {0x69, '9', 0},    {0x6A, '*', 0},    {0x6B, '+', 0},    {0x6D, '-', 0},
    {0x6E, '.', 0},    {0x6F, '/', 0},    {0xBA, ';', ':'},  {0xBB, '=', '+'},
    {0xBC, ',', '<'},  {0xBD, '-', '_'},  {0xBE, '.', '>'},  {0xBF, '/', '?'},
    {0xC0, '`', '~'},  {0xDB, '[', '{'},  {0xDC, '\\', '|'}, {0xDD, ']', '}'},
    {0xDE, '\'', '"'}, {0xE2, '\\', '|'},
};

constexpr int kKeyA = 0x41;
constexpr int kKeyZ = 0x5A;

// The key typing the character: letters either case, then the table's
// main-keyboard keys (every keypad character is on them too). -1 when none.
int KeyCodeForChar(char character) {
  if (character >= 'a' && character <= 'z') return kKeyA + (character - 'a');
  if (character >= 'A' && character <= 'Z') return kKeyA + (character - 'A');
  for (const KeyCharacters& key : kUsKeys) {
    if (key.keyCode >= 0x60 && key.keyCode <= 0x6F) continue;
    if (key.plain == character || (key.shifted != 0 && key.shifted == character)) return key.keyCode;
  }
  return -1;
}

}  // namespace

char VirtualKeyToChar(int keyCode) {
  const int key = keyCode & 0xFFFF;
  if (key >= kKeyA && key <= kKeyZ) return static_cast<char>(key);
  for (const KeyCharacters& entry : kUsKeys) {
    if (entry.keyCode == key) return entry.plain;
  }
  return 0;
}

bool IsCharKeyDown(char character) {
  if (g_System == nullptr) return false;
  const int key = KeyCodeForChar(character);
  if (key < 0 || key >= bv::kKeyCount) return false;
  return g_System->keyDown[key] != 0;
}

irr::core::vector3df ScreenToPhysics(float x, float y) {
  // Fixed scale (pixels to world units) and offsets of that world space.
  const float scale = 5.2f * 2.9f;
  return irr::core::vector3df((x * scale - 4750.0f) * 0.01f, (3500.0f - y * scale) * 0.01f, 0.0f);
}
