#include "engine/shell/frame_pacer.h"

#include <algorithm>

namespace bv {

void FramePacer::BeginFrame(int64_t now, int64_t frameTicks, int64_t lateTicks) {
  if (!m_Started || now - m_Deadline > lateTicks) {
    m_Started = true;
    m_FrameStart = now;
    m_Deadline = now + frameTicks;
    return;
  }
  m_Deadline += frameTicks;
}

int64_t FramePacer::WakeTime(int64_t now, int64_t minimumSleep) const {
  return std::max(m_Deadline, now + minimumSleep);
}

int64_t FramePacer::EndFrame(int64_t now) {
  const int64_t duration = now - m_FrameStart;
  m_FrameStart = now;
  return duration;
}

}  // namespace bv
