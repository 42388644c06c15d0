#include "app/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QPushButton>
#include <QSplitter>

#include "app/settingsdialog.h"
#include "gui/guitestutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

using test::Started;
using test::TempDir;

TEST(IniFile, ReadsWhatItWritesAndKeepsTheRest) {
  IniFile ini;
  ini.Parse(
      "; written by hand\r\n"
      "[main]\r\n"
      "showloadtime = 7\r\n"
      "WorldPath=D:\\World\\\r\n"
      "Width=abc\r\n"
      "\r\n"
      "[Other]\r\n"
      "Key=Value\r\n");
  struct Case {
    const char* section;
    const char* key;
    int def;
    int want;
  } ints[] = {
      {"Main", "ShowLoadTime", 0, 7},  // any letter case
      {"Main", "Width", 800, 800},     // not a number: the default
      {"Main", "Height", 570, 570},    // missing
      {"Nowhere", "Key", 1, 1},
  };
  for (const Case& c : ints) EXPECT_EQ(ini.ReadInteger(c.section, c.key, c.def), c.want) << c.key;
  EXPECT_TRUE(ini.ReadBool("Main", "ShowLoadTime", false));
  EXPECT_EQ(ini.ReadString("Main", "WorldPath", ""), "D:\\World\\");

  ini.WriteBool("Main", "RestorePosition", true);
  ini.WriteBool("Main", "ShowLoadTime", false);
  ini.WriteInteger("Font", "Size", 9);
  EXPECT_EQ(ini.Text(),
            "; written by hand\n"
            "[main]\n"
            "showloadtime=0\n"
            "WorldPath=D:\\World\\\n"
            "Width=abc\n"
            "RestorePosition=1\n"
            "\n"
            "[Other]\n"
            "Key=Value\n"
            "[Font]\n"
            "Size=9\n");
}

TEST(SettingsFile, WorldPathRule) {
  const fs::path app = "/opt/zemlemer";
  struct Case {
    const char* value;
    const char* resolved;
  } cases[] = {
      {"Zones/", "/opt/zemlemer/Zones/"},     {"MyWorld\\", "/opt/zemlemer/MyWorld/"},
      {"/srv/mud/world/", "/srv/mud/world/"}, {"/srv/mud/world", "/srv/mud/world"},
      {"../lib/world/", "/opt/lib/world/"},   {"..\\lib\\world\\", "/opt/lib/world/"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveWorldPath(c.value, app), fs::path(c.resolved)) << c.value;
}

TEST(SettingsFile, FontStyleBits) {
  for (int bits = 0; bits < 16; ++bits) {
    QFont f;
    ApplyStyleBits(f, bits);
    EXPECT_EQ(StyleBits(f), bits);
  }
  QFont f;
  ApplyStyleBits(f, 5);
  EXPECT_TRUE(f.bold());
  EXPECT_TRUE(f.underline());
  EXPECT_FALSE(f.italic());
  EXPECT_FALSE(f.strikeOut());
}

TEST(SettingsFile, DefaultsWhenMissing) {
  IniFile ini;
  AppSettings s;
  FontSetting def{"Sans", 10, FontSetting::kSystemWindowText, 0, 1};
  s.Read(ini, def);
  EXPECT_FALSE(s.ShowLoadTime);
  EXPECT_EQ(s.WorldPath, "Zones/");
  EXPECT_EQ(s.Width, 800);
  EXPECT_EQ(s.Height, 570);
  EXPECT_EQ(s.Splitter, 180);
  EXPECT_EQ(s.LineBreak, 0);
  EXPECT_EQ(s.ObjItemKey, 18);
  EXPECT_EQ(s.Font.Name, "Sans");
  EXPECT_EQ(s.Font.Size, 10);
  EXPECT_EQ(s.Font.Color, FontSetting::kSystemWindowText);
}

TEST(SettingsFile, WrittenAtCloseAndReadBack) {
  TempDir tmp;
  const fs::path app = test::MakeAppDir(tmp / "app", false);
  test::WriteWorld(tmp / "worlds" / "bylins", {test::ZoneOutline{12, "Лес", 1}});
  test::WriteFile(app / "ZEMLEMER.INI",
                  "[Main]\nWorldPath=../worlds/bylins/\nRestorePosition=1\nLeft=20\nTop=30\n"
                  "Width=700\nHeight=500\nSplitter=150\nShowLoadTime=0\n"
                  "[Editor]\nCoding=2\nLineBreak=1\nSaveWithThis=1\nCurZoneList=1\n"
                  "[Font]\nName=DejaVu Sans\nSize=11\nStyle=5\nColor=255\nCharset=204\n"
                  "[MUD]\nOBJ_ITEM_KEY=19\n");
  {
    StartOptions o;
    o.AppDir = app;
    test::RecordingReporter rep;
    test::FakeRunner runner;
    rep.answer = true;
    o.reporter = &rep;
    o.runner = &runner;
    MainWindow form(o);
    form.FormActivate();
    EXPECT_EQ(form.LoadedWorldPath(), tmp / "worlds" / "bylins/");
    EXPECT_EQ(form.world().Zones.Count(), 1);
    EXPECT_EQ(form.width(), 700);
    EXPECT_EQ(form.font().pointSize(), 11);
    EXPECT_TRUE(form.font().bold());
    EXPECT_TRUE(form.font().underline());
    EXPECT_EQ(form.SettingsWindow()->ComboBox1()->currentIndex(), 2);
    EXPECT_TRUE(form.SettingsWindow()->CheckBox(3)->isChecked());
    EXPECT_FALSE(form.SettingsWindow()->CheckBox(2)->isChecked());
    EXPECT_EQ(form.Settings().ObjItemKey, 19);
    form.resize(640, 480);
    form.SettingsWindow()->CheckBox(2)->setChecked(true);
    EXPECT_TRUE(form.close());
  }
  IniFile ini;
  ASSERT_TRUE(ini.Load(app / "ZEMLEMER.INI"));
  // A relative path stays as it was given.
  EXPECT_EQ(ini.ReadString("Main", "WorldPath", ""), "../worlds/bylins/");
  EXPECT_EQ(ini.ReadInteger("Main", "Width", 0), 640);
  EXPECT_EQ(ini.ReadInteger("Main", "Height", 0), 480);
  EXPECT_EQ(ini.ReadString("Editor", "ConfirmChanges", ""), "1");
  EXPECT_EQ(ini.ReadString("Editor", "SaveWithThis", ""), "1");
  EXPECT_EQ(ini.ReadString("Editor", "LineBreak", ""), "1");
  EXPECT_EQ(ini.ReadInteger("Font", "Style", 0), 5);
  EXPECT_EQ(ini.ReadInteger("Font", "Size", 0), 11);
  EXPECT_EQ(ini.ReadInteger("Font", "Color", 0), 255);
  EXPECT_EQ(ini.ReadInteger("Font", "Charset", 0), 204);
  // Keys that are never written stay as they were.
  EXPECT_EQ(ini.ReadInteger("MUD", "OBJ_ITEM_KEY", 0), 19);
  EXPECT_EQ(ini.ReadString("Main", "ShowLoadTime", ""), "0");
}

TEST(SettingsFile, CommandLineWorldIsNotWrittenBack) {
  TempDir tmp;
  const fs::path app = test::MakeAppDir(tmp / "app", false);
  test::WriteWorld(tmp / "other", {test::ZoneOutline{30, "Город", 1}});
  {
    Started s(app, tmp / "other");
    EXPECT_EQ(s.form->world().Zones.Count(), 1);
    s.reporter.answer = true;
    EXPECT_TRUE(s.form->close());
  }
  IniFile ini;
  ASSERT_TRUE(ini.Load(app / "ZEMLEMER.INI"));
  // First run: the default world path, the design size not applied.
  EXPECT_EQ(ini.ReadString("Main", "WorldPath", ""), "Zones/");
  EXPECT_EQ(ini.ReadString("Main", "RestorePosition", ""), "0");
  EXPECT_EQ(ini.ReadString("Editor", "LineBreak", ""), "0");
}

TEST(SettingsFile, NotWrittenWhenNeverRead) {
  TempDir tmp;
  test::RecordingReporter rep;
  rep.answer = true;
  StartOptions o;
  o.AppDir = tmp.path();
  o.reporter = &rep;
  {
    MainWindow form(o);
    EXPECT_TRUE(form.close());
  }
  EXPECT_FALSE(fs::exists(tmp / "ZEMLEMER.INI"));
}

TEST(SettingsFile, UserConfigFolderWhenAppFolderIsReadOnly) {
  if (geteuid() == 0) GTEST_SKIP() << "root can write into any folder";
  TempDir tmp;
  fs::create_directories(tmp / "ro");
  fs::permissions(tmp / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  fs::path p = SettingsFilePath(tmp / "ro");
  fs::permissions(tmp / "ro", fs::perms::owner_all);
  EXPECT_NE(p.parent_path(), tmp / "ro");
  EXPECT_EQ(p.filename(), "ZEMLEMER.INI");
  EXPECT_EQ(SettingsFilePath(tmp.path()), tmp / "ZEMLEMER.INI");
}

TEST(SettingsDialog, CancelRestoresButKeepsTheFont) {
  TempDir tmp;
  Started s(test::MakeAppDir(tmp / "app", false), tmp / "none");
  SettingsDialog& dlg = *s.form->SettingsWindow();
  EXPECT_EQ(dlg.ComboBox2()->currentText(), QStringLiteral("LF (UNIX)"));
  QFont chosen(QStringLiteral("DejaVu Serif"), 14);
  s.runner.answer = [&](QDialog& d) {
    if (&d == &dlg) {
      dlg.ComboBox1()->setCurrentIndex(2);
      dlg.ComboBox2()->setCurrentIndex(1);
      dlg.CheckBox(4)->setChecked(true);
      dlg.findChild<QPushButton*>(QStringLiteral("FontEd"))->click();
      dlg.reject();
      return int(QDialog::Rejected);
    }
    if (auto* fd = dynamic_cast<QFontDialog*>(&d)) {
      fd->setCurrentFont(chosen);
      return int(QDialog::Accepted);
    }
    return int(QDialog::Rejected);
  };
  dlg.TakeSnapshot();
  s.form->MI_SettingsClick();
  EXPECT_EQ(dlg.ComboBox1()->currentIndex(), 0);
  EXPECT_EQ(dlg.ComboBox2()->currentIndex(), 0);
  EXPECT_FALSE(dlg.CheckBox(4)->isChecked());
  EXPECT_EQ(s.form->font().pointSize(), 14);
  EXPECT_EQ(dlg.font().pointSize(), 14);
}

}  // namespace
}  // namespace zm
