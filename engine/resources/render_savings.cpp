#include "engine/resources/render_savings.h"

#include <cstdlib>
#include <cstring>

namespace bv {
namespace {

bool FromEnvironment() {
  const char* text = std::getenv("QUORVEL_RENDER_SAVINGS");
  return !(text && std::strcmp(text, "0") == 0);
}

bool& Savings() {
  static bool on = FromEnvironment();
  return on;
}

}  // namespace

bool RenderSavingsOn() { return Savings(); }

void SetRenderSavings(bool on) { Savings() = on; }

}  // namespace bv
