#include "edit/worldhistory.h"

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "core/worldbuild.h"
#include "model/world.h"

namespace zm {
namespace {

using test::AddRecord;

struct CountingListener : StepListener {
  int removed = 0, added = 0, changed = 0;
  void AboutToRemove(TMUDClass&) override { ++removed; }
  void Added(TMUDClass&) override { ++added; }
  void Changed(TMUDClass&) override { ++changed; }
};

std::vector<std::string> RoomNames(const World& w) {
  std::vector<std::string> out;
  for (const auto& r : w.Rooms) out.push_back(std::to_string(r->Vnum) + " " + r->Name);
  return out;
}

// Rooms 3000-3009 of zone 30 and 3100-3109 of zone 31, interleaved in the
// list so that places matter.
void Fill(World& w) {
  for (int i = 0; i < 10; ++i) {
    AddRecord<TRoom>(w, 3000 + i).Name = "a" + std::to_string(i);
    AddRecord<TRoom>(w, 3100 + i).Name = "b" + std::to_string(i);
  }
}

TEST(WorldHistory, StepsKeepOnlyWhatChangedAndPutItBackInPlace) {
  struct Case {
    const char* name;
    std::function<void(World&)> change;
    size_t kept;  // records in the step
  };
  const Case cases[] = {
      {"rename", [](World& w) { w.Rooms.Find(3003)->Name = "x"; }, 1},
      {"remove middle and first",
       [](World& w) {
         w.Rooms.Extract(w.Rooms.IndexOfVnum(3004));
         w.Rooms.Extract(w.Rooms.IndexOfVnum(3000));
       },
       2},
      {"insert and append",
       [](World& w) {
         w.Rooms.InsertAt(3, std::make_unique<TRoom>(30, 3050));
         AddRecord<TRoom>(w, 3051);
       },
       2},
      {"renumber in place",
       [](World& w) {
         for (TRoom* r : std::vector<TRoom*>(w.Rooms.InZone(30))) r->Vnum += 50;
         w.Rooms.VnumsChanged();
       },
       10},
      {"everything at once",
       [](World& w) {
         w.Rooms.Find(3009)->Name = "y";
         w.Rooms.Extract(w.Rooms.IndexOfVnum(3001));
         AddRecord<TRoom>(w, 3060);
       },
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::RecordingReporter rep;
    World w(rep);
    Fill(w);
    const auto before = RoomNames(w);
    StepRecorder rec(w, {30});
    c.change(w);
    const auto after = RoomNames(w);
    const WorldStep step = rec.Finish(w, {});
    EXPECT_EQ(step.Changes.size(), c.kept);
    EXPECT_FALSE(step.Name.empty());
    CountingListener l;
    ASSERT_TRUE(UndoStep(w, step, l));
    EXPECT_EQ(RoomNames(w), before);
    ASSERT_TRUE(RedoStep(w, step, l));
    EXPECT_EQ(RoomNames(w), after);
  }
}

TEST(WorldHistory, AWorldChangedPastTheHistoryIsLeftAlone) {
  test::RecordingReporter rep;
  World w(rep);
  Fill(w);
  StepRecorder rec(w, {30});
  w.Rooms.Find(3002)->Name = "x";
  const WorldStep step = rec.Finish(w, "x");
  w.Rooms.Find(3002)->Name = "changed outside";
  CountingListener l;
  EXPECT_FALSE(UndoStep(w, step, l));
  EXPECT_EQ(w.Rooms.Find(3002)->Name, "changed outside");
  EXPECT_EQ(l.changed, 0);
  // Nor is a redo applied twice.
  w.Rooms.Find(3002)->Name = "x";
  ASSERT_TRUE(UndoStep(w, step, l));
  ASSERT_TRUE(RedoStep(w, step, l));
  EXPECT_FALSE(RedoStep(w, step, l));
}

TEST(WorldHistory, BoundedAndANewStepDropsTheUndone) {
  WorldHistory h(3);
  const auto step = [](const char* name) {
    WorldStep s;
    s.Name = name;
    s.Changes.push_back({kRoom, 0, 0, nullptr, nullptr});
    return s;
  };
  h.Push(WorldStep{});  // an operation that changed nothing is no step
  EXPECT_EQ(h.Count(), 0u);
  for (const char* n : {"1", "2", "3", "4"}) h.Push(step(n));
  EXPECT_EQ(h.Count(), 3u);
  EXPECT_EQ(h.NextUndo()->Name, "4");
  h.Undone();
  h.Undone();
  EXPECT_EQ(h.NextUndo()->Name, "2");
  EXPECT_EQ(h.NextRedo()->Name, "3");
  h.Push(step("5"));
  EXPECT_EQ(h.NextRedo(), nullptr);
  EXPECT_EQ(h.Count(), 2u);
  h.Undone();
  h.Undone();
  EXPECT_EQ(h.NextUndo(), nullptr);
}

}  // namespace
}  // namespace zm
