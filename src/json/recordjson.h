#pragma once
// Records as JSON, texts in UTF-8: what the command-line dump prints, what
// its save check compares and what the test fixtures expect.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

#include "model/world.h"

namespace zm::json {

using nlohmann::ordered_json;

// Zone-file placements carry "Max", the maximum their line is written with
// (their own, or their prototype's MaxInWorld, or -1 without a prototype).
ordered_json ZoneJson(const TZone& z, const World& w);
ordered_json RoomJson(const TRoom& r, const World& w);
ordered_json ObjJson(const TObj& o);
ordered_json MobJson(const TMob& m);
ordered_json ShopJson(const TShop& s, const World& w);
ordered_json TriggerJson(const TTrigger& t);

// The whole world, kind by kind in list order: {"zones": [...], "rooms":
// [...], "objects", "mobiles", "shops", "triggers"}. A non-empty `zones`
// keeps only the records of those zones.
ordered_json WorldJson(const World& w, const std::vector<int32_t>& zones = {});

}  // namespace zm::json
