#include "engine/objects/zone_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoneTable, FindsTheNewestZoneContainingThePointEdgesIncluded) {
  BvZoneTable table;
  EXPECT_EQ(table.FindAt(0, 0), -1) << "empty table";
  ASSERT_TRUE(table.Add(1, 10, 20, 100, 50));  // A: x 10..110, y 20..70
  ASSERT_TRUE(table.Add(2, 60, 40, 100, 100));  // B: x 60..160, y 40..140
  struct Case {
    int x, y, id;
  };
  const Case cases[] = {
      {80, 50, 2},   // both: the newer one
      {20, 30, 1},   {10, 20, 1},   {110, 70, 2},  {110, 30, 1},  // edges are inside
      {9, 30, -1},   {111, 30, -1}, {30, 71, -1},  {160, 140, 2}, {161, 140, -1},
      // Arguments are taken as 16-bit values: 65536 + 20 is 20.
      {65536 + 20, 30, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(table.FindAt(c.x, c.y), c.id) << c.x << "," << c.y;
  table.Clear();
  EXPECT_EQ(table.FindAt(80, 50), -1);
}

TEST(ZoneTable, RefusesZonesBeyondItsCapacity) {
  BvZoneTable table;
  for (int i = 0; i < BvZoneTable::kCapacity; ++i) ASSERT_TRUE(table.Add(i, i, 0, 0, 0));
  EXPECT_FALSE(table.Add(999, 0, 0, 1000, 1000));
  EXPECT_EQ(table.GetCount(), BvZoneTable::kCapacity);
  EXPECT_EQ(table.FindAt(5, 0), 5);
}

}  // namespace
