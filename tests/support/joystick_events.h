#pragma once
// Recorded joystick events in the Linux joystick API's 8-byte layout, written
// to a file that a JoystickReader can read like the device. (The kernel
// header is not used here: its KEY_ macros clash with Irrlicht's key codes.)
#include <cstdint>
#include <string>
#include <vector>

namespace bv {
namespace test {

struct JsEvent {
  uint32_t timeMs = 0;
  int16_t value = 0;
  uint8_t type = 0;
  uint8_t number = 0;
};
static_assert(sizeof(JsEvent) == 8, "the joystick API's event is 8 bytes");

constexpr uint8_t kJsButton = 0x01;
constexpr uint8_t kJsAxis = 0x02;
// Marks the state events sent when the device is opened.
constexpr uint8_t kJsInit = 0x80;

inline JsEvent JsAxis(uint8_t number, int16_t value, uint8_t flags = 0) {
  return JsEvent{0, value, static_cast<uint8_t>(kJsAxis | flags), number};
}
inline JsEvent JsButton(uint8_t number, bool down) {
  return JsEvent{0, static_cast<int16_t>(down ? 1 : 0), kJsButton, number};
}

// Writes the events (then extraBytes zero bytes) to a new file in a fresh
// temporary folder and returns its path.
std::string WriteJoystickEvents(const std::vector<JsEvent>& events, size_t extraBytes = 0);

}  // namespace test
}  // namespace bv
