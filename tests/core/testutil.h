#pragma once
// Shared helpers of the core tests: a reporter that records, temporary
// folders and whole-file reads and writes.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/reporter.h"

namespace zm::test {

class RecordingReporter : public Reporter {
 public:
  struct Shown {
    int n;
    std::string text;
  };
  std::vector<Shown> errors;
  std::vector<Shown> confirms;
  std::vector<std::string> loadErrors;
  bool answer = false;

  void AddLoadError(const std::string& text) override { loadErrors.push_back(text); }

 protected:
  void Error(int n, const std::string& text) override { errors.push_back({n, text}); }
  bool Confirm(int n, const std::string& text) override {
    confirms.push_back({n, text});
    return answer;
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

// The real world files of a running game, when they are on this machine.
inline std::filesystem::path RealWorld() {
  if (const char* env = std::getenv("ZEMLEMER_REALWORLD_DIR")) return env;
  return ZEMLEMER_REALWORLD;
}

}  // namespace zm::test
