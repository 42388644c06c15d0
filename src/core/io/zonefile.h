#pragma once
// The zone file, read in two passes: the header pass sets a zone up before
// any other file is read; the command pass, after all of them, distributes
// the reset commands onto rooms, prototypes and the zone's own lists.
#include <filesystem>
#include <string>
#include <vector>

#include "model/world.h"

namespace zm {

// Header pass, then RegisterZoneFiles. Reports ErrorMsg::ZoneLoad in a box
// on failure.
bool LoadZoneHeader(World& w, TZone& z, const std::filesystem::path& path);
bool ReadZoneHeader(World& w, TZone& z, const std::filesystem::path& path);
// Sibling file paths, then the zone registered in the world (map record,
// tree nodes, ZoneNames).
void RegisterZoneFiles(World& w, TZone& z, const std::filesystem::path& path);
// The paths part of RegisterZoneFiles: the zone's files by `path`, each in
// the zone file's coding and line break.
void AssignZoneFiles(TZone& z, const std::filesystem::path& path);

// Command pass; failures go to the load errors.
bool ReadZoneCommands(World& w, TZone& z, const std::filesystem::path& path);

// Both passes over bytes already in memory; `path` only names the file in
// messages. For tests and fuzzing.
bool ReadZoneHeaderBytes(World& w, TZone& z, std::string bytes, const std::filesystem::path& path);
bool ReadZoneCommandsBytes(World& w, TZone& z, std::string bytes,
                           const std::filesystem::path& path);

// Before the command passes of all zones: every door of a room whose zone
// has a zone file is marked WithoutReset until a D line names it.
void MarkDoorsWithoutReset(World& w);
// After the command passes of all zones: a line's own maximum that equals
// its prototype's MaxInWorld (or -1 without a prototype) is dropped, so that
// the prototype's value, which the editors show, decides those lines again.
void SettleCommandMaxima(World& w);
// The zone's own lines' share of it.
void SettleZoneMaxima(const World& w, const TZone& z);

void BuildZoneLines(const World& w, const TZone& z, std::vector<std::string>& lines);
// An empty path means ZoneFilename.Path. Reports ErrorMsg::ZoneSave on failure.
bool SaveZoneFile(World& w, TZone& z, const std::filesystem::path& path = {});

}  // namespace zm
