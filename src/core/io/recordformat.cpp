#include "io/recordformat.h"

#include "common/textutil.h"

namespace zm {

const RecordFormat* FormatOf(RecordKind kind) {
  static const RecordFormat* const kFormats[kRecordKinds] = {
      nullptr, &kRoomFormat, nullptr, &kObjFormat, &kMobFormat, &kShopFormat, &kTriggerFormat,
  };
  return kind < kRecordKinds ? kFormats[kind] : nullptr;
}

bool PlainRecordVnum(std::string_view line, int32_t& vnum) {
  return !line.empty() && line[0] == '#' && ParseInt(Trim(line.substr(1)), vnum);
}

}  // namespace zm
