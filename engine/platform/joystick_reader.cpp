#include "engine/platform/joystick_reader.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace bv {
namespace {

// The device reports axes as -32767..32767.
uint16_t AxisToUnsigned(int16_t value) { return static_cast<uint16_t>(value + 32768); }

}  // namespace

JoystickReader::JoystickReader(std::string path) : path_(std::move(path)) {}

JoystickReader::~JoystickReader() { Close(); }

bool JoystickReader::Open() {
  if (callsUntilReopen_ > 0) {
    --callsUntilReopen_;
    return false;
  }
  fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd_ < 0) {
    callsUntilReopen_ = kReopenInterval - 1;
    return false;
  }
  state_ = JoystickSample();
  return true;
}

void JoystickReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool JoystickReader::Read(JoystickSample* sample) {
  *sample = JoystickSample();
  if (fd_ < 0 && !Open()) return false;
  js_event event;
  for (;;) {
    ssize_t got = ::read(fd_, &event, sizeof event);
    if (got == static_cast<ssize_t>(sizeof event)) {
      // The initial-state flag only marks events sent on opening.
      unsigned type = event.type & ~JS_EVENT_INIT;
      if (type == JS_EVENT_AXIS) {
        if (event.number == 0) state_.x = AxisToUnsigned(event.value);
        if (event.number == 1) state_.y = AxisToUnsigned(event.value);
      } else if (type == JS_EVENT_BUTTON && event.number < 32) {
        uint32_t bit = 1u << event.number;
        state_.buttons = event.value != 0 ? (state_.buttons | bit) : (state_.buttons & ~bit);
      }
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    // No more events waiting: the state is current. A plain file also ends
    // here (read gives 0), which is how tests feed recorded events.
    if ((got < 0 && errno == EAGAIN) || got == 0) break;
    Close();
    return false;
  }
  *sample = state_;
  return true;
}

}  // namespace bv
