#include <gtest/gtest.h>

#include "common/winutf8.h"
#include "gui/guitestutil.h"

namespace zm {
namespace {

using test::Captions;

TEST(TreeCompare, NumberedFirstInAscendingOrder) {
  struct Case {
    const char* a;
    const char* b;
    int want;
  } cases[] = {
      // clang-format off
      {"[9] Лес", "[10] Поле", -1},
      {"[10] Поле", "[9] Лес", 1},
      {"[5] a", "[5] b", 0},
      {"Карта", "[1] a", 1},      // unnumbered after numbered
      {"[1] a", "Комнаты", -1},
      {"Карта", "Комнаты", 0},    // unnumbered compare equal
      {"a [7] b", "[8] c", -1},   // the bracket need not open the caption
      {"[-3] a", "[2] b", -1},
      {"[-2147483648] a", "[1] b", -1},
      // A number that cannot be read compares equal to anything numbered.
      {"[x] a", "[1] b", 0},
      {"[12 a", "[3] b", 0},
      {"[2147483648] a", "[1] b", 0},
      {"[ 5] a", "[1] b", 0},
      {"[+5] a", "[1] b", 0},
      {"[] a", "[1] b", 0},
      {"[-] a", "[1] b", 0},
      // clang-format on
  };
  for (const Case& c : cases)
    EXPECT_EQ(WorldTree::TreeView1Compare(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.want)
        << c.a << " vs " << c.b;
}

struct TreeFixture : ::testing::Test {
  QTreeWidget view;
  WorldTree tree{&view};
  std::vector<std::unique_ptr<TZone>> zones;
  std::vector<std::unique_ptr<TZoneMap>> maps;
  std::vector<std::unique_ptr<TRoom>> rooms;

  TZone* Zone(int32_t n) {
    zones.push_back(std::make_unique<TZone>(n));
    maps.push_back(std::make_unique<TZoneMap>(n));
    TZone* z = zones.back().get();
    tree.AddZoneNodes(*z, NodeCaption(n, W("Зона")), *maps.back());
    return z;
  }
  TRoom* Room(int32_t vnum, QTreeWidgetItem* group) {
    rooms.push_back(std::make_unique<TRoom>(ZoneOf(vnum), vnum));
    TRoom* r = rooms.back().get();
    tree.AddEntryNode(group, NodeCaption(vnum, W("Комната")), *r);
    return r;
  }
};

TEST_F(TreeFixture, GroupsAndZoneNodes) {
  EXPECT_EQ(Captions(view.invisibleRootItem()),
            (QStringList{QStringLiteral("Зоны"), QStringLiteral("Комнаты"),
                         QStringLiteral("Объекты"), QStringLiteral("Мобы"),
                         QStringLiteral("Магазины"), QStringLiteral("Триггеры")}));
  TZone* z = Zone(12);
  auto* item = tree.ItemOf(z);
  EXPECT_EQ(item->parent(), tree.TopGroup(kZone));
  EXPECT_EQ(item->text(0), QStringLiteral("[12] Зона"));
  EXPECT_EQ(Captions(item), (QStringList{QStringLiteral("Карта"), QStringLiteral("Комнаты"),
                                         QStringLiteral("Объекты"), QStringLiteral("Мобы"),
                                         QStringLiteral("Магазины"), QStringLiteral("Триггеры")}));
  EXPECT_EQ(WorldTree::RecordOf(item->child(0)), maps.back().get());
  EXPECT_EQ(tree.ItemOf(maps.back().get()), item->child(0));
}

TEST_F(TreeFixture, FindGroupNodeWithAndWithoutZoneFile) {
  TZone* z12 = Zone(12);
  Zone(30);
  auto* z12Item = tree.ItemOf(z12);
  struct Case {
    int32_t zone;
    RecordKind kind;
    QTreeWidgetItem* want;
  } cases[] = {
      {12, kRoom, z12Item->child(1)},
      {12, kTrigger, z12Item->child(5)},
      {12, kZoneMap, z12Item->child(0)},
      {77, kRoom, tree.TopGroup(kRoom)},  // no zone file: the top-level group
      {77, kShop, tree.TopGroup(kShop)},
      {77, kZoneMap, nullptr},  // no top-level "Карта"
  };
  for (const Case& c : cases)
    EXPECT_EQ(tree.FindGroupNode(c.zone, c.kind), c.want) << c.zone << "/" << int(c.kind);

  // A zone node without the group has none, and does not fall back.
  delete z12Item->child(3);  // "Мобы"
  EXPECT_EQ(tree.FindGroupNode(12, kMobile), nullptr);
  // A zone whose number changed is found under its new number.
  z12->Vnum = z12->Zone = 13;
  EXPECT_EQ(tree.FindGroupNode(13, kRoom), z12Item->child(1));
  EXPECT_EQ(tree.FindGroupNode(12, kRoom), tree.TopGroup(kRoom));
}

TEST_F(TreeFixture, FindGroupNodeTakesTheFirstZoneOfANumber) {
  TZone* first = Zone(40);
  Zone(40);
  EXPECT_EQ(tree.FindGroupNode(40, kRoom)->parent(), tree.ItemOf(first));
}

TEST_F(TreeFixture, SortAllOrdersByNumberAndKeepsGroupOrder) {
  for (int32_t n : {10, 9, 100, 1}) Zone(n);
  QTreeWidgetItem* rooms9 = tree.FindGroupNode(9, kRoom);
  for (int32_t v : {905, 900, 910, 901}) Room(v, rooms9);
  auto* plain = new QTreeWidgetItem({QStringLiteral("без номера")});
  tree.TopGroup(kZone)->insertChild(0, plain);
  view.setCurrentItem(tree.ItemOf(rooms[2].get()));
  tree.TopGroup(kZone)->setExpanded(true);

  tree.SortAll();
  EXPECT_EQ(Captions(tree.TopGroup(kZone)),
            (QStringList{QStringLiteral("[1] Зона"), QStringLiteral("[9] Зона"),
                         QStringLiteral("[10] Зона"), QStringLiteral("[100] Зона"),
                         QStringLiteral("без номера")}));
  EXPECT_EQ(Captions(tree.FindGroupNode(9, kRoom)),
            (QStringList{QStringLiteral("[900] Комната"), QStringLiteral("[901] Комната"),
                         QStringLiteral("[905] Комната"), QStringLiteral("[910] Комната")}));
  // Unnumbered siblings keep their creation order.
  EXPECT_EQ(Captions(tree.ItemOf(zones[0].get())),
            (QStringList{QStringLiteral("Карта"), QStringLiteral("Комнаты"),
                         QStringLiteral("Объекты"), QStringLiteral("Мобы"),
                         QStringLiteral("Магазины"), QStringLiteral("Триггеры")}));
  EXPECT_EQ(view.currentItem(), tree.ItemOf(rooms[2].get()));
  EXPECT_TRUE(tree.TopGroup(kZone)->isExpanded());
  // The zone index follows the new order.
  EXPECT_EQ(tree.FindGroupNode(10, kRoom)->parent()->text(0), QStringLiteral("[10] Зона"));
}

TEST_F(TreeFixture, RemoveSubtreeClearsEveryNodeBelow) {
  TZone* z = Zone(9);
  TRoom* r = Room(901, tree.FindGroupNode(9, kRoom));
  TRoom* other = Room(902, tree.TopGroup(kRoom));
  tree.RemoveSubtree(tree.ItemOf(z));
  EXPECT_EQ(tree.ItemOf(z), nullptr);
  EXPECT_EQ(tree.ItemOf(maps.back().get()), nullptr);
  EXPECT_EQ(tree.ItemOf(r), nullptr);
  EXPECT_NE(tree.ItemOf(other), nullptr);
  EXPECT_EQ(tree.TopGroup(kZone)->childCount(), 0);
  EXPECT_EQ(tree.FindGroupNode(9, kRoom), tree.TopGroup(kRoom));
  // The fixed groups cannot be removed.
  tree.RemoveSubtree(tree.TopGroup(kRoom));
  EXPECT_EQ(view.topLevelItemCount(), 6);
}

}  // namespace
}  // namespace zm
