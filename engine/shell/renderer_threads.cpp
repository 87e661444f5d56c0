#include "engine/shell/renderer_threads.h"

#include <cstdlib>
#include <string>

#include "engine/resources/render_savings.h"

namespace bv {

namespace {
constexpr const char* kThreadsVariable = "LP_NUM_THREADS";
}  // namespace

SoftwareRendererThreads::SoftwareRendererThreads() {
  if (!RenderSavingsOn() || std::getenv(kThreadsVariable)) return;
  m_Set = setenv(kThreadsVariable, std::to_string(kSoftwareRendererThreads).c_str(), 0) == 0;
}

SoftwareRendererThreads::~SoftwareRendererThreads() {
  if (m_Set) unsetenv(kThreadsVariable);
}

}  // namespace bv
