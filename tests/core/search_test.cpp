// Searching records by their words.
#include "query/search.h"

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "model/world.h"

namespace zm {
namespace {

TEST(Search, AnyLetterCaseAndYoAsYeInEveryTextField) {
  test::RecordingReporter rep;
  World w(rep);
  auto room = std::make_unique<TRoom>(1, 100);
  room->Name = W("Ёлка у колодца");
  room->ExtraDescs.Add(TExtraDesc{W("сруб"), W("Старый сруб.\r\nВ нём ведро.")});
  w.Rooms.Add(std::move(room));
  auto obj = std::make_unique<TObj>(1, 101);
  obj->Aliases = W("ведро деревянное");
  w.Objs.Add(std::move(obj));
  auto trig = std::make_unique<TTrigger>(1, 102);
  trig->Text = W("if %actor.name% == ведро\r\n  say Вёдра!\r\nend");
  w.Triggers.Add(std::move(trig));

  struct Case {
    const char* text;
    std::optional<RecordKind> kind;
    std::vector<std::string> found;  // "vnum field: line"
  };
  const std::vector<Case> cases = {
      {"елка", {}, {"100 Name: Ёлка у колодца"}},
      {"КОЛОДЦ", {}, {"100 Name: Ёлка у колодца"}},
      {"в нем", {}, {"100 ExtraDescs[0].Description: В нём ведро."}},
      {"ведр",
       {},
       {"100 ExtraDescs[0].Description: В нём ведро.", "101 Aliases: ведро деревянное",
        "102 Text: if %actor.name% == ведро"}},
      {"ведр", kTrigger, {"102 Text: if %actor.name% == ведро"}},
      {"ВЁДРА", kTrigger, {"102 Text:   say Вёдра!"}},
      {"", {}, {}},
      {"нет такого", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> found;
    for (const SearchHit& h : SearchText(w, W(c.text), c.kind))
      found.push_back(std::to_string(h.Vnum) + " " + h.Field + ": " + WinToUtf8(h.Text));
    EXPECT_EQ(found, c.found);
  }
}

}  // namespace
}  // namespace zm
