#include "model/world.h"

namespace zm {

World::World(Reporter& reporter, TreeSink* sink, const Dictionaries* bases)
    : Shops(*this), m_reporter(reporter), m_sink(nullptr), m_bases(bases) {
  AttachSink(sink);
}

void World::AttachSink(TreeSink* sink) {
  m_sink = sink;
  Rooms.SetSink(sink);
  Objs.SetSink(sink);
  Mobs.SetSink(sink);
  Shops.SetSink(sink);
  Triggers.SetSink(sink);
}

const std::filesystem::path* World::CopyOf(const std::filesystem::path& path) const {
  if (ReadInstead.empty() || WorldPath.empty()) return nullptr;
  const auto it = ReadInstead.find(path.lexically_relative(WorldPath).generic_string());
  return it == ReadInstead.end() ? nullptr : &it->second;
}

TZone& World::ZoneOrBare(int32_t n) {
  if (TZone* z = Zones.ByNumber(n)) return *z;
  return *Zones.Append(std::make_unique<TZone>(n));
}

void World::RegisterZone(TZone& z) {
  z.Registered = true;
  TZoneMap* map = ZoneMaps.AddForZone(z.Vnum);
  if (m_sink) m_sink->AddZoneNodes(z, z.DisplayText(), *map);
  Zones.SetZoneName(z.Vnum, z.DisplayText());
}

void World::ZoneRenamed(TZone& z, int32_t oldNumber) {
  if (!z.Registered) return;
  if (oldNumber != z.Vnum) Zones.RemoveZoneName(oldNumber);
  Zones.SetZoneName(z.Vnum, z.DisplayText());
  if (m_sink) m_sink->SetCaption(z, z.DisplayText());
}

}  // namespace zm
