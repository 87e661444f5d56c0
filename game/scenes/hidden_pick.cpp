#include "game/scenes/hidden_pick.h"

#include <algorithm>
#include <numeric>

#include "engine/platform/random_source.h"

std::vector<int> PickObjectIndices(int candidateCount, int wanted) {
  std::vector<int> left(std::max(0, candidateCount));
  std::iota(left.begin(), left.end(), 0);
  std::vector<int> picked;
  const int count = std::min(int(left.size()), std::max(0, wanted));
  for (int i = 0; i < count; ++i) {
    const unsigned r = unsigned(bv::Rand()) % unsigned(left.size());
    picked.push_back(left[r]);
    left[r] = left.back();
    left.pop_back();
  }
  return picked;
}
