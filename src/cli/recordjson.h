#pragma once
// Records as JSON, texts in UTF-8: what dump prints and what save --check
// compares.
#include <nlohmann/json.hpp>

#include "model/world.h"

namespace zm::cli {

using nlohmann::ordered_json;

// Zone-file placements carry "Max", the maximum their line is written with
// (their own, or their prototype's MaxInWorld, or -1 without a prototype).
ordered_json ZoneJson(const TZone& z, const World& w);
ordered_json RoomJson(const TRoom& r, const World& w);
ordered_json ObjJson(const TObj& o);
ordered_json MobJson(const TMob& m);
ordered_json ShopJson(const TShop& s, const World& w);
ordered_json TriggerJson(const TTrigger& t);

}  // namespace zm::cli
