#include "engine/objects/zone_table.h"

bool BvZoneTable::Add(int id, int x, int y, int width, int height) {
  if (m_Count >= kCapacity) return false;
  BvZone& zone = m_Zones[m_Count++];
  zone.x = static_cast<int16_t>(x);
  zone.y = static_cast<int16_t>(y);
  zone.width = static_cast<int16_t>(width);
  zone.height = static_cast<int16_t>(height);
  zone.id = id;
  return true;
}

int BvZoneTable::FindAt(int x, int y) const {
  const int16_t px = static_cast<int16_t>(x);
  const int16_t py = static_cast<int16_t>(y);
  for (int i = m_Count - 1; i >= 0; --i) {
    const BvZone& zone = m_Zones[i];
    const int16_t right = static_cast<int16_t>(zone.x + zone.width);
    const int16_t bottom = static_cast<int16_t>(zone.y + zone.height);
    if (px >= zone.x && px <= right && py >= zone.y && py <= bottom) return zone.id;
  }
  return -1;
}
