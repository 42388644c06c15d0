#pragma once
// Zones: the unit in which the world is divided, loaded, checked and saved.
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/coding.h"
#include "model/records.h"

namespace zm {

class World;

struct TFilePlace {
  std::filesystem::path Path;
  uint8_t Coding = kCodingUnknown;  // 0 AutoDetect, 1 Windows, 2 KOI-8
  uint8_t LineBreak = kBreakCRLF;   // 0 LF, 1 CRLF
  CodingWord Word() const { return {Coding, LineBreak}; }
  void SetWord(CodingWord w) {
    Coding = w.Coding;
    LineBreak = w.LineBreak;
  }
  bool operator==(const TFilePlace&) const = default;
};

struct TFileSetting : TFilePlace {
  // Further files that held records of this kind of the zone (WLD/mines.wld
  // beside WLD/32.wld): each is written back with the records read from it.
  std::vector<TFilePlace> Others;
  // Its own file (index 0), then each further one (index i), as records'
  // FileIndex names them.
  template <typename F>
  void ForEachPlace(F&& f) const {
    f(static_cast<const TFilePlace&>(*this), uint16_t{0});
    for (size_t i = 0; i < Others.size(); ++i) f(Others[i], static_cast<uint16_t>(i + 1));
  }
  bool operator==(const TFileSetting&) const = default;
};

class TZone : public TMUDClass {
 public:
  explicit TZone(int32_t number = 0) : TMUDClass(kZone, number, number) {}

  // Header and lists back to a fresh zone's; the file settings stay.
  void Clear();

  std::string Name = "-";
  int32_t ResetMode = 0;
  int32_t ResetTime = 0;
  TLinkObjList CreatedObjects;
  TCondItemList RemovedMobs;
  TFileSetting ZoneFilename, RoomFilename, ZoneMapFilename, ObjFilename, MobFilename, ShopFilename,
      TrigFilename;

  // What a running game's zone file has beyond the designed layout, kept as
  // written; empty in zones made in the editor. HeaderLines stand between
  // the name and the numbers line (the "#" type line, "^" author and "&"
  // description texts); NumbersTail is the numbers line after ResetMode,
  // its leading blank included ("4099 30 2 0 * " keeps " 0 * ").
  std::vector<std::string> HeaderLines;
  std::string NumbersTail;
  // The numbers line's top vnum where it is not the zone's own (N*100+99),
  // written back as it was: a save does not change the range the game gives
  // the zone.
  std::string TopInFile;
  // Command lines the writer cannot regenerate that came before any other
  // command, or that need one before them (see TKeptLines in rooms.h);
  // written first in the section.
  std::vector<std::string> KeptCommands;
  // Those that followed the zone-wide O (no room) and Q commands: written
  // after them.
  std::vector<std::string> KeptAfterZoneWide;
  // Files of the zone under its number before a renumbering: removed once
  // the files under the new number are saved.
  std::vector<std::filesystem::path> FilesToRemove;

  // Set by the header pass or the new-zone command; a bare zone made by a
  // reader for records without a zone file is not registered.
  bool Registered = false;

  // Command lines of the section that the last command pass took in or
  // kept as written.
  int CommandsRead = 0;
  // Lines of the zone file that the last command pass lost (cut off by a
  // read failure, or left after the end of the section): writing the file
  // back loses them, so it must not be overwritten without asking. A save to
  // the zone's own file clears both.
  int DroppedCommands = 0;
  int FirstDroppedLine = 0;
  // Files (owner zone, kRoom/kObject/kMobile) whose records got triggers from
  // this zone's T commands. The zone writer writes no T lines, so once the
  // zone file is saved those attachments live only in memory until the
  // owner files are written too; TZoneList::OwnerFileSaved forgets them.
  std::set<std::pair<int32_t, RecordKind>> PendingOwnerFiles;

  std::string DisplayText() const { return NodeCaption(Vnum, Name); }
  // `f(kind, setting)` for each kind's file setting, the map's included.
  template <typename F>
  void ForEachFileSetting(F&& f) {
    EachSetting(*this, f);
  }
  template <typename F>
  void ForEachFileSetting(F&& f) const {
    EachSetting(*this, f);
  }
  bool operator==(const TZone&) const = default;

 private:
  template <typename Self, typename F>
  static void EachSetting(Self& z, F& f) {
    f(kZone, z.ZoneFilename);
    f(kRoom, z.RoomFilename);
    f(kZoneMap, z.ZoneMapFilename);
    f(kObject, z.ObjFilename);
    f(kMobile, z.MobFilename);
    f(kShop, z.ShopFilename);
    f(kTrigger, z.TrigFilename);
  }
};

class TZoneMap : public TMUDClass {
 public:
  explicit TZoneMap(int32_t number = 0) : TMUDClass(kZoneMap, number, number) {}
};

class TZoneList : public TMUDList<TZone> {
 public:
  TZoneList();
  int FindByNumber(int32_t n) const { return IndexOfVnum(n); }
  TZone* ByNumber(int32_t n) const { return Find(n); }
  std::string NameOfRecord(const TZone& z) const override { return z.Name; }

  // "0=Все зоны" and one "N=[N] name" line per registered zone, by number.
  std::vector<std::string> ZoneNames() const;
  std::string ZoneNameOf(int32_t n) const;
  void SetZoneName(int32_t n, const std::string& displayText) { m_names[n] = displayText; }
  void RemoveZoneName(int32_t n) { m_names.erase(n); }
  // The owner file (zone, kind) has been written: no zone waits for it now.
  void OwnerFileSaved(int32_t zone, RecordKind kind);

 private:
  std::map<int32_t, std::string> m_names;
};

class TZoneMapList {
 public:
  int Count() const { return static_cast<int>(m_items.size()); }
  TZoneMap* Items(int i) const {
    return i >= 0 && i < Count() ? m_items[static_cast<size_t>(i)].get() : nullptr;
  }
  int FindByNumber(int32_t n) const;
  TZoneMap* AddForZone(int32_t n);
  void Delete(int i) {
    if (i >= 0 && i < Count()) m_items.erase(m_items.begin() + i);
  }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

 private:
  std::vector<std::unique_ptr<TZoneMap>> m_items;
};

}  // namespace zm
