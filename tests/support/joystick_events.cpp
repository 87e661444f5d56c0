#include "support/joystick_events.h"

#include <cstdio>

#include "support/null_video.h"

namespace bv {
namespace test {

std::string WriteJoystickEvents(const std::vector<JsEvent>& events, size_t extraBytes) {
  std::string path = MakeTempFolder("joystick") + "/js0";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return path;
  if (!events.empty()) std::fwrite(events.data(), sizeof(JsEvent), events.size(), f);
  for (size_t i = 0; i < extraBytes; ++i) std::fputc(0, f);
  std::fclose(f);
  return path;
}

}  // namespace test
}  // namespace bv
