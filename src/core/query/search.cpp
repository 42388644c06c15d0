#include "query/search.h"

#include <array>

#include "common/winutf8.h"
#include "model/world.h"

namespace zm {
namespace {

constexpr unsigned char kYoLower = 0xB8, kYeLower = 0xE5;

class Searcher {
 public:
  Searcher(std::string_view text, std::vector<SearchHit>& out)
      : m_needle(FoldForSearch(text)), m_out(out) {}

  void Record(const TMUDClass& rec) { m_rec = &rec; }
  void Field(const std::string& name, const std::string& value) {
    if (value.size() < m_needle.size()) return;
    m_folded = FoldForSearch(value);
    const size_t at = m_folded.find(m_needle);
    if (at == std::string::npos) return;
    // The line of the match, without its line break.
    size_t begin = value.rfind('\n', at);
    begin = begin == std::string::npos ? 0 : begin + 1;
    size_t end = value.find_first_of("\r\n", at);
    if (end == std::string::npos) end = value.size();
    m_out.push_back(
        {m_rec, m_rec->Kind, m_rec->Vnum, m_rec->Zone, name, value.substr(begin, end - begin)});
  }
  void Extras(const TExtraDescList& list) {
    for (int i = 0; i < list.Count(); ++i) {
      const std::string at = "ExtraDescs[" + std::to_string(i) + "]";
      Field(at + ".Keywords", list.Items(i)->Keywords);
      Field(at + ".Description", list.Items(i)->Description);
    }
  }
  void Names(const std::array<std::string, 6>& names) {
    for (size_t i = 0; i < names.size(); ++i) Field("Names[" + std::to_string(i) + "]", names[i]);
  }

 private:
  std::string m_needle;
  std::string m_folded;
  std::vector<SearchHit>& m_out;
  const TMUDClass* m_rec = nullptr;
};

}  // namespace

std::string FoldForSearch(std::string_view win) {
  std::string out(win.size(), '\0');
  for (size_t i = 0; i < win.size(); ++i) {
    unsigned char c = WinLower(static_cast<unsigned char>(win[i]));
    out[i] = static_cast<char>(c == kYoLower ? kYeLower : c);
  }
  return out;
}

std::vector<SearchHit> SearchText(const World& w, std::string_view text,
                                  std::optional<RecordKind> kind) {
  std::vector<SearchHit> out;
  if (text.empty()) return out;
  Searcher s(text, out);
  const auto wanted = [&](RecordKind k) { return !kind || *kind == k; };
  if (wanted(kZone))
    for (const auto& z : w.Zones) {
      s.Record(*z);
      s.Field("Name", z->Name);
    }
  if (wanted(kRoom))
    for (const auto& r : w.Rooms) {
      s.Record(*r);
      s.Field("Name", r->Name);
      s.Field("Description", r->Description);
      for (size_t d = 0; d < r->Exits.size(); ++d) {
        const std::string at = "Exits[" + std::to_string(d) + "]";
        s.Field(at + ".Keywords", r->Exits[d].Keywords);
        s.Field(at + ".Description", r->Exits[d].Description);
      }
      s.Extras(r->ExtraDescs);
    }
  if (wanted(kObject))
    for (const auto& o : w.Objs) {
      s.Record(*o);
      s.Names(o->Names);
      s.Field("Aliases", o->Aliases);
      s.Field("Description", o->Description);
      s.Field("ActionDescription", o->ActionDescription);
      s.Extras(o->ExtraDescs);
    }
  if (wanted(kMobile))
    for (const auto& m : w.Mobs) {
      s.Record(*m);
      s.Field("Aliases", m->Aliases);
      s.Names(m->Names);
      s.Field("LongDescription", m->LongDescription);
      s.Field("LookDescription", m->LookDescription);
    }
  if (wanted(kShop))
    for (const auto& sh : w.Shops) {
      s.Record(*sh);
      for (size_t i = 0; i < sh->Messages.size(); ++i)
        s.Field("Messages[" + std::to_string(i) + "]", sh->Messages[i]);
    }
  if (wanted(kTrigger))
    for (const auto& t : w.Triggers) {
      s.Record(*t);
      s.Field("Name", t->Name);
      s.Field("Arg", t->Arg);
      s.Field("Text", t->Text);
    }
  return out;
}

}  // namespace zm
