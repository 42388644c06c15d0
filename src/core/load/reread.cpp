#include "load/reread.h"

#include "common/winutf8.h"
#include "io/mapfile.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "load/arrange.h"
#include "load/saving.h"

namespace zm {
namespace fs = std::filesystem;

namespace {

template <typename List>
void CopyOthers(const List& from, List& to, int32_t zone) {
  for (const auto& r : from)
    if (r->Zone != zone) to.Append(std::make_unique<std::remove_cvref_t<decltype(*r)>>(*r));
}

template <typename List>
void MoveZone(List& from, List& to, int32_t zone) {
  for (int i = 0; i < from.Count();) {
    if (from.Items(i)->Zone == zone)
      to.Add(from.Extract(i));
    else
      ++i;
  }
}

// Files of the zone that may not be replaced: read in part, or shared.
std::string Unsure(const World& s, const fs::path& path, int32_t zone) {
  const FileNote* n = s.Files.Find(path);
  if (!n) return {};
  if (n->Failed) return FormatMessage(W("файл %s не прочитан до конца"), {path.string()});
  for (int32_t z : n->Zones)
    if (z != zone) return FormatMessage(W("файл %s хранит и записи зоны %d"), {path.string(), z});
  return {};
}

constexpr RecordKind kEntryKinds[] = {kObject, kMobile, kShop, kRoom, kTrigger};

}  // namespace

ZoneOnDisk ReadZoneOnDisk(const World& w, int32_t zone) {
  ZoneOnDisk out;
  auto errors = std::make_unique<FirstErrorReporter>(false);
  FirstErrorReporter& rep = *errors;
  out.Errors = std::move(errors);
  auto refuse = [&](std::string why) {
    out.Refusal = std::move(why);
    return std::move(out);
  };
  const TZone* live = w.Zones.ByNumber(zone);
  if (!live || !live->Registered) return refuse(W("у зоны нет файла зоны"));
  if (!live->FilesToRemove.empty()) return refuse(W("зона перенумерована и не сохранена"));
  for (const auto& other : w.Zones)
    for (const auto& [owner, kind] : other->PendingOwnerFiles)
      if (owner == zone && other->Vnum != zone)
        return refuse(
            FormatMessage(W("команды зоны %d прикрепляют триггеры к её записям"), {other->Vnum}));
  const fs::path path = live->ZoneFilename.Path;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    return refuse(FormatMessage(W("файла %s нет"), {path.string()}));

  out.Scratch = std::make_unique<World>(rep, nullptr, w.bases());
  World& s = *out.Scratch;
  s.WorldPath = w.WorldPath;
  CopyOthers(w.Objs, s.Objs, zone);
  CopyOthers(w.Mobs, s.Mobs, zone);

  auto z = std::make_unique<TZone>(0);
  if (!ReadZoneHeader(s, *z, path)) return refuse(rep.first);
  if (z->Vnum != zone)
    return refuse(FormatMessage(W("файл %s теперь описывает зону %d"), {path.string(), z->Vnum}));
  RegisterZoneFiles(s, *z, path);
  // The files memory knows the zone's records in, in the same order, so
  // that each record is placed in the file it came from as at the load.
  z->ForEachFileSetting(
      [&](RecordKind kind, TFileSetting& setting) { setting = *FileSettingOf(*live, kind); });
  TZone& fresh = *s.Zones.Append(std::move(z));

  for (RecordKind kind : kEntryKinds) {
    std::string why;
    FileSettingOf(*live, kind)->ForEachPlace([&](const TFilePlace& place, uint16_t) {
      std::error_code e;
      if (!why.empty() || place.Path.empty() || !fs::is_regular_file(place.Path, e)) return;
      if (!LoadRecordFile(s, kind, place.Path) && !rep.first.empty()) why = rep.first;
      if (why.empty()) why = Unsure(s, place.Path, zone);
      if (why.empty() && kind == kRoom) why = Unsure(s, RoomMapPath(place.Path), zone);
    });
    if (!why.empty()) return refuse(why);
  }
  MarkDoorsWithoutReset(s);
  ReadZoneCommands(s, fresh, path);
  if (std::string why = Unsure(s, path, zone); !why.empty()) return refuse(why);
  if (!rep.first.empty()) return refuse(rep.first);
  for (const auto& [owner, kind] : fresh.PendingOwnerFiles)
    if (owner != zone)
      return refuse(FormatMessage(W("её команды прикрепляют триггеры к записям зоны %d"), {owner}));
  SettleCommandMaxima(s);
  UnplaceHiddenRooms(s, zone);
  StampZoneFiles(s, fresh);
  return out;
}

void ReplaceZone(World& w, ZoneOnDisk& disk, int32_t zone, const TakeOut& takeOut,
                 std::vector<std::unique_ptr<TMUDClass>>& removed) {
  TZone* z = w.Zones.ByNumber(zone);
  World& s = *disk.Scratch;
  const TZone* fresh = s.Zones.ByNumber(zone);
  if (!z || !fresh) return;
  for (RecordKind kind : kEntryKinds)
    w.ForKind(kind, [&](auto& list) {
      const auto recs = list.InZone(zone);  // a copy: taking out changes it
      for (auto* rec : recs) {
        if (takeOut)
          removed.push_back(takeOut(*rec));
        else
          removed.push_back(list.Extract(list.IndexOf(rec)));
      }
    });
  MoveZone(s.Rooms, w.Rooms, zone);
  MoveZone(s.Objs, w.Objs, zone);
  MoveZone(s.Mobs, w.Mobs, zone);
  MoveZone(s.Shops, w.Shops, zone);
  MoveZone(s.Triggers, w.Triggers, zone);
  *z = *fresh;
  z->Registered = true;
  w.ZoneRenamed(*z, zone);
  for (const auto& [path, note] : s.Files.All()) w.Files.Begin(path) = note;
  for (const auto& [path, stamp] : s.Stamps.All()) w.Stamps.Put(path, stamp);
}

}  // namespace zm
