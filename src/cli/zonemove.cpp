// copy-zone WORLD FROM TO and renumber-zone WORLD FROM TO: a zone under a
// new number, saved with every zone whose files change; nothing is written
// when the move is refused.
#include "edit/zonemove.h"

#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "load/saving.h"

namespace zm::cli {
namespace {

int Move(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
         bool renumber) {
  const char* name = renumber ? "renumber-zone" : "copy-zone";
  auto o = ParseOptions(args, {"ARGS", "--rewrite-scripts"}, err);
  int32_t from = 0, to = 0;
  if (!o || o->extra.size() != 2 || !ParseInt(o->extra[0], from) || !ParseInt(o->extra[1], to)) {
    err << "usage: zemlemer-cli " << name << " WORLD FROM TO [--rewrite-scripts]\n";
    return kUsage;
  }
  ReadWorld loaded(*o, err);
  World& w = loaded.w;
  if (loaded.failures > 0) {
    err << "zemlemer-cli: nothing changed: files of the world failed to load\n";
    return kFailed;
  }
  const ZoneMovePlan plan = renumber ? PlanRenumberZone(w, from, to) : PlanCopyZone(w, from, to);
  for (const std::string& p : plan.Problems) err << "refused: " << WinToUtf8(p) << "\n";
  for (const ScriptMention& m : plan.Scripts)
    out << "trigger " << m.Trigger << " line " << m.Line << ": " << WinToUtf8(m.Text) << " -> "
        << WinToUtf8(m.Rewritten) << "\n";
  if (!plan.Problems.empty()) return kFailed;
  if (!plan.Scripts.empty() && !o->rewriteScripts) {
    err << "refused: trigger scripts name numbers of zone " << from
        << " (listed above); --rewrite-scripts rewrites them as shown\n";
    return kFailed;
  }
  const bool done =
      renumber ? RenumberZone(w, plan, o->rewriteScripts) : CopyZone(w, plan, o->rewriteScripts);
  if (!done) return kFailed;

  // The command itself is the confirmation that the old files go.
  loaded.rep.yes.push_back(ConfirmMsg::RemoveOldZoneFiles);
  std::vector<int32_t> zones = {to};
  zones.insert(zones.end(), plan.OtherZones.begin(), plan.OtherZones.end());
  bool ok = true;
  for (int32_t n : zones) {
    const SaveResult r = SaveWholeZone(w, n);
    for (const auto& p : r.written) out << p.string() << "\n";
    for (const auto& p : r.refused)
      err << "zemlemer-cli: " << p.string() << " not saved: it was loaded with errors\n";
    ok = ok && r.ok;
  }
  if (ok)
    for (const auto& p : RemoveOldZoneFiles(w, to)) out << "removed " << p.string() << "\n";
  for (const auto& l : loaded.rep.lines) err << "error: " << l << "\n";
  return ok ? kOk : kFailed;
}

int Copy(const std::vector<std::string>& a, std::ostream& out, std::ostream& err) {
  return Move(a, out, err, false);
}
int Renumber(const std::vector<std::string>& a, std::ostream& out, std::ostream& err) {
  return Move(a, out, err, true);
}

const Registrar copy({"copy-zone", "WORLD FROM TO [--rewrite-scripts]",
                      "make zone TO a copy of zone FROM, every number of FROM moved to TO inside "
                      "the copy, and save it; refused (exit 1, nothing written) when TO exists, a "
                      "number would leave the zone, or scripts name FROM's numbers (unless "
                      "--rewrite-scripts)",
                      Copy});
const Registrar renumber({"renumber-zone", "WORLD FROM TO [--rewrite-scripts]",
                          "give zone FROM the number TO, rewriting every reference to its "
                          "records anywhere in the world; saves the zone and each zone whose "
                          "records changed, then removes the files under the old number",
                          Renumber});

}  // namespace
}  // namespace zm::cli
