#include "templates/templets.h"

#include <algorithm>
#include <climits>

#include "common/coding.h"
#include "common/reporter.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "common/worldbuffer.h"
#include "model/world.h"

namespace zm {

std::string TempletKindWord(RecordKind kind) {
  static constexpr const char* kWords[kRecordKinds] = {
      "", "комнат", "", "объектов", "мобов", "магазинов", "триггеров",
  };
  return kind < kRecordKinds ? W(kWords[kind]) : std::string();
}

namespace {

// Coding detection looks at the head of the file only.
constexpr size_t kDetectBytes = 1000;

void ReportFailure(Reporter& reporter, RecordKind kind, const std::filesystem::path& path,
                   int line) {
  reporter.ShowError(ErrorMsg::TemplatesLoad,
                     {TempletKindWord(kind), path.string(), LineErrorText(line)});
}

std::string UpperLatin(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

template <typename T>
const std::string& TTemplet<T>::Names(int i) const {
  static const std::string kNone;
  return i >= 0 && i < Count() ? m_names[static_cast<size_t>(i)] : kNone;
}

template <typename T>
const T* TTemplet<T>::Objects(int i) const {
  return i >= 0 && i < Count() ? m_records[static_cast<size_t>(i)].get() : nullptr;
}

template <typename T>
bool TTemplet<T>::LoadFromFile(const std::filesystem::path& path, Reporter& reporter,
                               const Dictionaries* bases) {
  Clear();
  WorldBuffer buf;
  try {
    buf.LoadWorldBuffer(path);
  } catch (const FileError&) {
    ReportFailure(reporter, T().Kind, path, kLineOpening);
    return false;
  }
  return LoadFromBytes(std::string(buf.Data()), path, reporter, bases);
}

template <typename T>
bool TTemplet<T>::LoadFromBytes(std::string bytes, const std::filesystem::path& path,
                                Reporter& reporter, const Dictionaries* bases) {
  Clear();
  WorldBuffer buf;
  const CodingWord coding = DetectCodingOf(std::string_view(bytes).substr(0, kDetectBytes), false);
  buf.LoadFromBytes(std::move(bytes));
  buf.SetCoding(coding.Coding);
  T* current = nullptr;
  std::vector<std::string> seen;  // keys of the current template
  try {
    while (!buf.BufferEof()) {
      std::string line = buf.ReadBufferLine();
      if (line.empty() || line[0] == '*') continue;
      if (line[0] == '#') {
        m_names.push_back(line.substr(1));
        m_records.push_back(std::make_unique<T>());
        current = m_records.back().get();
        seen.clear();
        continue;
      }
      if (!current) continue;
      TempletKey key;
      key.Key = UpperLatin(NextWord(line, kBlanks));
      key.Value = std::move(line);
      key.First = std::find(seen.begin(), seen.end(), key.Key) == seen.end();
      if (key.First) seen.push_back(key.Key);
      ApplyKey(*current, key, bases);
    }
  } catch (const ParseError&) {
    ReportFailure(reporter, T().Kind, path, buf.Line());
    return false;
  }
  return true;
}

template class TTemplet<TObj>;
template class TTemplet<TMob>;
template class TTemplet<TShop>;
template class TTemplet<TTrigger>;
template class TTemplet<TRoom>;

bool Templets::LoadAll(const std::filesystem::path& basesFolder, Reporter& reporter,
                       const Dictionaries* bases) {
  bool ok = Objs.LoadFromFile(basesFolder / "Template_Obj", reporter, bases);
  ok = Mobs.LoadFromFile(basesFolder / "Template_Mob", reporter, bases) && ok;
  ok = Shops.LoadFromFile(basesFolder / "Template_Shop", reporter, bases) && ok;
  ok = Triggers.LoadFromFile(basesFolder / "Template_Trigger", reporter, bases) && ok;
  ok = Rooms.LoadFromFile(basesFolder / "Template_Room", reporter, bases) && ok;
  return ok;
}

const std::vector<std::string>& Templets::NamesOf(RecordKind kind) const {
  static const std::vector<std::string> kNone;
  const std::vector<std::string>* names[kRecordKinds] = {
      &kNone,
      &Rooms.NameList(),
      &kNone,
      &Objs.NameList(),
      &Mobs.NameList(),
      &Shops.NameList(),
      &Triggers.NameList(),
  };
  return kind < kRecordKinds ? *names[kind] : kNone;
}

bool TemplateRequest::Acceptable() const {
  if (Mode == TemplateMode::Number)
    return Number >= 0 && Number <= kLastNumber && (!IsFreeNumber || IsFreeNumber(Number));
  return Quantity >= 1 && Quantity <= Maximum;
}

namespace {

// Zones whose last vnum still fits the vnum's 32 bits.
constexpr int32_t kMaxZone = (INT32_MAX - TemplateRequest::kLastNumber) / 100;

template <typename T>
TMUDClass* Create(World& w, TMUDList<T>& list, const TTemplet<T>& templet, TemplateChooser& chooser,
                  RecordKind kind, int32_t zone) {
  if (zone < 0 || zone > kMaxZone) return nullptr;
  const int maximum = TemplateRequest::kLastNumber - list.CountInZone(zone);
  if (maximum < 1) {
    w.reporter().ShowError(ErrorMsg::ZoneFull, {TempletKindWord(kind)});
    return nullptr;
  }
  TemplateRequest req;
  req.Kind = kind;
  req.Zone = zone;
  req.Names = templet.NameList();
  req.Proposed = list.FirstFreeNumber(zone);
  req.Maximum = maximum;
  req.IsFreeNumber = [&list, zone](int32_t n) { return list.IsFreeVnum(MakeVnum(n, zone)); };
  req.Template = templet.Count() > 0 ? 0 : -1;
  req.Number = req.Proposed;
  if (!chooser.Choose(req)) return nullptr;
  // The dialog should not let a bad answer through; a test or another GUI might.
  req.IsFreeNumber = [&list, zone](int32_t n) { return list.IsFreeVnum(MakeVnum(n, zone)); };
  req.Maximum = maximum;
  if (!req.Acceptable()) return nullptr;

  const T* source = templet.Objects(req.Template);
  const int count = req.Mode == TemplateMode::Number ? 1 : req.Quantity;
  T* first = nullptr;
  for (int i = 0; i < count; ++i) {
    int32_t n = req.Mode == TemplateMode::Number ? req.Number : list.FirstFreeNumber(zone);
    // A record whose Zone disagrees with its vnum makes the count lie; never
    // spill into the next zone.
    if (n > TemplateRequest::kLastNumber) break;
    auto rec = std::make_unique<T>();
    if (source) *rec = *source;
    rec->Zone = zone;
    rec->Vnum = MakeVnum(n, zone);
    rec->FileIndex = 0;  // a new record goes to its zone's own file
    T* added = list.Add(std::move(rec));
    if (!first) first = added;
  }
  return first;
}

}  // namespace

TMUDClass* CreateFromTemplate(World& w, const Templets& templets, TemplateChooser& chooser,
                              RecordKind kind, int32_t zone) {
  TMUDClass* created = nullptr;
  if (kind == kZone) return nullptr;
  w.ForKind(kind, [&](auto& list) {
    using T = std::remove_pointer_t<decltype(list.Items(0))>;
    if constexpr (!std::is_same_v<T, TZone>)
      created = Create(w, list, templets.Of<T>(), chooser, kind, zone);
  });
  return created;
}

}  // namespace zm
