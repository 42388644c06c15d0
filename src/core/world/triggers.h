#pragma once
// Triggers (game scripts) and the trigger list.
#include <filesystem>
#include <string>
#include <vector>

#include "common/records.h"

namespace zm {

class World;
class WorldBuffer;

class TTrigger : public TMUDClass {
 public:
  TTrigger(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kTrigger) {
    Zone = zone;
    Vnum = vnum;
  }
  TTrigger(const TTrigger&) = default;
  TTrigger& operator=(const TTrigger&) = default;

  // Everything but Kind and Node.
  void Assign(const TTrigger& o);
  std::string DisplayText() const { return NodeCaption(Vnum, Name); }
  bool operator==(const TTrigger& o) const;

  std::string Name;
  uint8_t TriggerClass = 0;  // 0 mobile, 1 object, 2 room
  std::string TriggerTypes;  // bit vector, empty for none
  int32_t NumArg = 0;
  std::string Arg;
  std::string Text;  // lines joined with CR LF, no break at the end
};

class TTriggerList : public TMUDList<TTrigger> {
 public:
  std::string NameOfRecord(const TTrigger& t) const override { return t.Name; }

  // False when the file could not be read whole; what was read stays and the
  // failure goes to the load errors.
  bool LoadFromFile(World& w, const std::filesystem::path& path);
  // The same over bytes already in memory; `path` names them in messages.
  bool LoadFromBytes(World& w, std::string bytes, const std::filesystem::path& path);
  // 0, or the vnum of the trigger that cannot be written (-1 for vnum 0).
  int BuildLines(const World& w, std::vector<std::string>& lines, int32_t zone) const;
  // An empty path means the zone's TrigFilename.
  bool SaveZone(World& w, int32_t zone, const std::filesystem::path& path = {});

 private:
  bool parse(World& w, WorldBuffer& buf, const std::filesystem::path& path);
};

}  // namespace zm
