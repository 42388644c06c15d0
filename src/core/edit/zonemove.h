#pragma once
// Copying a zone under a new number, and renumbering a zone in place: every
// vnum V of the zone becomes V - from*100 + to*100 wherever the world names
// it. Everything is checked before anything changes, so a refused move
// leaves the world as it was.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zm {

class World;

// A number of the zone written in a trigger's script: scripts are text, and
// are rewritten only when asked to.
struct ScriptMention {
  int32_t Trigger = 0;
  int Line = 0;           // 1-based
  std::string Text;       // the line as it is (Windows-1251)
  std::string Rewritten;  // the line with the zone's numbers moved
};

struct ZoneMovePlan {
  int32_t From = 0, To = 0;
  bool Renumber = false;
  // Why the move cannot be made (Windows-1251); empty when it can.
  std::vector<std::string> Problems;
  std::vector<ScriptMention> Scripts;
  // Zones other than the moved one whose records name the zone's numbers:
  // renumbering rewrites them, and their files must be saved.
  std::vector<int32_t> OtherZones;
};

// What copying zone `from` to `to` (which must not exist) would do.
ZoneMovePlan PlanCopyZone(const World& w, int32_t from, int32_t to);
// What renumbering zone `from` to `to` would do.
ZoneMovePlan PlanRenumberZone(const World& w, int32_t from, int32_t to);

// Carries out a plan without problems; scripts naming the zone's numbers
// are rewritten only with `rewriteScripts` (a plan listing scripts is
// refused otherwise). False, with nothing changed, when refused.
bool CopyZone(World& w, const ZoneMovePlan& plan, bool rewriteScripts);
// The zone keeps its records under the new numbers and gets files named by
// the new number, in the same codings; its old files are to be removed once
// the new ones are saved (TZone::FilesToRemove).
bool RenumberZone(World& w, const ZoneMovePlan& plan, bool rewriteScripts);

// After zone `zone` was saved: its old files (of a renumbering) that no
// other zone reads are removed, once the reporter confirms the list. The
// files removed.
std::vector<std::filesystem::path> RemoveOldZoneFiles(World& w, int32_t zone);

}  // namespace zm
