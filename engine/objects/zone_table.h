#pragma once
// A table of rectangular zones, looked up by point (newest zone first).
#include <cstdint>

struct BvZone {
  int16_t x = 0;  // left, pixels
  int16_t y = 0;  // top, pixels
  int16_t width = 0;
  int16_t height = 0;
  int32_t id = 0;
};

class BvZoneTable {
 public:
  static constexpr int kCapacity = 500;

  BvZoneTable() = default;
  virtual ~BvZoneTable() = default;

  // Stores the zone after the others; false (nothing stored) when full.
  bool Add(int id, int x, int y, int width, int height);
  void Clear() { m_Count = 0; }
  int GetCount() const { return m_Count; }
  // The id of the most recently added zone containing the point, edges
  // included (16-bit arithmetic throughout); -1 when none does.
  int FindAt(int x, int y) const;

 private:
  int32_t m_Count = 0;
  BvZone m_Zones[kCapacity];
};
