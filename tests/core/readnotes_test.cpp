// A record the readers cannot see is noted against its file, so that a save
// asks before writing the file without it.
#include <gtest/gtest.h>

#include "core/testutil.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace zm {
namespace {

TEST(ReadNotes, ARecordBehindAByteOrderMarkOrABlankIsNoted) {
  struct Kind {
    RecordKind kind;
    const char* record;  // one whole record of zone 50 after its "#" line
  } kinds[] = {
      {kRoom, "\nRoom~\n~\n50 0 0\nS\n"},
      {kMobile,
       "\nmob~\nmob~\nmob~\nmob~\nmob~\nmob~\nmob~\nlong\n~\nlook\n~\n0 0 0 E\n1 20 10 1d1+1 "
       "1d1+1\n"
       "0d0+0 0\n8 8 1\nE\n"},
      {kTrigger, "\ntrig~\n0 g 100\n~\nsay hi\n~\n"},
  };
  for (const Kind& k : kinds) {
    for (const char* lead : {"\xEF\xBB\xBF#5000", " #5000"}) {
      SCOPED_TRACE(std::string(lead) + " " + std::to_string(k.kind));
      test::RecordingReporter rep;
      World w(rep);
      const std::string path = "50.file";
      LoadRecordBytes(w, k.kind, std::string(lead) + k.record + "$\n$\n", path);
      EXPECT_TRUE(w.Files.LossyFor(path, 50));
      // Without the lead the record is read and nothing is noted.
      World clean(rep);
      ASSERT_TRUE(LoadRecordBytes(clean, k.kind, std::string("#5000") + k.record + "$\n$\n", path));
      EXPECT_FALSE(clean.Files.LossyFor(path, 50));
    }
  }
}

}  // namespace
}  // namespace zm
