#include "load/saving.h"

#include <algorithm>

#include "common/messages.h"
#include "common/savelines.h"
#include "common/winutf8.h"
#include "io/mapfile.h"
#include "io/recordfile.h"
#include "io/zonefile.h"

namespace zm {
namespace {

int RecordsIn(const World& w, int32_t zone, RecordKind kind) {
  int n = 0;
  if (kind != kZone) w.ForKind(kind, [&](const auto& list) { n = list.CountInZone(zone); });
  return n;
}

}  // namespace

const TFileSetting* FileSettingOf(const TZone& z, RecordKind kind) {
  static constexpr TFileSetting TZone::*kSettings[kRecordKinds] = {
      &TZone::ZoneFilename, &TZone::RoomFilename, &TZone::ZoneMapFilename, &TZone::ObjFilename,
      &TZone::MobFilename,  &TZone::ShopFilename, &TZone::TrigFilename,
  };
  return kind < kRecordKinds ? &(z.*kSettings[kind]) : nullptr;
}

namespace {

SaveResult Write(World& w, int32_t zone, RecordKind kind);

// The file, and for the room file its map: what writing one kind replaces.
void TargetsOf(const World& w, int32_t zone, RecordKind kind,
               std::vector<std::pair<std::filesystem::path, int32_t>>& out) {
  const TZone* z = w.Zones.ByNumber(zone);
  if (!z) return;
  const TFileSetting* setting = FileSettingOf(*z, kind);
  if (setting->Path.empty()) return;
  setting->ForEachPlace([&](const TFilePlace& place, uint16_t) {
    out.push_back({place.Path, zone});
    if (kind == kRoom) out.push_back({RoomMapPath(place.Path), zone});
  });
  // The zone file takes its owners' files along (see Write).
  if (kind == kZone)
    for (const auto& [ownerZone, ownerKind] : z->PendingOwnerFiles)
      TargetsOf(w, ownerZone, ownerKind, out);
}

}  // namespace

std::vector<std::filesystem::path> LossyTargets(const World& w, int32_t zone, RecordKind kind) {
  std::vector<std::pair<std::filesystem::path, int32_t>> targets;
  TargetsOf(w, zone, kind, targets);
  std::vector<std::filesystem::path> lossy;
  for (const auto& [path, owner] : targets)
    if (w.Files.LossyFor(path, owner) && std::find(lossy.begin(), lossy.end(), path) == lossy.end())
      lossy.push_back(path);
  return lossy;
}

namespace {

void AddOnce(std::vector<std::filesystem::path>& list, const std::filesystem::path& p) {
  if (std::find(list.begin(), list.end(), p) == list.end()) list.push_back(p);
}

}  // namespace

std::vector<std::filesystem::path> ChangedTargets(const World& w, int32_t zone, RecordKind kind) {
  std::vector<std::pair<std::filesystem::path, int32_t>> targets;
  TargetsOf(w, zone, kind, targets);
  std::vector<std::filesystem::path> changed;
  for (const auto& [path, owner] : targets)
    if (w.Stamps.Changed(path)) AddOnce(changed, path);
  return changed;
}

bool ConfirmOverwrites(World& w, const std::vector<std::filesystem::path>& changed, SaveResult& r) {
  for (const auto& path : changed) {
    const int answer = w.reporter().AskChoice(ChoiceMsg::ChangedOnDisk, {path.string()});
    if (answer == 0) continue;
    r.ok = false;
    r.changedOnDisk.push_back(path);
    r.reread = answer == 1;
    return false;
  }
  return true;
}

void StampZoneFiles(World& w, const TZone& z) {
  z.ForEachFileSetting([&](RecordKind kind, const TFileSetting& setting) {
    setting.ForEachPlace([&](const TFilePlace& place, uint16_t) {
      // A room file that was read had its map looked for with it.
      if (place.Path.empty() || w.Stamps.Find(place.Path)) return;
      w.Stamps.NoteFromDisk(place.Path);
      if (kind == kRoom) w.Stamps.NoteFromDisk(RoomMapPath(place.Path));
    });
  });
}

namespace {

SaveResult SaveKind(World& w, int32_t zone, RecordKind kind, bool askedAboutDisk) {
  SaveResult r;
  if (!askedAboutDisk && !ConfirmOverwrites(w, ChangedTargets(w, zone, kind), r)) return r;
  // Asked before anything is written, so that a No leaves every file as it was.
  for (const auto& path : LossyTargets(w, zone, kind)) {
    if (w.reporter().AskConfirm(ConfirmMsg::LossySave, {path.string()})) continue;
    r.ok = false;
    r.refused.push_back(path);
    return r;
  }
  r = Write(w, zone, kind);
  // What is on disk now is what memory holds.
  for (const auto& p : r.written) w.Files.Forget(p);
  return r;
}

}  // namespace

SaveResult SaveZoneKind(World& w, int32_t zone, RecordKind kind) {
  return SaveKind(w, zone, kind, false);
}

namespace {

SaveResult Write(World& w, int32_t zone, RecordKind kind) {
  SaveResult r;
  TZone* z = w.Zones.ByNumber(zone);
  if (!z) {
    r.ok = false;
    return r;
  }
  const TFileSetting* fs = FileSettingOf(*z, kind);
  if (kind == kZone) {
    r.ok = SaveZoneFile(w, *z);
    if (r.ok) r.written.push_back(fs->Path);
    // The zone writer does not write T commands back: the triggers they
    // attached live on in their owners' files, which must be written now.
    if (r.ok) {
      auto pending = z->PendingOwnerFiles;
      for (const auto& [ownerZone, ownerKind] : pending) {
        SaveResult o = Write(w, ownerZone, ownerKind);
        r.ok = r.ok && o.ok;
        r.written.insert(r.written.end(), o.written.begin(), o.written.end());
      }
    }
    return r;
  }
  // A bare zone that never had this file has nowhere to write it; that
  // matters only when it has records of the kind.
  if (fs->Path.empty() && RecordsIn(w, zone, kind) == 0) return r;
  r.ok = SaveRecordFile(w, kind, zone);
  if (r.ok) {
    w.Zones.OwnerFileSaved(zone, kind);
    fs->ForEachPlace([&](const TFilePlace& place, uint16_t) {
      r.written.push_back(place.Path);
      std::error_code ec;
      // A map file is written only where a room of its file has a place.
      if (kind == kRoom && std::filesystem::exists(RoomMapPath(place.Path), ec))
        r.written.push_back(RoomMapPath(place.Path));
    });
  }
  return r;
}

}  // namespace

SaveResult SaveWholeZone(World& w, int32_t zone) {
  SaveResult all;
  TZone* z = w.Zones.ByNumber(zone);
  if (!z) {
    all.ok = false;
    return all;
  }
  std::vector<RecordKind> kinds;
  for (RecordKind kind : {kZone, kRoom, kObject, kMobile, kShop, kTrigger}) {
    if (kind == kZone && !z->Registered) {
      ReportSaveFailure(w, ErrorMsg::ZoneSave, zone, {}, W("у зоны нет файла зоны"));
      all.ok = false;
      continue;
    }
    if (kind != kZone) {
      const TFileSetting* fs = FileSettingOf(*z, kind);
      std::error_code ec;
      if (RecordsIn(w, zone, kind) == 0 &&
          (fs->Path.empty() || !std::filesystem::exists(fs->Path, ec)))
        continue;
    }
    kinds.push_back(kind);
  }
  // Every question about changed files comes before the first write: an
  // Отмена leaves the whole zone as it is on disk.
  std::vector<std::filesystem::path> changed;
  for (RecordKind kind : kinds)
    for (const auto& p : ChangedTargets(w, zone, kind)) AddOnce(changed, p);
  if (!ConfirmOverwrites(w, changed, all)) return all;
  for (RecordKind kind : kinds) {
    SaveResult r = SaveKind(w, zone, kind, true);
    all.ok = all.ok && r.ok;
    for (const auto& p : r.written) AddOnce(all.written, p);
    all.refused.insert(all.refused.end(), r.refused.begin(), r.refused.end());
  }
  return all;
}

// Follows Write step by step: a journal of unsaved changes must hold the
// bytes a save would put on disk.
std::vector<PlannedFile> ZoneKindFiles(const World& w, int32_t zone, RecordKind kind) {
  std::vector<PlannedFile> out;
  const TZone* z = w.Zones.ByNumber(zone);
  if (!z) return out;
  const TFileSetting* fs = FileSettingOf(*z, kind);
  std::vector<std::string> lines;
  if (kind == kZone) {
    if (fs->Path.empty()) return out;
    try {
      BuildZoneLines(w, *z, lines);
    } catch (const std::exception&) {
      return out;
    }
    out.push_back({fs->Path, kZone, JoinLines(lines, fs->Word())});
    for (const auto& [ownerZone, ownerKind] : z->PendingOwnerFiles)
      for (PlannedFile& f : ZoneKindFiles(w, ownerZone, ownerKind)) out.push_back(std::move(f));
    return out;
  }
  if (kind == kZoneMap) return out;
  fs->ForEachPlace([&](const TFilePlace& place, uint16_t file) {
    if (place.Path.empty() || BuildRecordLines(w, kind, zone, lines, file)) return;
    out.push_back({place.Path, kind, JoinLines(lines, place.Word())});
    if (kind != kRoom) return;
    if (const std::optional<CodingWord> cw = RoomMapWord(w, zone, place.Path, file)) {
      BuildRoomMapLines(w, zone, lines, file);
      out.push_back({RoomMapPath(place.Path), kZoneMap, JoinLines(lines, *cw)});
    }
  });
  return out;
}

}  // namespace zm
