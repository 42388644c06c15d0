// Showing a record in its editor, looking around in it and leaving it
// without a touch changes nothing: not the record, and not a byte of any file
// its zone would be saved as.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <tuple>
#include <type_traits>

#include "editors/changetracker.h"
#include "editors/editorwindow.h"
#include "editors/roomeditor.h"
#include "editors/roomeditorpages.h"
#include "editors/roomexitspage.h"
#include "editors/roommobilespage.h"
#include "editors/roomobjectspage.h"
#include "editors/roomtriggersingredientspage.h"
#include "gui/guitestutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

// What a builder clicks through without changing anything.
void LookAround(RecordEditor* editor) {
  if (auto* f = dynamic_cast<RoomEditor*>(editor)) {
    for (int d = kDirections - 1; d >= 0; --d) f->Exits().R_ExitPanelClick(d);
    for (QTreeWidget* list : {f->Objects().R_ObjListView, f->Mobiles().R_MobListView,
                              f->TriggersIngredients().R_IngrListView})
      for (int i = list->topLevelItemCount() - 1; i >= 0; --i)
        list->setCurrentItem(list->topLevelItem(i));
    for (int i = f->ExtraDescs().R_EDescListBox->count() - 1; i >= 0; --i)
      f->ExtraDescs().R_EDescListBox->setCurrentRow(i);
    for (int i = 0; i < f->Description().R_DescPageControl->count(); ++i)
      f->Description().R_DescPageControl->setCurrentIndex(i);
  }
}

using WalkParam = std::tuple<int, std::string>;  // a RecordKind, "sample" or "real"

class NoChangeWalk : public ::testing::TestWithParam<WalkParam> {};

TEST_P(NoChangeWalk, ShowingAndLeavingChangesNothing) {
  const auto kind = static_cast<RecordKind>(std::get<0>(GetParam()));
  const fs::path source = std::get<1>(GetParam()) == "sample"
                              ? fs::path(ZEMLEMER_BIN_DIR) / "Zones"
                              : fs::path(ZEMLEMER_REALWORLD) / "bylins";
  if (!fs::exists(source)) GTEST_SKIP() << "no world at " << source;
  TempDir tmp;
  // A copy: an open world holds a lock file, and the walks run side by side.
  const fs::path world = tmp / "world";
  fs::copy(source, world, fs::copy_options::recursive);
  Started app(test::MakeAppDir(tmp / "app", true), world);
  RegisterEditors(app.form->Host());
  World& w = app.form->world();
  EditorWindows& windows = app.form->Windows();
  ChangeTracker tracker(w);
  std::vector<ChangeTracker::Snapshot> before;
  for (const auto& z : w.Zones) before.push_back(tracker.Take(z->Vnum));

  int shown = 0;
  auto walk = [&](auto& rec) {
    const auto copy = rec;
    windows.Edit(rec);
    ASSERT_NE(dynamic_cast<EditorWindow*>(windows.Active()), nullptr) << rec.Vnum;
    LookAround(windows.Active());
    windows.ApplyActive(true);
    EXPECT_TRUE(rec == copy) << "record " << rec.Vnum;
    ++shown;
  };
  if (kind == kZoneMap) {
    for (const auto& m : w.ZoneMaps) walk(*m);
  } else {
    w.ForKind(kind, [&](auto& list) {
      for (const auto& rec : list) {
        // Bare zones (records without a zone file) have no editor of their own.
        if constexpr (std::is_same_v<std::decay_t<decltype(*rec)>, TZone>)
          if (!rec->Registered) continue;
        walk(*rec);
      }
    });
  }
  EXPECT_GT(shown, 0);
  for (const auto& b : before) {
    const ChangeTracker::Snapshot now = tracker.Take(b.Zone);
    EXPECT_EQ(now.Files, b.Files) << "zone " << b.Zone;
    EXPECT_EQ(now.Results, b.Results) << "zone " << b.Zone;
  }
}

std::string WalkName(const ::testing::TestParamInfo<WalkParam>& info) {
  static const char* const kNames[kRecordKinds] = {"Zones",   "Rooms", "Maps",    "Objects",
                                                   "Mobiles", "Shops", "Triggers"};
  return kNames[std::get<0>(info.param)] + ("_" + std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, NoChangeWalk,
                         ::testing::Combine(::testing::Range(0, int{kRecordKinds}),
                                            ::testing::Values("sample", "real")),
                         WalkName);

}  // namespace
}  // namespace zm
