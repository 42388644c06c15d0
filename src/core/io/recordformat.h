#pragma once
// One small definition per record file kind: what the shared path of
// recordfile.h needs to know of it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/messages.h"
#include "model/zones.h"

namespace zm {

class World;
class WorldBuffer;
struct FileNote;

struct RecordFormat {
  RecordKind Kind;
  ErrorMsg LoadError;
  ErrorMsg SaveError;
  // The zone's setting of the file: its path and coding word.
  TFileSetting TZone::*Setting;
  // The reason given for a record that cannot be written, before its vnum.
  const char* BadRecord;
  // The vnum of a record's "#" line; false when it gives none.
  bool (*RecordVnum)(std::string_view line, int32_t& vnum);
  // Every record of the buffer (coding set, cursor at the start) into the
  // world. Throws ParseError at a line it cannot read; false when it told of
  // a line itself and read on.
  bool (*Read)(World& w, WorldBuffer& buf, FileNote& note, const std::filesystem::path& path);
  // The first line of the file, and the lines after the last record.
  const char* Header;
  std::vector<const char*> Trailer;
  // One record's lines; false when it cannot be written so that it reads
  // back as it is.
  bool (*Write)(const World& w, const TMUDClass& rec, std::vector<std::string>& lines);
  // The room file's map file: its setting, follows the room file's.
  TFileSetting TZone::*Companion = nullptr;
};

// Null for the zone and the zone map, which have files of their own kind.
const RecordFormat* FormatOf(RecordKind kind);

extern const RecordFormat kRoomFormat;
extern const RecordFormat kObjFormat;
extern const RecordFormat kMobFormat;
extern const RecordFormat kShopFormat;
extern const RecordFormat kTriggerFormat;

// "#" and the integer after it, blanks around it allowed.
bool PlainRecordVnum(std::string_view line, int32_t& vnum);

}  // namespace zm
