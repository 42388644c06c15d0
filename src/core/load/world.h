#pragma once
// The whole world in memory: the seven lists, owned by one object.
#include <filesystem>

#include "common/reporter.h"
#include "common/treesink.h"
#include "load/filenotes.h"
#include "world/mobs.h"
#include "world/objs.h"
#include "world/rooms.h"
#include "world/shops.h"
#include "world/triggers.h"
#include "world/zones.h"

namespace zm {

class TBasesList;

class World {
 public:
  explicit World(Reporter& reporter, TreeSink* sink = nullptr, const TBasesList* bases = nullptr);
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  Reporter& reporter() const { return m_reporter; }
  TreeSink* sink() const { return m_sink; }
  void AttachSink(TreeSink* sink);
  // Dictionaries give some readers their texts (shop buy types); may be null.
  const TBasesList* bases() const { return m_bases; }
  void SetBases(const TBasesList* bases) { m_bases = bases; }

  // The zone record of number n; a bare zone (no zone file, no tree node) is
  // made when there is none.
  TZone& ZoneOrBare(int32_t n);

  std::filesystem::path WorldPath;
  TZoneList Zones;
  TZoneMapList ZoneMaps;
  TRoomList Rooms;
  TObjList Objs;
  TMobList Mobs;
  TShopList Shops;
  TTriggerList Triggers;
  // What the readers left out of each file, so that saves can ask first.
  FileNotes Files;

 private:
  Reporter& m_reporter;
  TreeSink* m_sink;
  const TBasesList* m_bases;
};

}  // namespace zm
