#pragma once
// What the benchmarks share: CPU time readings and the mean and 99th
// percentile of per-frame samples.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace bench {

// CPU time of the clock's subject (the process by default) in milliseconds.
inline double CpuMs(clockid_t which = CLOCK_PROCESS_CPUTIME_ID) {
  timespec ts{};
  clock_gettime(which, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
}

struct Stats {
  double mean = 0.0;
  double p99 = 0.0;
};

inline Stats Summarise(std::vector<double> samples) {
  Stats s;
  if (samples.empty()) return s;
  double sum = 0.0;
  for (double v : samples) sum += v;
  s.mean = sum / double(samples.size());
  std::sort(samples.begin(), samples.end());
  const size_t index = size_t(std::ceil(0.99 * double(samples.size()))) - 1;
  s.p99 = samples[std::min(index, samples.size() - 1)];
  return s;
}

}  // namespace bench
