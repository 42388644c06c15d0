#pragma once
// Shared helpers of the core tests: a reporter that records, a tree that
// records, temporary folders and whole-file reads and writes.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/reporter.h"
#include "common/winutf8.h"
#include "model/records.h"
#include "model/treesink.h"

namespace zm::test {

class RecordingReporter : public Reporter {
 public:
  struct Shown {
    int n;
    std::string text;
  };
  std::vector<Shown> errors;
  std::vector<Shown> confirms;
  std::vector<Shown> choices;
  std::vector<std::string> loadErrors;
  bool answer = false;
  int choice = 2;  // the last answer: leave things as they are

  void AddLoadError(const std::string& text) override { loadErrors.push_back(text); }

 protected:
  void Error(int n, const std::string& text) override { errors.push_back({n, text}); }
  bool Confirm(int n, const std::string& text) override {
    confirms.push_back({n, text});
    return answer;
  }
  int Choose(int n, const std::string& text, const std::vector<std::string>&) override {
    choices.push_back({n, text});
    return choice;
  }
};

// The main window's tree as the world sees it: group nodes exist for the
// (zone, kind) pairs a test names; each node remembers its group, caption
// and record.
class FakeTree : public TreeSink {
 public:
  using Group = std::pair<int32_t, RecordKind>;
  struct Entry {
    Group group;
    std::string caption;
    const TMUDClass* rec;
  };
  std::set<Group> groups;
  std::vector<Entry> entries;
  std::vector<std::string> zoneNodes;  // captions, with " +map" for the map node

  void AddEntryNode(TMUDClass& rec, const std::string& caption) override {
    if (groups.count({rec.Zone, rec.Kind}))
      entries.push_back({{rec.Zone, rec.Kind}, caption, &rec});
  }
  void SetCaption(const TMUDClass& rec, const std::string& caption) override {
    if (Entry* e = Find(&rec)) e->caption = caption;
  }
  void AddZoneNodes(TMUDClass&, const std::string& caption, TMUDClass&) override {
    zoneNodes.push_back(caption + " +map");
  }
  Entry* Find(const TMUDClass* rec) {
    for (auto& e : entries)
      if (e.rec == rec) return &e;
    return nullptr;
  }
};

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() /
             ("zemlemer-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(m_path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file of tests/data, such as a world file of a fixture case.
inline std::string TestData(const std::string& relative) {
  return ReadFile(std::filesystem::path(ZEMLEMER_TEST_DATA) / relative);
}

// The real world files of a running game, when they are on this machine.
inline std::filesystem::path RealWorld() {
  if (const char* env = std::getenv("ZEMLEMER_REALWORLD_DIR")) return env;
  return ZEMLEMER_REALWORLD;
}

}  // namespace zm::test
