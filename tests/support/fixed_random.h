#pragma once
// A random source for tests: the classic 15-bit generator from a chosen
// seed (reseeding honoured) and a wall clock that moves only when told.
#include <cstdint>
#include <deque>
#include <vector>

#include "engine/platform/random_source.h"

namespace bv {
namespace test {

class FixedRandom : public RandomSource {
 public:
  explicit FixedRandom(uint32_t seed = 1, int64_t clock = 1000) : now(clock), m_State(seed) {}
  void Seed(uint32_t seed) override {
    if (!keepSeed) m_State = seed;
  }
  int Next() override {
    m_State = m_State * 214013u + 2531011u;
    return static_cast<int>((m_State >> 16) & 0x7FFF);
  }
  int64_t WallClockSeconds() override { return now; }

  // Seeding by the code under test is ignored (the seed given here holds).
  bool keepSeed = true;
  int64_t now;

 private:
  uint32_t m_State;
};

// A random source that returns the values it is given, in order, then 0;
// seeding changes nothing.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<int> values = {}) : m_Values(values.begin(), values.end()) {}
  void Seed(uint32_t) override {}
  int Next() override {
    ++drawn;
    if (m_Values.empty()) return 0;
    const int value = m_Values.front();
    m_Values.pop_front();
    return value;
  }
  int64_t WallClockSeconds() override { return 1000; }
  void Push(std::vector<int> values) { m_Values.insert(m_Values.end(), values.begin(), values.end()); }

  int drawn = 0;  // values handed out so far

 private:
  std::deque<int> m_Values;
};

// Installs a source for its lifetime.
class ScopedRandom {
 public:
  explicit ScopedRandom(RandomSource* source) { SetRandomSource(source); }
  ~ScopedRandom() { SetRandomSource(nullptr); }
  ScopedRandom(const ScopedRandom&) = delete;
  ScopedRandom& operator=(const ScopedRandom&) = delete;
};

}  // namespace test
}  // namespace bv
