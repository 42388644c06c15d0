#pragma once
// The whole world in memory: the seven lists, owned by one object.
#include <filesystem>
#include <map>
#include <string>

#include "common/reporter.h"
#include "model/filenotes.h"
#include "model/filestamps.h"
#include "model/mobs.h"
#include "model/objs.h"
#include "model/rooms.h"
#include "model/shops.h"
#include "model/treesink.h"
#include "model/triggers.h"
#include "model/zones.h"

namespace zm {

class Dictionaries;

class World {
 public:
  explicit World(Reporter& reporter, TreeSink* sink = nullptr, const Dictionaries* bases = nullptr);
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  Reporter& reporter() const { return m_reporter; }
  TreeSink* sink() const { return m_sink; }
  void AttachSink(TreeSink* sink);
  // Dictionaries give some readers their texts (shop buy types); may be null.
  const Dictionaries* bases() const { return m_bases; }
  void SetBases(const Dictionaries* bases) { m_bases = bases; }

  // The zone record of number n; a bare zone (no zone file, no tree node) is
  // made when there is none.
  TZone& ZoneOrBare(int32_t n);
  // Marks a zone read from its zone file: its map record, its tree nodes and
  // its ZoneNames line.
  void RegisterZone(TZone& z);
  // ZoneNames and the tree follow a registered zone's number and name.
  void ZoneRenamed(TZone& z, int32_t oldNumber);

  // Calls f(list) with the list of `kind`'s records; false for the zone
  // maps, which have no such list. The one place that picks a list by kind.
  template <typename F>
  bool ForKind(RecordKind kind, F&& f) {
    return Dispatch(*this, kind, f);
  }
  template <typename F>
  bool ForKind(RecordKind kind, F&& f) const {
    return Dispatch(*this, kind, f);
  }
  // Calls f(record) with `rec` as its own type.
  template <typename F>
  void ForRecord(TMUDClass& rec, F&& f) {
    ForKind(rec.Kind, [&](auto& list) { f(list, static_cast<RecordOf<decltype(list)>&>(rec)); });
  }
  template <typename F>
  void ForRecord(const TMUDClass& rec, F&& f) const {
    ForKind(rec.Kind,
            [&](const auto& list) { f(list, static_cast<const RecordOf<decltype(list)>&>(rec)); });
  }

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
  // Files read from elsewhere instead of the world's own (a crashed editor's
  // journalled copies), by their path below WorldPath ("WLD/30.wld").
  std::map<std::string, std::filesystem::path> ReadInstead;
  // The copy to read instead of `path`, or null.
  const std::filesystem::path* CopyOf(const std::filesystem::path& path) const;
  // What each file was on disk when last read or written here.
  FileStamps Stamps;

 private:
  template <typename List>
  using RecordOf = std::remove_pointer_t<decltype(std::declval<List&>().Items(0))>;

  template <typename Self, typename F>
  static bool Dispatch(Self& w, RecordKind kind, F& f) {
    switch (kind) {
      case kZone:
        f(w.Zones);
        return true;
      case kRoom:
        f(w.Rooms);
        return true;
      case kObject:
        f(w.Objs);
        return true;
      case kMobile:
        f(w.Mobs);
        return true;
      case kShop:
        f(w.Shops);
        return true;
      case kTrigger:
        f(w.Triggers);
        return true;
      case kZoneMap:
        break;
    }
    return false;
  }

  Reporter& m_reporter;
  TreeSink* m_sink;
  const Dictionaries* m_bases;
};

}  // namespace zm
