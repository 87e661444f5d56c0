#pragma once
// Joystick 0 through the Linux joystick device (/dev/input/js0), read without
// blocking. Axes are given in the range 0..65535 with 32768 at rest.
#include <cstdint>
#include <string>

namespace bv {

struct JoystickSample {
  // Axis 0 and axis 1, 0..65535 (left/up at 0).
  uint16_t x = 32768;
  uint16_t y = 32768;
  // Bit n set while button n is held (buttons 0..31).
  uint32_t buttons = 0;
};

class JoystickReader {
 public:
  // Default device path of joystick 0.
  static constexpr const char* kDefaultPath = "/dev/input/js0";

  explicit JoystickReader(std::string path = kDefaultPath);
  ~JoystickReader();
  JoystickReader(const JoystickReader&) = delete;
  JoystickReader& operator=(const JoystickReader&) = delete;

  // Takes in every event waiting on the device and gives the resulting state.
  // False when there is no joystick (not present, unplugged, read error); a
  // missing device is looked for again only every kReopenInterval calls.
  bool Read(JoystickSample* sample);

  static constexpr int kReopenInterval = 100;

 private:
  bool Open();
  void Close();

  std::string path_;
  int fd_ = -1;
  int callsUntilReopen_ = 0;
  JoystickSample state_;
};

}  // namespace bv
