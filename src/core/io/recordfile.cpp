#include "io/recordfile.h"

#include "common/cp1251.h"
#include "common/savelines.h"
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
    if (bytes)
      buf.LoadFromBytes(std::move(*bytes));
    else
      buf.LoadWorldBuffer(path);
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
  if (!target.empty() && SaveLines(target, lines, word, &reason)) return true;
  ReportSaveFailure(w, error, zone, target, reason);
  return false;
}

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return a == b || fs::equivalent(a, b, ec);
}

// The zone of the file's first record takes the file as its own, when it has
// none yet; a bad number is left to the record loop to report at its line.
// The file keeps its own coding and line break where its bytes tell them;
// where they do not, it takes its zone's. Returns the coding to read with.
CodingWord ClaimFile(World& w, const RecordFormat& f, WorldBuffer& buf, const fs::path& path,
                     FileNote& note) {
  CodingWord cw = buf.DetectCoding();
  note.CodingDecided = buf.CodingDecided();
  buf.ResetWorldBuffer();
  while (!buf.BufferEof()) {
    std::string line = buf.ReadBufferLine();
    if (line.empty() || line[0] != '#') continue;
    int32_t vnum;
    if (!f.RecordVnum(line, vnum)) break;
    TZone& zone = w.ZoneOrBare(ZoneOf(vnum));
    TFileSetting& setting = zone.*f.Setting;
    if (setting.Coding == kCodingUnknown) {
      setting.Path = path;
      setting.SetWord(cw);
      if (f.Companion) {
        (zone.*f.Companion).Path = RoomMapPath(path);
        (zone.*f.Companion).SetWord(cw);
      }
    } else if (std::error_code ec; !fs::exists(setting.Path, ec) || SameFile(setting.Path, path)) {
      // A zone whose file of this kind is not where its name would put it
      // (WLD/mines.wld holding zone 32) is saved where its records were read.
      setting.Path = path;
      if (note.CodingDecided) setting.Coding = cw.Coding;
      if (buf.Data().find('\n') != std::string_view::npos) setting.LineBreak = cw.LineBreak;
    }
    if (!note.CodingDecided && setting.Coding != kCodingUnknown) cw.Coding = setting.Coding;
    break;
  }
  buf.ResetWorldBuffer();
  return cw;
}

// `opened` tells whether the file could be read at all.
bool Load(World& w, const RecordFormat& f, const fs::path& path, std::string* bytes,
          bool* opened = nullptr) {
  return ReadWorldFile(w, path, bytes, {f.LoadError}, [&](WorldBuffer& buf, FileNote* note) {
    if (opened) *opened = true;
    buf.SetCoding(ClaimFile(w, f, buf, path, *note).Coding);
    bool whole = f.Read(w, buf, *note, path);
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

std::optional<int32_t> BuildRecordLines(const World& w, RecordKind kind, int32_t zone,
                                        std::vector<std::string>& lines) {
  lines.clear();
  const RecordFormat* f = FormatOf(kind);
  if (!f) return -1;
  std::optional<int32_t> bad;
  w.ForKind(kind, [&](const auto& list) {
    lines.push_back(f->Header);
    for (const auto* rec : list.InZone(zone)) {
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

bool SaveRecordFile(World& w, RecordKind kind, int32_t zone, const fs::path& path) {
  const RecordFormat* f = FormatOf(kind);
  if (!f) return false;
  const TZone* z = w.Zones.ByNumber(zone);
  const fs::path target = !path.empty() ? path : z ? (z->*f->Setting).Path : fs::path();
  std::vector<std::string> lines;
  if (std::optional<int32_t> bad = BuildRecordLines(w, kind, zone, lines)) {
    ReportSaveFailure(w, f->SaveError, zone, target, W(f->BadRecord) + IntText(*bad));
    return false;
  }
  const CodingWord word = z ? (z->*f->Setting).Word() : kDefaultCodingWord;
  if (!WriteWorldFile(w, f->SaveError, zone, target, lines, word)) return false;
  return !f->Companion || SaveRoomMap(w, zone, target);
}

}  // namespace zm
