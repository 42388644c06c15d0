#include "io/recordfile.h"

#include "common/savelines.h"
#include "common/winutf8.h"
#include "common/worldbuffer.h"
#include "io/mapfile.h"
#include "io/recordformat.h"
#include "model/world.h"

namespace zm {
namespace fs = std::filesystem;

bool ReadWorldFile(World& w, const fs::path& path, std::string* bytes, const ReadReport& report,
                   const std::function<bool(WorldBuffer&, FileNote*)>& parse) {
  FileNote* note = report.Noted ? &w.Files.Begin(path) : nullptr;
  WorldBuffer buf;
  try {
    if (bytes) {
      buf.LoadFromBytes(std::move(*bytes));
    } else {
      // Taken before reading: a change during the read shows as a change.
      const FileStamp before = StatFile(path);
      const fs::path* copy = w.CopyOf(path);
      try {
        buf.LoadWorldBuffer(copy ? *copy : path);
      } catch (const FileError&) {
        if (!before.Exists && !copy) w.Stamps.NoteAbsent(path);
        throw;
      }
      if (!copy) {
        w.Stamps.Note(path, buf.Data(), before);
      } else {
        // Restored from a journal: the stamp is still the disk's file.
        WorldBuffer disk;
        try {
          disk.LoadWorldBuffer(path);
          w.Stamps.Note(path, disk.Data(), before);
        } catch (const FileError&) {
          w.Stamps.NoteAbsent(path);
        }
      }
    }
    bool whole = parse(buf, note);
    // What stood after a zero byte in a line was not read.
    for (int i = 0; note && i < buf.CutLines(); ++i) note->Skip(buf.FirstCutLine());
    buf.SetLine(kLineClosed);
    if (note && note->Skipped > 0)
      w.reporter().AddLoadWarning(FormatMessage(ErrorText(ErrorMsg::FileNotWhole),
                                                {path.string(), note->Skipped, note->FirstLine}));
    return whole;
  } catch (const std::exception& e) {
    // ParseError, FileError (with the system's reason), or a file too large
    // to hold.
    if (note) note->Fail(buf.Line());
    std::string where = LineErrorText(buf.Line());
    if (dynamic_cast<const FileError*>(&e)) where += std::string(": ") + e.what();
    FmtArgs args{path.string(), where};
    if (report.InBox)
      w.reporter().ShowError(report.Error, args);
    else
      w.reporter().AddLoadError(FormatMessage(ErrorText(report.Error), args));
    return false;
  }
}

void ReportSaveFailure(World& w, ErrorMsg error, int32_t zone, const fs::path& target,
                       const std::string& reason) {
  w.reporter().ShowError(error,
                         {zone, target.empty() ? W("(нет файла)") : target.string(), reason});
}

bool WriteWorldFile(World& w, ErrorMsg error, int32_t zone, const fs::path& target,
                    std::vector<std::string>& lines, CodingWord word) {
  std::string reason = W("у зоны нет такого файла");
  std::string written;
  if (!target.empty() && SaveLines(target, lines, word, &reason, &written)) {
    w.Stamps.Note(target, written);
    return true;
  }
  ReportSaveFailure(w, error, zone, target, reason);
  return false;
}

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return a == b || fs::equivalent(a, b, ec);
}

// The file keeps its own coding where its letters tell it; where they do
// not, it takes that of its first record's zone. Returns the coding to read
// with.
CodingWord FileCoding(World& w, const RecordFormat& f, WorldBuffer& buf, FileNote& note) {
  CodingWord cw = buf.DetectCoding();
  note.CodingDecided = buf.CodingDecided();
  buf.ResetWorldBuffer();
  while (!note.CodingDecided && !buf.BufferEof()) {
    std::string line = buf.ReadBufferLine();
    if (line.empty() || line[0] != '#') continue;
    int32_t vnum;
    if (!f.RecordVnum(line, vnum)) break;
    if (const TZone* z = w.Zones.ByNumber(ZoneOf(vnum))) {
      const TFileSetting& setting = z->*f.Setting;
      if (setting.Coding != kCodingUnknown) cw.Coding = setting.Coding;
    }
    break;
  }
  buf.ResetWorldBuffer();
  return cw;
}

// Which of the zone's files of the kind `path` is: the zone's own when it
// has none yet, or when its own is not where its name would put it
// (WLD/mines.wld holding zone 32); else one of its other files.
uint16_t PlaceFile(World& w, const RecordFormat& f, int32_t zoneNumber, const fs::path& path,
                   CodingWord cw, const FileNote& note, bool hasBreak) {
  TZone& zone = w.ZoneOrBare(zoneNumber);
  TFileSetting& setting = zone.*f.Setting;
  auto adopt = [&](TFilePlace& place) {
    place.Path = path;
    if (note.CodingDecided || place.Coding == kCodingUnknown) place.Coding = cw.Coding;
    if (hasBreak) place.LineBreak = cw.LineBreak;
  };
  if (setting.Coding == kCodingUnknown) {
    setting.Path = path;
    setting.SetWord(cw);
    if (f.Companion) {
      (zone.*f.Companion).Path = RoomMapPath(path);
      (zone.*f.Companion).SetWord(cw);
    }
    return 0;
  }
  if (SameFile(setting.Path, path)) {
    adopt(setting);
    return 0;
  }
  for (size_t i = 0; i < setting.Others.size(); ++i)
    if (SameFile(setting.Others[i].Path, path)) {
      adopt(setting.Others[i]);
      return static_cast<uint16_t>(i + 1);
    }
  if (std::error_code ec; !fs::exists(setting.Path, ec)) {
    adopt(setting);
    return 0;
  }
  TFilePlace other;
  other.SetWord(cw);
  adopt(other);
  setting.Others.push_back(std::move(other));
  return static_cast<uint16_t>(setting.Others.size());
}

// Every record read from the file is given the file as its place.
void PlaceRecords(World& w, const RecordFormat& f, const fs::path& path, CodingWord cw,
                  const FileNote& note, bool hasBreak) {
  w.ForKind(f.Kind, [&](auto& list) {
    int32_t zone = 0;
    uint16_t index = 0;
    bool placed = false;
    for (const auto& [vnum, line] : note.Records) {
      auto* rec = list.Find(vnum);
      if (!rec) continue;
      if (!placed || rec->Zone != zone) {
        zone = rec->Zone;
        index = PlaceFile(w, f, zone, path, cw, note, hasBreak);
        placed = true;
      }
      rec->FileIndex = index;
    }
  });
}

// `opened` tells whether the file could be read at all.
bool Load(World& w, const RecordFormat& f, const fs::path& path, std::string* bytes,
          bool* opened = nullptr) {
  return ReadWorldFile(w, path, bytes, {f.LoadError}, [&](WorldBuffer& buf, FileNote* note) {
    if (opened) *opened = true;
    const CodingWord cw = FileCoding(w, f, buf, *note);
    const bool hasBreak = buf.Data().find('\n') != std::string_view::npos;
    buf.SetCoding(cw.Coding);
    bool whole = false;
    try {
      whole = f.Read(w, buf, *note, path);
    } catch (...) {
      // The records read before the failure are saved where they came from.
      PlaceRecords(w, f, path, cw, *note, hasBreak);
      throw;
    }
    PlaceRecords(w, f, path, cw, *note, hasBreak);
    buf.FreeWorldBuffer();
    return whole;
  });
}

}  // namespace

bool LoadRecordFile(World& w, RecordKind kind, const fs::path& path) {
  const RecordFormat* f = FormatOf(kind);
  if (!f) return false;
  bool opened = false;
  bool ok = Load(w, *f, path, nullptr, &opened);
  // The rooms read before a failure keep their positions: a save after a
  // failed load would otherwise unplace the whole zone.
  if (f->Companion && opened) ok = LoadRoomMap(w, RoomMapPath(path)) && ok;
  return ok;
}

bool LoadRecordBytes(World& w, RecordKind kind, std::string bytes, const fs::path& path) {
  const RecordFormat* f = FormatOf(kind);
  return f && Load(w, *f, path, &bytes);
}

bool InFile(const TMUDClass& rec, const TFileSetting* setting, std::optional<uint16_t> file) {
  if (!file) return true;
  // An index no file has (a record copied from another zone) means the
  // zone's own file.
  uint16_t at = rec.FileIndex;
  if (!setting || at > setting->Others.size()) at = 0;
  return at == *file;
}

std::optional<int32_t> BuildRecordLines(const World& w, RecordKind kind, int32_t zone,
                                        std::vector<std::string>& lines,
                                        std::optional<uint16_t> file) {
  lines.clear();
  const RecordFormat* f = FormatOf(kind);
  if (!f) return -1;
  const TZone* z = w.Zones.ByNumber(zone);
  const TFileSetting* setting = z ? &(z->*f->Setting) : nullptr;
  std::optional<int32_t> bad;
  w.ForKind(kind, [&](const auto& list) {
    lines.push_back(f->Header);
    for (const auto* rec : list.InZone(zone)) {
      if (!InFile(*rec, setting, file)) continue;
      bool written = false;
      try {
        written = f->Write(w, *rec, lines);
      } catch (const std::exception&) {
        written = false;
      }
      if (!written) {
        bad = rec->Vnum;
        return;
      }
    }
    for (const char* t : f->Trailer) lines.push_back(t);
  });
  if (bad) lines.clear();
  return bad;
}

namespace {

bool SaveOneFile(World& w, const RecordFormat& f, int32_t zone, const fs::path& target,
                 CodingWord word, std::optional<uint16_t> file) {
  std::vector<std::string> lines;
  if (std::optional<int32_t> bad = BuildRecordLines(w, f.Kind, zone, lines, file)) {
    ReportSaveFailure(w, f.SaveError, zone, target, W(f.BadRecord) + IntText(*bad));
    return false;
  }
  if (!WriteWorldFile(w, f.SaveError, zone, target, lines, word)) return false;
  return !f.Companion || SaveRoomMap(w, zone, target, file);
}

}  // namespace

bool SaveRecordFile(World& w, RecordKind kind, int32_t zone, const fs::path& path) {
  const RecordFormat* f = FormatOf(kind);
  if (!f) return false;
  const TZone* z = w.Zones.ByNumber(zone);
  if (!path.empty() || !z)
    return SaveOneFile(w, *f, zone, path, z ? (z->*f->Setting).Word() : kDefaultCodingWord, {});
  // The zone's own file first: a failure leaves the files after it as they were.
  bool ok = true;
  (z->*f->Setting).ForEachPlace([&](const TFilePlace& place, uint16_t file) {
    ok = ok && SaveOneFile(w, *f, zone, place.Path, place.Word(), file);
  });
  return ok;
}

}  // namespace zm
