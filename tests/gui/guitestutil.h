#pragma once
// Shared helpers of the GUI tests: a runner that answers modal dialogs, a
// fake editor window, small worlds written through the core's writers, and
// a main window started on one of them.
#include <QAbstractItemView>
#include <QDialog>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "app/worldtree.h"
#include "core/testutil.h"
#include "editors/editorwindows.h"
#include "load/saving.h"
#include "model/world.h"
#include "widgets/modalrunner.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace zm::test {

namespace fs = std::filesystem;

// Answers every modal dialog without showing it: `answer` may work the
// dialog's controls and returns its result (Rejected when unset).
class FakeRunner : public ModalRunner {
 public:
  std::function<int(QDialog&)> answer;
  std::vector<QString> shown;  // class names of the dialogs run
  int Run(QDialog& d) override {
    shown.push_back(QString::fromLatin1(d.metaObject()->className()));
    return answer ? answer(d) : QDialog::Rejected;
  }
};

// Records like RecordingReporter; `answers` gives the answer to particular
// confirmation numbers, `answer` to the rest.
class GuiTestReporter : public RecordingReporter {
 public:
  std::map<int, bool> answers;

 protected:
  bool Confirm(int n, const std::string& text) override {
    bool a = RecordingReporter::Confirm(n, text);
    auto it = answers.find(n);
    return it == answers.end() ? a : it->second;
  }
};

// An editor window that records what the main window asks of it. Applying
// writes `pendingName` into a room's name, as a room editor would.
class FakeEditor : public QWidget, public RecordEditor {
 public:
  TMUDClass* linked = nullptr;
  std::string pendingName;
  std::vector<TMUDClass*> applied, accepted, forgotten;

  TMUDClass* LinkedRecord() const override { return linked; }
  void Unlink() override { linked = nullptr; }
  void ApplyRecord() override;
  void AcceptRecord(TMUDClass& rec) override { accepted.push_back(&rec); }
  bool ForgetRecord(const TMUDClass& rec) override {
    forgotten.push_back(const_cast<TMUDClass*>(&rec));
    return RecordEditor::ForgetRecord(rec);
  }
};

// Registers FakeEditor as the editor of every entry kind: Edit reuses the
// active one or opens a new one and links the record.
void RegisterFakeEditors(EditorWindows& windows);
FakeEditor* ActiveFake(EditorWindows& windows);

// A world on disk. Zone numbers with `zoneFile` false get only entry files
// (their records lie under the top-level groups).
struct ZoneOutline {
  int32_t number;
  std::string name;
  int rooms = 0, objs = 0, mobs = 0, shops = 0, trigs = 0;
  bool zoneFile = true;
  CodingWord word = {kCodingWin, kBreakCRLF};
};
void WriteWorld(const fs::path& dir, const std::vector<ZoneOutline>& zones);

// The application folder of a test: Bases and Help of the build linked in
// when `withData`, so the dictionaries and hints are the bundled ones.
fs::path MakeAppDir(const fs::path& dir, bool withData);

// A main window started on `world`, with a recording reporter and a fake
// runner; FormActivate has run (the load window included).
struct Started {
  GuiTestReporter reporter;
  FakeRunner runner;
  std::unique_ptr<MainWindow> form;
  Started(const fs::path& appDir, const fs::path& world, const fs::path& settings = {});
  QTreeWidgetItem* Node(const QString& path);  // "Зоны/[12] Лес/Комнаты/[1202] Комната 2"
  QTreeWidgetItem* ZoneGroup(int32_t zone, RecordKind kind);
};

QStringList Captions(const QTreeWidgetItem* parent);

// A click of the left mouse button on a row of `view`, as the user gives it:
// its window shown, the pages holding it brought forward.
void ClickRow(QAbstractItemView* view, int row);

}  // namespace zm::test
