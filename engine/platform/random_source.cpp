#include "engine/platform/random_source.h"

#include <cstdlib>
#include <ctime>

namespace bv {
namespace {

bool ReadEnvNumber(const char* name, long long* value) {
  const char* text = std::getenv(name);
  if (text == nullptr || text[0] == '\0') return false;
  char* end = nullptr;
  long long v = std::strtoll(text, &end, 10);
  if (end == text) return false;
  *value = v;
  return true;
}

// Linear congruential generator with the well-known 15-bit output.
class SystemRandomSource : public RandomSource {
 public:
  SystemRandomSource() {
    long long seed = 1;
    fixedSeed_ = ReadEnvNumber("QUORVEL_SEED", &seed);
    state_ = static_cast<uint32_t>(seed);
    long long t = 0;
    fixedTime_ = ReadEnvNumber("QUORVEL_TIME", &t);
    time_ = t;
  }
  void Seed(uint32_t seed) override {
    if (!fixedSeed_) state_ = seed;
  }
  int Next() override {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }
  int64_t WallClockSeconds() override {
    return fixedTime_ ? time_ : static_cast<int64_t>(std::time(nullptr));
  }

 private:
  uint32_t state_ = 1;
  bool fixedSeed_ = false;
  bool fixedTime_ = false;
  int64_t time_ = 0;
};

RandomSource* g_override = nullptr;

}  // namespace

RandomSource& Random() {
  static SystemRandomSource system;
  return g_override != nullptr ? *g_override : system;
}

void SetRandomSource(RandomSource* source) { g_override = source; }

}  // namespace bv
