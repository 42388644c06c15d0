#include "load/loadworld.h"

#include <algorithm>

#include "common/messages.h"
#include "common/winutf8.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "load/arrange.h"
#include "load/saving.h"

namespace zm {
namespace {

struct FolderSpec {
  RecordKind kind;
  const char* folder;
  const char* ext;
};
// Discovery order of the loader.
constexpr FolderSpec kFolders[] = {
    {kZone, "ZON", ".zon"}, {kObject, "OBJ", ".obj"}, {kMobile, "MOB", ".mob"},
    {kShop, "SHP", ".shp"}, {kRoom, "WLD", ".wld"},   {kTrigger, "TRG", ".trg"},
};

class NoProgress : public LoadProgress {
 public:
  void Phase(const std::string&, int) override {}
  void File(const std::string&) override {}
  void Step() override {}
};

// Files that only a journal holds (a zone made and never saved before a
// crash) are read too, under the names they will be saved as.
void AddCopiesOnly(const World& w, std::array<WorldFolder, kRecordKinds>& files) {
  for (const auto& [rel, copy] : w.ReadInstead) {
    const size_t slash = rel.find('/');
    if (slash == std::string::npos || rel.find('/', slash + 1) != std::string::npos) continue;
    const std::string folder = rel.substr(0, slash);
    const std::string ext = std::filesystem::path(rel).extension().string();
    for (const auto& entry : kFolders) {
      if (!WinEqualNoCase(folder, entry.folder) || !WinEqualNoCase(ext, entry.ext)) continue;
      WorldFolder& f = files[entry.kind];
      if (std::find(f.Names.begin(), f.Names.end(), rel) != f.Names.end()) continue;
      f.Dir = w.WorldPath;
      f.Names.insert(std::upper_bound(f.Names.begin(), f.Names.end(), rel), rel);
    }
  }
}

}  // namespace

std::filesystem::path FindChildNoCase(const std::filesystem::path& dir, const std::string& name) {
  std::error_code ec;
  if (std::filesystem::exists(dir / name, ec)) return dir / name;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string n = it->path().filename().string();
    if (WinEqualNoCase(n, name)) return it->path();
  }
  return {};
}

std::array<WorldFolder, kRecordKinds> DiscoverWorldFiles(const std::filesystem::path& worldPath) {
  namespace fs = std::filesystem;
  std::array<WorldFolder, kRecordKinds> out;
  // Every folder of the kind's name in any letter case is read: a world with
  // both WLD/ and wld/ keeps the files of each, and each is saved where it
  // was read.
  std::vector<fs::path> folders;
  std::error_code ec;
  for (fs::directory_iterator it(worldPath, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code e2;
    if (it->is_directory(e2)) folders.push_back(it->path());
  }
  std::sort(folders.begin(), folders.end());
  for (const auto& entry : kFolders) {
    WorldFolder& f = out[entry.kind];
    std::vector<std::pair<std::string, std::string>> found;  // name, folder
    bool any = false;
    for (const fs::path& dir : folders) {
      if (!WinEqualNoCase(dir.filename().string(), entry.folder)) continue;
      any = true;
      for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (!it->is_regular_file(e2)) continue;
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;  // hidden files
        if (!WinEqualNoCase(it->path().extension().string(), entry.ext)) continue;
        found.emplace_back(name, dir.filename().string());
      }
    }
    if (!any) continue;
    f.Dir = worldPath;
    std::sort(found.begin(), found.end());
    for (const auto& [name, folder] : found) f.Names.push_back(folder + "/" + name);
  }
  return out;
}

int LoadWorld(World& w, const std::filesystem::path& worldPath, LoadProgress* progress) {
  NoProgress none;
  LoadProgress& p = progress ? *progress : none;
  w.WorldPath = worldPath;

  p.Phase(W("Поиск файлов"), 6);
  auto files = DiscoverWorldFiles(worldPath);
  AddCopiesOnly(w, files);
  int total = static_cast<int>(files[kZone].Names.size());
  for (const auto& f : files) total += static_cast<int>(f.Names.size());
  p.Total(total);

  int failures = 0;
  const auto& zones = files[kZone];
  p.Phase(W("Устанавливаем зоны"), static_cast<int>(zones.Names.size()));
  for (const auto& name : zones.Names) {
    p.File(std::filesystem::path(name).filename().string());
    auto zone = std::make_unique<TZone>(0);
    const auto path = zones.Dir / name;
    if (!ReadZoneHeader(w, *zone, path)) {
      ++failures;
    } else if (const TZone* first = w.Zones.ByNumber(zone->Vnum)) {
      // A second file of one zone would have its commands saved into the
      // first one's, again at every save: it is left alone.
      w.reporter().AddLoadError(
          FormatMessage(ErrorText(ErrorMsg::ZoneDuplicate),
                        {zone->Vnum, path.string(), first->ZoneFilename.Path.string()}));
      ++failures;
    } else {
      RegisterZoneFiles(w, *zone, path);
      w.Zones.Append(std::move(zone));
    }
    p.Step();
  }

  struct Phase {
    RecordKind kind;
    const char* title;
  };
  const Phase phases[] = {{kObject, "Загружаем объекты"},
                          {kMobile, "Загружаем мобов"},
                          {kShop, "Загружаем магазины"},
                          {kRoom, "Загружаем комнаты"},
                          {kTrigger, "Загружаем триггеры"}};
  for (const auto& ph : phases) {
    const auto& f = files[ph.kind];
    p.Phase(W(ph.title), static_cast<int>(f.Names.size()));
    for (const auto& name : f.Names) {
      p.File(std::filesystem::path(name).filename().string());
      if (!LoadRecordFile(w, ph.kind, f.Dir / name)) ++failures;
      p.Step();
    }
  }

  // Registered zones in list order; bare zones have no zone file to read.
  int registered = 0;
  for (const auto& z : w.Zones)
    if (z->Registered) ++registered;
  p.Phase(W("Загружаем зоны"), registered);
  MarkDoorsWithoutReset(w);
  for (int i = 0; i < w.Zones.Count(); ++i) {
    TZone* z = w.Zones.Items(i);
    if (!z->Registered) continue;
    p.File(z->ZoneFilename.Path.filename().string());
    if (!ReadZoneCommands(w, *z, z->ZoneFilename.Path)) ++failures;
    p.Step();
  }
  SettleCommandMaxima(w);
  // A map file may put a room off the grid or on another room's cell.
  UnplaceHiddenRooms(w);
  // A zone's file that was not there to read counts as changed once it is.
  for (const auto& z : w.Zones)
    if (z->Registered) StampZoneFiles(w, *z);
  p.Finished();
  return failures;
}

}  // namespace zm
