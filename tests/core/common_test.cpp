#include <gtest/gtest.h>

#include "common/messages.h"
#include "core/testutil.h"
#include "model/records.h"

namespace zm {
namespace {

struct TestRec : TMUDClass {
  TestRec(int32_t vnum, std::string name) : TMUDClass(kRoom), Name(std::move(name)) {
    Vnum = vnum;
    Zone = ZoneOf(vnum);
  }
  std::string Name;
};

class TestList : public TMUDList<TestRec> {
 public:
  void Add(int32_t vnum, std::string name = "") {
    TMUDList::Add(std::make_unique<TestRec>(vnum, std::move(name)));
  }
  std::string NameOfRecord(const TestRec& r) const override { return r.Name; }
};

TEST(MudList, FreeNumbersAndLookups) {
  TestList l;
  for (int v : {1200, 1201, 1203}) l.Add(v);
  EXPECT_EQ(l.FirstFreeNumber(12), 2);
  EXPECT_EQ(l.CountInZone(12), 3);
  EXPECT_FALSE(l.IsFreeVnum(1201));
  EXPECT_TRUE(l.IsFreeVnum(1202));

  TestList full;
  for (int n = 0; n < 100; ++n) full.Add(MakeVnum(n, 7));
  EXPECT_EQ(full.FirstFreeNumber(7), 100);
}

TEST(MudList, FirstOfDuplicateVnumsSurvivesEdits) {
  TestList l;
  l.Add(5, "a");
  l.Add(7, "b");
  l.Add(5, "c");
  EXPECT_EQ(l.IndexOfVnum(5), 0);
  EXPECT_EQ(l.NameOf(5), "a");
  EXPECT_EQ(l.NameOf(6), "?");
  EXPECT_EQ(l.CaptionOf(7), "[7] b");
  l.Delete(0);
  EXPECT_EQ(l.IndexOfVnum(5), 1);
  EXPECT_EQ(l.NameOf(5), "c");
  l.Items(0)->Vnum = 9;
  l.VnumsChanged();
  EXPECT_EQ(l.IndexOfVnum(9), 0);
  EXPECT_EQ(l.IndexOfVnum(7), -1);
  l.Add(9, "d");
  EXPECT_EQ(l.NameOf(9), "b");
}

TEST(SmallLists, DeleteOutOfRangeAndDeepCopies) {
  TLinkObjList a;
  a.Add(TLinkObj{{1, 100}, 50, 3, {}, {}, false});
  a.Add(TLinkObj{{0, 101}, -1, 255, {}, {}, false});
  a.Delete(-1);
  a.Delete(a.Count());
  ASSERT_EQ(a.Count(), 2);
  EXPECT_EQ(a.IndexOfID(101), 1);
  EXPECT_EQ(a.IndexOfID(5), -1);

  TLinkObjList b;
  b.Assign(a);
  EXPECT_TRUE(a == b);
  EXPECT_NE(a.Items(0), b.Items(0));
  b.Items(0)->Chance = 10;
  EXPECT_EQ(a.Items(0)->Chance, 50);
  b.Delete(0);
  EXPECT_EQ(b.Count(), 1);

  TIntList ints;
  ints.Add(3);
  ints.Add(4);
  ints.Put(1, 9);
  ints.Put(5, 1);
  EXPECT_EQ(ints.Get(1), 9);
  EXPECT_EQ(ints.Get(7), 0);
}

TEST(Messages, TablesAndFormatting) {
  EXPECT_EQ(ErrorText(ErrorMsg::ZoneLoad), W("Не могу загрузить зону из файла %s (%s)"));
  EXPECT_EQ(ErrorText(static_cast<ErrorMsg>(21)), "");
  EXPECT_EQ(ConfirmText(static_cast<ConfirmMsg>(99)), "");
  EXPECT_EQ(ErrorText(ErrorMsg::RoomSave),
            W("Не могу сохранить комнаты для зоны %d\r\nФайл %s: %s"));

  struct Case {
    std::string format;
    FmtArgs args;
    std::string want;
  };
  std::vector<Case> cases = {
      {"zone %d room %d", {12, 1203}, "zone 12 room 1203"},
      {"%s (%s)", {"a.wld", "x"}, "a.wld (x)"},
      {"%d and %s", {"text", 42}, "text and 42"},  // swapped kinds are still safe
      {"%s %s %d", {"only"}, "only  "},            // missing arguments are empty
      {"100%% %x", {}, "100% %x"},
      {"%", {}, "%"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMessage(c.format, c.args), c.want) << c.format;
}

TEST(Messages, ReporterFormatsAndReturnsAnswer) {
  test::RecordingReporter r;
  r.answer = false;
  EXPECT_FALSE(r.AskConfirm(ConfirmMsg::Delete, {W("комнату \"[1] x\"")}));
  ASSERT_EQ(r.confirms.size(), 1u);
  EXPECT_EQ(r.confirms[0].text, W("Вы хотите удалить комнату \"[1] x\"?"));
  r.answer = true;
  EXPECT_TRUE(r.AskConfirm(ConfirmMsg::Exit));
  r.ShowError(ErrorMsg::ObjSave, {12, "OBJ/12.obj", W("ошибка в объекте 1205")});
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0].n, 6);
  EXPECT_EQ(r.errors[0].text,
            W("Не могу сохранить объекты для зоны 12\r\nФайл OBJ/12.obj: ошибка в объекте 1205"));
}

}  // namespace
}  // namespace zm
