#include "app/templatedialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/commands.h"
#include "app/treecontrol.h"
#include "gui/guitestutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;
using test::ZoneOutline;

TEST(TemplateDialog, OkFollowsTheModeAndTheNumbers) {
  test::FakeRunner runner;
  TemplateDialog form(runner);
  TemplateRequest req;
  req.Names = {"Первый", "Второй"};
  req.Template = 0;
  req.Number = 2;
  req.Maximum = 3;
  req.IsFreeNumber = [](int32_t n) { return n != 0 && n != 1 && n != 3; };
  form.Prepare(req);
  EXPECT_EQ(form.TmplComboBox()->count(), 2);
  EXPECT_EQ(form.TmplComboBox()->currentIndex(), 0);
  EXPECT_EQ(form.QtyLabel()->text(), QStringLiteral("3"));
  EXPECT_EQ(form.Mode(), TemplateMode::Number);
  struct Case {
    bool quantity;
    int value;
    bool ok;
  } cases[] = {
      {false, 2, true},  {false, 3, false}, {false, 4, true},
      {true, 3, true},   {true, 1, true},   {true, 4, false},  // beyond the maximum
      {false, 0, false},
  };
  for (const Case& c : cases) {
    if (c.quantity) {
      form.QtyEditEnter();
      form.QtyEdit()->setMaximum(99);  // typed past the limit
      form.QtyEdit()->setValue(c.value);
    } else {
      form.NumEditEnter();
      form.NumEdit()->setValue(c.value);
    }
    EXPECT_EQ(form.OkBtn()->isEnabled(), c.ok) << c.quantity << " " << c.value;
  }
  // Enter closes only while "Ok" is enabled.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &enter);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  form.NumEdit()->setValue(4);
  QCoreApplication::sendEvent(&form, &enter);
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(TemplateDialog, AddCreatesFromTheTemplateAndSelects) {
  TempDir tmp;
  test::WriteWorld(tmp / "world", {ZoneOutline{12, "Лес", 1, 0, 4}});
  Started app(test::MakeAppDir(tmp / "app", true), tmp / "world");
  MainWindow& form = *app.form;
  // Mobiles 1200, 1201 and 1203.
  app.reporter.answer = true;
  auto mob = [&](int32_t v) { return form.Tree().ItemOf(form.world().Mobs.Find(v)); };
  form.TreeControl().SetContextNode(mob(1202));
  form.Commands().MI_PDeleteClick();
  ASSERT_EQ(form.world().Mobs.Find(1202), nullptr);

  int proposed = -1;
  QStringList names;
  app.runner.answer = [&](QDialog& d) {
    auto* f = dynamic_cast<TemplateDialog*>(&d);
    if (!f) return int(QDialog::Rejected);
    proposed = f->NumEdit()->value();
    for (int i = 0; i < f->TmplComboBox()->count(); ++i) names << f->TmplComboBox()->itemText(i);
    f->QtyEditEnter();
    f->QtyEdit()->setValue(3);
    return f->OkBtn()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
  };
  QTreeWidgetItem* group = app.Node(QStringLiteral("Зоны/[12] Лес/Мобы"));
  form.TreeControl().SetContextNode(group);
  form.Commands().MI_PAddClick();
  EXPECT_EQ(proposed, 2);
  EXPECT_FALSE(names.isEmpty());  // the bundled Template_Mob
  for (int32_t v : {1202, 1204, 1205}) EXPECT_NE(form.world().Mobs.Find(v), nullptr) << v;
  QStringList vnums;
  for (const QString& c : test::Captions(group)) vnums << c.section(u']', 0, 0).mid(1);
  EXPECT_EQ(vnums,
            (QStringList{QStringLiteral("1200"), QStringLiteral("1201"), QStringLiteral("1202"),
                         QStringLiteral("1203"), QStringLiteral("1204"), QStringLiteral("1205")}));
  EXPECT_EQ(form.TreeView1()->currentItem(), mob(1202));
  EXPECT_TRUE(app.reporter.errors.empty());
}

}  // namespace
}  // namespace zm
