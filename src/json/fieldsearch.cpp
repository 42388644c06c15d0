#include "json/fieldsearch.h"

#include "common/textutil.h"
#include "common/winutf8.h"
#include "json/recordjson.h"

namespace zm::json {
namespace {

bool Matches(const ordered_json& v, const std::string& value, const std::string& folded) {
  if (v.is_array()) {
    for (const auto& e : v)
      if (Matches(e, value, folded)) return true;
    return false;
  }
  if (v.is_number_integer()) {
    int32_t n = 0;
    return ParseInt(value, n) && v.get<int64_t>() == n;
  }
  if (v.is_number()) return v.dump() == value;
  if (v.is_boolean()) return (v.get<bool>() ? "true" : "false") == value;
  if (v.is_string())
    return FoldForSearch(Utf8ToWin(v.get<std::string>())).find(folded) != std::string::npos;
  return false;
}

// Calls `hit` with the printed value of each place the path leads to that matches.
template <typename F>
void Walk(const ordered_json& j, const std::vector<std::string>& path, size_t at, std::string field,
          const std::string& value, const std::string& folded, F&& hit) {
  if (at == path.size()) {
    if (Matches(j, value, folded)) hit(field, j.is_string() ? j.get<std::string>() : j.dump());
    return;
  }
  const std::string& step = path[at];
  if (step == "*" || (!step.empty() && step.front() == '[')) {
    if (!j.is_array()) return;
    int32_t only = -1;
    if (step != "*") ParseInt(step.substr(1, step.size() - 2), only);
    for (size_t i = 0; i < j.size(); ++i)
      if (only < 0 || static_cast<size_t>(only) == i)
        Walk(j[i], path, at + 1, field + "[" + std::to_string(i) + "]", value, folded, hit);
    return;
  }
  if (!j.is_object() || !j.contains(step)) return;
  Walk(j[step], path, at + 1, field.empty() ? step : field + "." + step, value, folded, hit);
}

}  // namespace

std::optional<FieldQuery> ParseFieldQuery(const std::string& utf8) {
  const size_t eq = utf8.find('=');
  if (eq == std::string::npos || eq == 0) return std::nullopt;
  FieldQuery q;
  q.Value = Trim(utf8.substr(eq + 1));
  std::string name;
  const auto flush = [&] {
    if (!name.empty()) q.Path.push_back(name);
    name.clear();
  };
  for (char c : Trim(utf8.substr(0, eq))) {
    if (c == '.') {
      flush();
    } else if (c == '[') {
      flush();
      name = "[";
    } else if (c == ']') {
      if (name == "[*")
        name = "*";
      else
        name += ']';
      flush();
    } else {
      name += c;
    }
  }
  flush();
  if (q.Path.empty()) return std::nullopt;
  return q;
}

std::vector<SearchHit> SearchField(const World& w, const FieldQuery& q,
                                   std::optional<RecordKind> kind) {
  std::vector<SearchHit> out;
  const std::string folded = FoldForSearch(Utf8ToWin(q.Value));
  const auto wanted = [&](RecordKind k) { return !kind || *kind == k; };
  const auto look = [&](const TMUDClass& rec, const ordered_json& j) {
    Walk(j, q.Path, 0, {}, q.Value, folded, [&](const std::string& field, const std::string& text) {
      out.push_back({&rec, rec.Kind, rec.Vnum, rec.Zone, field, Utf8ToWin(text)});
    });
  };
  if (wanted(kZone))
    for (const auto& z : w.Zones) look(*z, ZoneJson(*z, w));
  if (wanted(kRoom))
    for (const auto& r : w.Rooms) look(*r, RoomJson(*r, w));
  if (wanted(kObject))
    for (const auto& o : w.Objs) look(*o, ObjJson(*o));
  if (wanted(kMobile))
    for (const auto& m : w.Mobs) look(*m, MobJson(*m));
  if (wanted(kShop))
    for (const auto& s : w.Shops) look(*s, ShopJson(*s, w));
  if (wanted(kTrigger))
    for (const auto& t : w.Triggers) look(*t, TriggerJson(*t));
  return out;
}

}  // namespace zm::json
