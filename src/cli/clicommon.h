#pragma once
// What the world commands of zemlemer-cli share: options, a reporter that
// collects messages for stderr, and loading.
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/dictionaries.h"
#include "common/reporter.h"
#include "model/world.h"

namespace zm::cli {

struct Options {
  std::filesystem::path world;
  std::vector<int32_t> zones;
  std::filesystem::path bases;  // empty: Bases beside the executable
  bool force = false;
  bool save = false;
  bool check = false;
  bool json = false;
  bool field = false;
  bool rewriteScripts = false;
  std::string kind;                // --kind KIND
  std::vector<std::string> extra;  // arguments after WORLD, where the command takes them
  // The dictionaries (shop buy and change type texts come from them); null
  // when no Bases folder was found.
  std::shared_ptr<Dictionaries> dictionaries;
};

// Parses WORLD and the flags in `allowed` (e.g. {"--zone"}; "--bases DIR" is
// always allowed; "ARGS" lets arguments after WORLD through into `extra`) and loads the
// dictionaries: from DIR, or from the Bases folder beside the executable when there is one. nullopt
// after writing the problem to `err`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                    const std::vector<std::string>& allowed, std::ostream& err);

// The dictionaries of `bases`, or of the Bases folder beside the executable
// when `bases` is empty (none when there is no such folder). False after
// writing the problem to `err`.
bool LoadBases(std::filesystem::path bases, std::shared_ptr<Dictionaries>& out, std::ostream& err);

// Load errors and error boxes become lines; confirmations are answered No,
// except those in `yes` (such as --force answering ConfirmMsg::LossySave);
// a question with three answers gets the last, which leaves things as they
// are (a file changed on disk since the load is not overwritten).
class CliReporter : public Reporter {
 public:
  std::vector<std::string> lines;     // UTF-8, in the order they came
  std::vector<std::string> warnings;  // files read, but not whole
  std::vector<ConfirmMsg> yes;
  void AddLoadError(const std::string& text) override;
  void AddLoadWarning(const std::string& text) override;
  // One "warning: …" line each.
  void PrintWarnings(std::ostream& out) const;

 protected:
  void Error(int n, const std::string& text) override;
  bool Confirm(int n, const std::string& text) override;
  int Choose(int n, const std::string& text, const std::vector<std::string>& answers) override;
};

// A world loaded for a command that only reads it; its load errors and
// warnings are written to `err`.
struct ReadWorld {
  CliReporter rep;
  World w;
  int failures = 0;
  ReadWorld(const Options& o, std::ostream& err);
};

// One world file read alone into a world of its own (ReadWorldFileAlone),
// its kind told by its extension. Messages go to `rep`; `opened` is false
// when the file could not be read at all.
struct ReadFileAlone {
  CliReporter rep;
  World w;
  RecordKind kind;
  bool opened = false;
  ReadFileAlone(const std::filesystem::path& path, RecordKind kind, const Dictionaries* bases);
};

// With ZEMLEMER_CLI_PAUSE_AFTER_LOAD=FILE in the environment, makes FILE and
// waits (up to a minute) until it is gone: tests change the world's files
// between a command's load and its save that way.
void PauseAfterLoad();

// A place in a record, as where and search print it: one line each, or a
// JSON array of {"kind", "vnum", "zone", "field", "text"}.
struct Place {
  RecordKind Kind;
  int32_t Vnum;
  int32_t Zone;
  std::string Field;
  std::string Text;  // Windows-1251
};
void PrintPlaces(const std::vector<Place>& places, bool json, std::ostream& out);

// "room", "object", "mobile", "trigger", "shop", "zone" (and "map").
const char* KindName(RecordKind kind);
std::optional<RecordKind> KindOfName(const std::string& name);

// Messages keep their "\r\n" breaks; on a terminal one line reads better.
std::string OneLine(const std::string& utf8);

}  // namespace zm::cli
