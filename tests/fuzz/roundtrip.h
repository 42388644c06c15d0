#pragma once
// The rule every reader's target checks: a file the reader took in whole
// (its note tells nothing left out, nothing of another zone) is written so
// that reading and writing it again gives the same bytes. A file the note
// marks is only written, for the writer's sake: a save asks before it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/coding.h"
#include "common/reporter.h"
#include "common/savelines.h"
#include "io/recordfile.h"
#include "io/recordformat.h"
#include "model/world.h"
#include "query/references.h"
#include "query/worldcheck.h"

namespace zm::fuzz {

// The questions asked of a loaded world must hold on whatever was read.
inline void AskAbout(const World& w) {
  ReferenceIndex index;
  index.Rebuild(w);
  for (const auto& r : w.Rooms) (void)index.UsesOf(kRoom, r->Vnum);
  (void)CheckWorld(w);
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// Set by the replay for seeds that are the writer's own output ("written*"):
// their first write must give them back byte for byte.
inline bool& AsWritten() {
  static bool asWritten = false;
  return asWritten;
}

// `Reading(bytes)` reads the bytes into a world of its own and offers
//   bool Whole() const: the note says the file was taken in whole;
//   std::optional<std::string> Write() const: the bytes a save writes, none
//     when the writer refuses;
//   uint8_t Coding() const: the coding the read settled on.
template <typename Reading>
void CheckRoundTrip(const std::string& input) {
  Reading first(input);
  const std::optional<std::string> once = first.Write();
  if (!first.Whole()) return;
  // What was read whole and cannot be saved could never be saved again.
  if (!once) Fail("a file read whole is refused by its writer");
  if (AsWritten() && *once != input) Fail("the writer's own file comes back changed");

  Reading second(*once);
  if (!second.Whole()) Fail("the writer's output is not read whole");
  const std::optional<std::string> twice = second.Write();
  if (!twice) Fail("the writer refuses what it wrote itself");
  if (*twice == *once) return;
  // Letters alone choose between KOI8-R and Windows-1251, and the writer
  // drops what the file held outside its records (a header, blank lines),
  // which can tip the guess. Read as KOI8-R, Windows-1251 bytes that are no
  // KOI8-R letters become Ё and are written as KOI8-R Ё: a matter of the
  // guess, not of the layout checked here.
  std::string guessed = *once;
  KoiToWin(guessed);
  WinToKoi(guessed);
  if (second.Coding() == kCodingKoi && first.Coding() != kCodingKoi && *twice == guessed) return;
  Fail("write, read, write changes the bytes");
}

// One file of a record kind, read as the editor reads it.
class RecordReading {
 public:
  RecordReading(RecordKind kind, const std::string& bytes, const char* name)
      : m_kind(kind), m_path(name) {
    (void)LoadRecordBytes(m_w, kind, bytes, m_path);
    AskAbout(m_w);
  }

  const World& world() const { return m_w; }

  // One zone's file, nothing left out: what the save of that zone writes.
  bool Whole() const {
    const FileNote* n = m_w.Files.Find(m_path);
    return n && n->Zones.size() == 1 && !n->LossyFor(*n->Zones.begin());
  }
  // Every zone's file the records make, one after the other.
  std::optional<std::string> Write() const {
    const FileNote* n = m_w.Files.Find(m_path);
    if (!n) return std::nullopt;
    std::string all;
    std::vector<std::string> lines;
    for (int32_t zone : n->Zones) {
      if (BuildRecordLines(m_w, m_kind, zone, lines)) return std::nullopt;
      all += JoinLines(lines, Setting(zone).Word());
    }
    return all;
  }
  uint8_t Coding() const {
    const FileNote* n = m_w.Files.Find(m_path);
    if (!n || n->Zones.empty()) return kCodingUnknown;
    return Setting(*n->Zones.begin()).Coding;
  }

 private:
  TFileSetting Setting(int32_t zone) const {
    const TZone* z = m_w.Zones.ByNumber(zone);
    return z ? z->*FormatOf(m_kind)->Setting : TFileSetting{};
  }

  SilentReporter m_rep;
  World m_w{m_rep};
  RecordKind m_kind;
  std::filesystem::path m_path;
};

template <RecordKind Kind>
struct KindReading : RecordReading {
  explicit KindReading(const std::string& bytes) : RecordReading(Kind, bytes, "fuzz.file") {}
};

}  // namespace zm::fuzz
