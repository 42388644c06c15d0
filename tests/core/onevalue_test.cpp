// One number of one record line of a file the editor wrote is set to an edge
// value; loading and saving the world then gives the file back byte for
// byte, or the file is refused (noted as not read whole, so a save asks).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "common/textutil.h"
#include "core/testutil.h"
#include "load/saving.h"
#include "load/zloads.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEdges[] = {"0",     "-1",         "255",         "256",
                                  "32767", "32768",      "65535",       "65536",
                                  "70000", "2147483647", "-2147483648", "2147483648"};

// A line whose tokens are all integers, or "Key: integers" (mobile lines):
// where record numbers stand. The zone file's lines are its commands only;
// their comments are rebuilt from the names, so they are left out of the
// comparison.
bool NumberLine(const std::string& line, bool zoneFile) {
  std::string rest = line;
  if (zoneFile) {
    if (rest.empty() || std::string("MOPGEDRQ").find(rest[0]) == std::string::npos) return false;
    rest = rest.substr(
        1, rest.find('\t') == std::string::npos ? std::string::npos : rest.find('\t') - 1);
  } else if (size_t colon = rest.find(": "); colon != std::string::npos) {
    rest = rest.substr(colon + 2);
  }
  int n = 0;
  while (!Trim(rest).empty()) {
    int32_t v;
    if (!ParseInt(NextWord(rest, kBlanks), v)) return false;
    ++n;
  }
  return n > 0;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : bytes) {
    if (c == '\n') {
      out.push_back(cur);
      cur.clear();
    } else if (c != '\r') {
      cur += c;
    }
  }
  return out;
}

std::string WithoutComments(std::string bytes) {
  std::string out;
  bool comment = false;
  for (char c : bytes) {
    if (c == '\t') comment = true;
    if (c == '\r' || c == '\n') comment = false;
    if (!comment) out += c;
  }
  return out;
}

struct Change {
  fs::path file;  // relative to the world
  size_t line;
  size_t token;
  std::string value;
};

// Replaces token `token` of line `line` (counting whitespace-separated
// tokens, the zone command letter included) in the file's bytes.
std::string Changed(const std::string& bytes, const Change& c) {
  size_t start = 0;
  for (size_t i = 0; i < c.line; ++i) start = bytes.find('\n', start) + 1;
  size_t end = bytes.find_first_of("\r\n", start);
  std::string line = bytes.substr(start, end - start);
  size_t pos = 0;
  for (size_t t = 0;; ++t) {
    pos = line.find_first_not_of(" \t", pos);
    size_t stop = line.find_first_of(" \t", pos);
    if (t == c.token) {
      line.replace(pos, stop == std::string::npos ? std::string::npos : stop - pos, c.value);
      break;
    }
    pos = stop;
  }
  return bytes.substr(0, start) + line + bytes.substr(end);
}

TEST(OneValue, ComesBackOrTheFileIsRefused) {
  const fs::path sample = fs::path(ZEMLEMER_SOURCE_DIR) / "data/Zones";
  test::TempDir tmp;
  // The files as the editor writes them.
  fs::copy(sample, tmp / "base", fs::copy_options::recursive);
  {
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, tmp / "base");
    for (const auto& z : w.Zones) ASSERT_TRUE(SaveWholeZone(w, z->Vnum).ok);
  }
  std::vector<Change> changes;
  for (const auto& e : fs::recursive_directory_iterator(tmp / "base")) {
    if (!e.is_regular_file() || e.path().extension() == ".map") continue;
    const bool zone = e.path().extension() == ".zon";
    const auto lines = Lines(test::ReadFile(e.path()));
    for (size_t i = 1; i < lines.size(); ++i) {
      if (!NumberLine(lines[i], zone)) continue;
      std::string rest = zone ? lines[i].substr(0, lines[i].find('\t')) : lines[i];
      size_t tokens = 0;
      while (!Trim(rest).empty()) NextWord(rest, kBlanks), ++tokens;
      for (size_t t = zone || lines[i].find(": ") != std::string::npos ? 1 : 0; t < tokens; ++t)
        changes.push_back({fs::relative(e.path(), tmp / "base"), i, t, ""});
    }
  }
  // A fixed sample of them, each with an edge value.
  std::mt19937 random(20261208u);
  std::shuffle(changes.begin(), changes.end(), random);
  changes.resize(std::min<size_t>(changes.size(), 240));
  int refused = 0, back = 0;
  for (size_t i = 0; i < changes.size(); ++i) {
    Change& c = changes[i];
    c.value = kEdges[i % std::size(kEdges)];
    const fs::path world = tmp / ("w" + std::to_string(i));
    fs::copy(tmp / "base", world, fs::copy_options::recursive);
    const std::string original = Changed(test::ReadFile(world / c.file), c);
    if (original == test::ReadFile(world / c.file)) continue;  // the value it had
    test::WriteFile(world / c.file, original);
    SCOPED_TRACE(c.file.string() + " line " + std::to_string(c.line + 1) + " token " +
                 std::to_string(c.token) + " = " + c.value);
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, world);
    if (w.Files.Find(world / c.file) && w.Files.Find(world / c.file)->Failed) {
      ++refused;
    } else if (const FileNote* n = w.Files.Find(world / c.file); n && n->Skipped > 0) {
      ++refused;
    } else {
      for (const auto& z : w.Zones) SaveWholeZone(w, z->Vnum);
      const std::string saved = test::ReadFile(world / c.file);
      if (c.file.extension() == ".zon")
        EXPECT_EQ(WithoutComments(saved), WithoutComments(original));
      else
        EXPECT_EQ(saved, original);
      ++back;
    }
    fs::remove_all(world);
  }
  EXPECT_GE(refused + back, 200);
  std::cout << "one-value changes: " << back << " came back, " << refused << " refused\n";
}

}  // namespace
}  // namespace zm
