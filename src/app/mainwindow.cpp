#include "app/mainwindow.h"

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include "app/aboutdialog.h"
#include "app/commands.h"
#include "app/descriptiondialog.h"
#include "app/diskchanges.h"
#include "app/findresults.h"
#include "app/guireporter.h"
#include "app/loaderrorsdialog.h"
#include "app/loadprogressdialog.h"
#include "app/mainmenus.h"
#include "app/newzonedialog.h"
#include "app/recovery.h"
#include "app/settingsdialog.h"
#include "app/templatedialog.h"
#include "app/treecontrol.h"
#include "app/worldcompare.h"
#include "app/worldoverview.h"
#include "app/worldtree.h"
#include "app/zonemovedialog.h"
#include "common/datadir.h"
#include "common/dictionaries.h"
#include "common/textutil.h"
#include "editors/changetracker.h"
#include "editors/editorwindows.h"
#include "editors/worlddocument.h"
#include "load/loadworld.h"
#include "load/saving.h"
#include "load/worldlock.h"
#include "model/world.h"
#include "text/declension.h"
#include "text/triggerwords.h"
#include "widgets/editpopup.h"
#include "widgets/qtext.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace fs = std::filesystem;
namespace {

// `name` in `dir`, in any letter case; `dir / name` when there is none.
fs::path Beside(const fs::path& dir, const std::string& name) {
  fs::path p = FindChildNoCase(dir, name);
  return p.empty() ? dir / name : p;
}

}  // namespace

MainWindow::MainWindow(StartOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)) {
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Землемер"));
  resize(800, 570);
  // Installed, the data lies under ../share/zemlemer; the settings file then
  // goes to the user's folder, the data folder not being writable.
  m_appDir = m_options.AppDir.empty()
                 ? DataDirFor(fs::path(QCoreApplication::applicationDirPath().toStdString()))
                 : m_options.AppDir;
  m_settingsPath =
      m_options.SettingsFile.empty() ? SettingsFilePath(m_appDir) : m_options.SettingsFile;
  m_runner = m_options.runner ? m_options.runner : &m_defaultRunner;

  m_splitter = new QSplitter(this);
  m_splitter->setObjectName("Splitter1");
  m_splitter->setHandleWidth(2);
  m_splitter->setOpaqueResize(true);
  m_treeView = new QTreeWidget(m_splitter);
  m_treeView->setObjectName("TreeView1");
  m_treeView->setHeaderHidden(true);
  m_treeView->setIndentation(19);
  m_treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_treeView->setUniformRowHeights(true);
  // Long captions scroll sideways rather than being cut off.
  m_treeView->header()->setStretchLastSection(false);
  m_treeView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_mdi = new QMdiArea(m_splitter);
  m_mdi->setObjectName("MDIClient");
  m_splitter->addWidget(m_treeView);
  m_splitter->addWidget(m_mdi);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setSizes({180, 620});
  setCentralWidget(m_splitter);
  statusBar()->setObjectName("StatusBar1");

  // The hidden windows of the run, one each.
  m_loadErrorsWindow = new LoadErrorsDialog(this);
  m_guiReporter = std::make_unique<GuiReporter>(this, *m_loadErrorsWindow, *m_runner);
  m_reporter = m_options.reporter ? m_options.reporter : m_guiReporter.get();
  m_tree = std::make_unique<WorldTree>(m_treeView);
  m_document = std::make_unique<WorldDocument>(*m_reporter, m_tree.get());
  m_world = &m_document->world();
  m_selectWindow = new SelectRecordDialog(this);
  m_selectWindow->SetWorld(m_world);
  m_descriptionWindow = new DescriptionDialog(this);
  m_templateWindow = new TemplateDialog(*m_runner, this);
  m_settingsWindow = new SettingsDialog(this);
  m_settingsWindow->OnFontEd = [this] { FontEdClick(); };
  m_loadWindow = new LoadProgressDialog(this);
  m_newZoneWindow = new NewZoneDialog(this);
  m_editPopup = new EditPopup(this);

  m_app.MainWindow = this;
  m_app.StatusBar = statusBar();
  m_app.AppDir = m_appDir;
  m_app.Document = m_document.get();
  m_app.world = m_world;
  m_app.reporter = m_reporter;
  m_app.Runner = m_runner;
  m_app.Tree = m_tree.get();
  m_app.Changes = &m_document->Changes();
  m_app.Hints = &m_hints;
  m_app.EditCmds = &m_editCmds;
  m_app.EditPopupMenu = m_editPopup;
  m_app.Words = &m_words;
  m_app.Tiles = &m_tiles;
  m_app.Settings = &m_settings;
  m_app.SelectWindow = m_selectWindow;
  m_app.DescriptionWindow = m_descriptionWindow;
  m_app.SettingsWindow = m_settingsWindow;
  m_app.LoadErrorsWindow = m_loadErrorsWindow;
  m_diskWatch = new DiskWatch(m_app, this);
  SetTemplates(std::make_unique<GuiTemplates>(m_app, *m_templateWindow));

  m_find = new FindResults(m_app, this);
  m_compare = new WorldCompare(m_app, *m_find, this);
  addDockWidget(Qt::BottomDockWidgetArea, m_find);
  m_find->hide();
  m_find->OnShown = [this] {
    // A third of the window at most: the editors above keep their room.
    resizeDocks({m_find}, {std::max(height() / 4, 160)}, Qt::Vertical);
    QApplication::processEvents();
    m_windows->FitIntoArea();
  };
  connectMenus(BuildMainMenus(*this));
  m_app.SelectRecord = [this](TMUDClass& rec) {
    QTreeWidgetItem* item = m_tree->ItemOf(&rec);
    if (item) m_treeControl->Select(item);
    return item != nullptr;
  };
  m_journal = new RecoveryJournal(*m_document, this);
  m_journal->OnFailure = [this](const QString& text) { statusBar()->showMessage(text, 10000); };
  // A save takes its zones out of the journal, the last one the journal.
  connect(m_commands, &MainCommands::Saved, m_journal, &RecoveryJournal::WriteNow);
  m_overview = new WorldOverview(m_app, m_mdi);
  qApp->installEventFilter(this);
  RegisterEditors(m_host);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // Editor windows hold plain pointers into the world: they go first.
  for (QMdiSubWindow* sub : m_mdi->subWindowList()) delete sub;
  m_world->AttachSink(nullptr);
}

void MainWindow::SetTemplates(std::unique_ptr<TemplateCreator> templates) {
  m_templates = std::move(templates);
  m_app.Templates = m_templates.get();
}

void MainWindow::FormActivate() {
  if (m_activated) return;
  m_activated = true;
  fs::path readPath = m_settingsPath;
  std::error_code ec;
  // A settings file shipped beside a read-only program still counts.
  if (!fs::exists(readPath, ec) && fs::exists(m_appDir / "ZEMLEMER.INI", ec))
    readPath = m_appDir / "ZEMLEMER.INI";
  m_ini.Load(readPath);
  m_reporter->SetInteractive(true);
  m_tiles.Draw();

  // Help/hints: without it the controls simply have no hints.
  m_hints.LoadHints(Beside(Beside(m_appDir, "Help"), "hints"));

  // Read on the first use of a name button, not here: start-up stays as fast.
  SetMorphologyDir(Beside(m_appDir, "morph"));

  const fs::path basesDir = Beside(m_appDir, "Bases");
  m_bases = std::make_unique<Dictionaries>(basesDir);
  RegisterDictionaries(*m_bases, *m_reporter);
  m_selectWindow->BindDictionaries(*m_bases);
  m_world->SetBases(m_bases.get());
  m_app.Bases = m_bases.get();

  m_editCmds = LoadEditCmdMenu(Beside(basesDir, "editcmdmenu"));
  m_editPopup->Build(m_editCmds);

  m_fontSetting = {font().family().toStdString(), font().pointSize(),
                   FontSetting::kSystemWindowText, StyleBits(font()), 1};
  m_settings.Read(m_ini, m_fontSetting);
  if (m_options.WorldOverride) {
    m_worldPath = fs::absolute(*m_options.WorldOverride, ec).lexically_normal();
    if (ec) m_worldPath = *m_options.WorldOverride;
  } else {
    m_worldPath = ResolveWorldPath(m_settings.WorldPath, m_appDir);
    offerWritableWorld();
  }

  // One editor per world: another one's saves and this one's would overwrite
  // each other.
  bool open = true;
  if (const auto holder = WorldLock::Holder(m_worldPath))
    open = m_reporter->AskConfirm(ConfirmMsg::WorldLocked, {m_worldPath.string(), holder->Host,
                                                            IntText(holder->Pid), holder->Started});
  if (open) m_lock.Take(m_worldPath);

  // The unsaved changes of an editor that crashed on this world.
  std::vector<std::pair<int32_t, RecordKind>> recovered;
  if (open) recovered = m_journal->Offer(*m_reporter, m_worldPath);
  if (open)
    m_loadWindow->ExecuteLoad(
        [this](LoadProgress& progress) {
          m_treeView->setUpdatesEnabled(false);
          LoadWorld(*m_world, m_worldPath, &progress);
          m_document->RebuildReferences();
          m_document->ClearHistory();
          m_tree->SortAll();
          m_treeView->setUpdatesEnabled(true);
        },
        m_settings.ShowLoadTime, *m_runner);
  if (open) {
    m_world->ReadInstead.clear();
    for (const auto& [zone, kind] : recovered)
      if (m_world->Zones.ByNumber(zone)) m_document->Changes().Mark(zone, kind);
    m_journal->Start(m_worldPath);
    m_diskWatch->Start();
  }
  if (!open)
    statusBar()->showMessage(QStringLiteral("Мир открыт в другом редакторе и не загружен"));

  setWindowTitle(QStringLiteral("Землемер - %1").arg(QString::fromStdString(m_worldPath.string())));
  if (m_templates) m_templates->LoadTemplates(basesDir);
  m_words = ReadTriggerWords(basesDir);

  QTreeWidgetItem* zones = m_tree->TopGroup(kZone);
  if (zones->childCount() > 0) zones->setExpanded(true);

  m_settingsWindow->ReadFrom(m_settings);
  if (m_settings.RestorePosition) {
    move(m_settings.Left, m_settings.Top);
    resize(m_settings.Width, m_settings.Height);
    const int total = m_splitter->width();
    m_splitter->setSizes({m_settings.Splitter, std::max(total - m_settings.Splitter, 1)});
  } else {
    if (const QScreen* screen = this->screen()) {
      // The designed size is smaller than most editor windows; where the
      // screen allows, the first look shows an editor whole.
      const QRect avail = screen->availableGeometry();
      const QSize fit(std::min(avail.width() * 9 / 10, 1280),
                      std::min(avail.height() * 9 / 10, 900));
      if (fit.width() > width() || fit.height() > height()) {
        resize(fit.expandedTo(size()));
        move(avail.center() - rect().center());
      }
    }
    // No remembered splitter: the tree as wide as its zone names, up to
    // two fifths of the window.
    // From the zone names themselves: the view may not be laid out yet.
    int names = 0;
    for (int i = 0; i < zones->childCount(); ++i)
      names =
          std::max(names, m_treeView->fontMetrics().horizontalAdvance(zones->child(i)->text(0)));
    const int wanted = names + 2 * m_treeView->indentation() + 2 * m_treeView->frameWidth() +
                       m_treeView->verticalScrollBar()->sizeHint().width() + 4;
    const int total = width();  // the splitter is not laid out yet
    const int tree = std::clamp(wanted, 180, std::max(180, total * 2 / 5));
    m_splitter->setSizes({tree, std::max(total - tree, 1)});
  }
  m_overview->Refresh();
  m_fontSetting = m_settings.Font;
  ApplyFont(FontOf(m_fontSetting, font()));
}

void MainWindow::offerWritableWorld() {
  // A world in a folder nobody may write to (the installed sample world)
  // could never be saved: the user's own copy is offered instead.
  std::error_code ec;
  if (!fs::is_directory(m_worldPath, ec) || ::access(m_worldPath.c_str(), W_OK) == 0) return;
  const char* home = std::getenv("HOME");
  if (!home || !*home) return;
  const fs::path copy = fs::path(home) / "zemlemer-world";
  if (!fs::exists(copy, ec)) {
    if (!m_reporter->AskConfirm(ConfirmMsg::CopySampleWorld, {m_worldPath.string(), copy.string()}))
      return;
    fs::copy(m_worldPath, copy, fs::copy_options::recursive, ec);
    if (ec) {
      m_reporter->ShowError(ErrorMsg::CopySampleWorld, {copy.string(), ec.message()});
      return;
    }
    // Copied files keep the read-only bits of the installed ones.
    for (const auto& e : fs::recursive_directory_iterator(copy, ec))
      fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  }
  m_worldPath = copy;
  m_settings.WorldPath = copy.string();
}

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // From the event loop: the set-up shows a modal window of its own.
  if (!m_activated) QTimer::singleShot(0, this, &MainWindow::FormActivate);
}

void MainWindow::connectMenus(const MainMenus& m) {
  m_windowMenu = m.WindowMenu;
  m_treePopup = m.TreePopup;
  m_windows = new EditorWindows(m_mdi, m_windowMenu, this);
  m_app.Windows = m_windows;
  connect(m_document.get(), &WorldDocument::RecordAboutToBeRemoved, m_windows,
          &EditorWindows::ForgetRecord);
  // After the windows: they may still look at the record's node.
  connect(m_document.get(), &WorldDocument::RecordAboutToBeRemoved, this,
          [this](const TMUDClass& rec) { m_tree->RemoveSubtree(m_tree->ItemOf(&rec)); });
  connect(m_document.get(), &WorldDocument::StepApplied, this, [this](bool zonesToo) {
    m_windows->ShowAgain();
    if (zonesToo) {
      TMUDClass* current = WorldTree::RecordOf(m_treeView->currentItem());
      m_treeView->setUpdatesEnabled(false);
      m_tree->Rebuild(*m_world);
      if (QTreeWidgetItem* item = m_tree->ItemOf(current)) m_treeView->setCurrentItem(item);
      m_treeView->setUpdatesEnabled(true);
    }
  });
  connect(m.Undo, &QAction::triggered, this, [this] { undoRedo(true); });
  connect(m.Redo, &QAction::triggered, this, [this] { undoRedo(false); });
  connect(m_document.get(), &WorldDocument::HistoryChanged, this, [this, m] {
    const WorldStep* undo = m_document->NextUndo();
    const WorldStep* redo = m_document->NextRedo();
    m.Undo->setEnabled(undo != nullptr);
    m.Redo->setEnabled(redo != nullptr);
    m.Undo->setText(undo ? QStringLiteral("Отменить: %1").arg(ToQt(undo->Name))
                         : QStringLiteral("Отменить"));
    m.Redo->setText(redo ? QStringLiteral("Повторить: %1").arg(ToQt(redo->Name))
                         : QStringLiteral("Повторить"));
  });
  m_treeControl = new TreeController(m_app, m_treeView, m_treePopup, m.Popup, this);
  m_commands = new MainCommands(m_app, *m_treeControl, *m_newZoneWindow, this);

  connect(m.Save, &QAction::triggered, m_commands, &MainCommands::MI_SaveClick);
  connect(m.SaveZone, &QAction::triggered, m_commands, &MainCommands::MI_SaveZoneClick);
  connect(m.Settings, &QAction::triggered, this, &MainWindow::MI_SettingsClick);
  connect(m.Exit, &QAction::triggered, this, &QWidget::close);
  connect(m.Add, &QAction::triggered, m_commands, &MainCommands::MI_AddClick);
  connect(m.Delete, &QAction::triggered, m_commands, &MainCommands::MI_DeleteClick);
  connect(m.Tile, &QAction::triggered, m_windows, &EditorWindows::Tile);
  connect(m.Cascade, &QAction::triggered, m_windows, &EditorWindows::Cascade);
  connect(m.About, &QAction::triggered, this, &MainWindow::MI_AboutClick);
  connect(m.Popup.InNewWindow, &QAction::triggered, m_commands, &MainCommands::MI_InNewWindowClick);
  connect(m.Popup.Add, &QAction::triggered, m_commands, &MainCommands::MI_PAddClick);
  connect(m.Popup.Delete, &QAction::triggered, m_commands, &MainCommands::MI_PDeleteClick);
  const auto whereUsed = [this](TMUDClass* rec) {
    if (!rec || rec->Kind == kZoneMap) return;
    // The editor's edits count: the index follows the applied record.
    m_app.ApplyActiveEditor(false);
    m_find->ShowWhereUsed(*rec);
  };
  connect(m.WhereUsed, &QAction::triggered, this, [this, whereUsed] {
    RecordEditor* active = m_windows->Active();
    TMUDClass* rec = active ? active->LinkedRecord() : nullptr;
    whereUsed(rec ? rec : WorldTree::RecordOf(m_treeView->currentItem()));
  });
  connect(m.PopupWhereUsed, &QAction::triggered, this,
          [this, whereUsed] { whereUsed(WorldTree::RecordOf(m_treeControl->ContextNode())); });
  connect(m.TreePopup, &QMenu::aboutToShow, this, [this, m] {
    const TMUDClass* rec = WorldTree::RecordOf(m_treeControl->ContextNode());
    m.PopupWhereUsed->setEnabled(rec && rec->Kind != kZoneMap);
    m.PopupCopyZone->setEnabled(rec && rec->Kind == kZone);
    m.PopupRenumberZone->setEnabled(rec && rec->Kind == kZone);
  });
  for (const auto& [action, renumber] :
       {std::pair{m.PopupCopyZone, false}, {m.PopupRenumberZone, true}})
    connect(action, &QAction::triggered, this, [this, renumber] {
      const TMUDClass* rec = WorldTree::RecordOf(m_treeControl->ContextNode());
      if (rec && rec->Kind == kZone) MoveZone(m_app, rec->Vnum, renumber);
    });
  connect(m.Search, &QAction::triggered, m_find, &FindResults::FocusSearch);
  connect(m.CheckWorld, &QAction::triggered, this, [this] {
    m_app.ApplyActiveEditor(false);
    m_find->ShowWorldCheck();
  });
  connect(m.CompareFolder, &QAction::triggered, m_compare, &WorldCompare::AskAndCompare);
  connect(m_commands, &MainCommands::Saved, this,
          [this](const QString& text) { statusBar()->showMessage(text, 5000); });
}

bool MainWindow::FormCloseQuery() {
  // The edits on screen count as well, in every open editor.
  m_app.ApplyAllEditors();
  if (!m_document->Changes().Any()) return m_reporter->AskConfirm(ConfirmMsg::Exit);
  return SaveChangesBeforeExit();
}

bool MainWindow::SaveChangesBeforeExit() {
  QStringList zones;
  for (const auto& [zone, kind] : m_document->Changes().Changed()) {
    const std::string name = m_world->Zones.ZoneNameOf(zone);
    const QString text = name.empty() ? QStringLiteral("[%1]").arg(zone) : ToQt(name);
    if (!zones.contains(text)) zones << text;
  }
  QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"),
                  ToQt(ConfirmText(ConfirmMsg::SaveChanges)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setInformativeText(QStringLiteral("Изменены зоны: %1").arg(zones.join(QStringLiteral(", "))));
  box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("Не сохранять"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = m_runner->Run(box);
  if (answer == QMessageBox::Discard) return true;
  if (answer != QMessageBox::Save) return false;
  bool ok = true;
  for (const auto& [zone, kind] : m_document->Changes().Changed()) {
    if (!m_world->Zones.ByNumber(zone)) continue;
    const SaveResult r = SaveZoneKind(*m_world, zone, kind);
    if (r.ok)
      m_document->Changes().Saved(zone, kind);
    else
      ok = false;
    // The zone's other changes went with it; the editor stays open on the
    // disk's version.
    if (r.reread) {
      RereadZone(m_app, zone);
      break;
    }
  }
  // A renumbered zone's files under its old number go once the new ones are
  // written.
  if (ok)
    for (const auto& z : m_world->Zones)
      if (!z->FilesToRemove.empty()) RemoveOldZoneFiles(*m_world, z->Vnum);
  // A file that was not written, failed or refused, keeps the editor open
  // with the data.
  return ok;
}

void MainWindow::undoRedo(bool undo) {
  // Edits still in the windows become steps first, so the last edit is the
  // one taken back, and redo brings it again.
  m_app.ApplyAllEditors();
  const WorldStep* step = undo ? m_document->NextUndo() : m_document->NextRedo();
  if (!step) return;
  const QString name = ToQt(step->Name);
  // Nodes come and go: the tree's selection moves must not apply or open
  // anything in the middle of it.
  m_treeControl->SetQuiet(true);
  const bool done = undo ? m_document->Undo() : m_document->Redo();
  m_treeControl->SetQuiet(false);
  if (!done) {
    statusBar()->showMessage(
        QStringLiteral("Мир изменён в обход истории правок; отменять и повторять больше нечего"));
    return;
  }
  statusBar()->showMessage(
      (undo ? QStringLiteral("Отменено: %1") : QStringLiteral("Повторено: %1")).arg(name));
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (m_closing || !FormCloseQuery()) {
    e->ignore();
    return;
  }
  m_closing = true;
  // Left on purpose: what was not saved is not wanted.
  m_journal->Clear();
  FormClose();
  e->accept();
}

void MainWindow::FormClose() {
  // Settings that were never read are not written: the defaults would
  // replace what the user had.
  if (!m_activated) return;
  m_settings.Left = x();
  m_settings.Top = y();
  m_settings.Width = width();
  m_settings.Height = height();
  m_settings.Splitter = m_treeView->width();
  m_settingsWindow->WriteTo(m_settings);
  m_fontSetting = SettingOf(font(), m_fontSetting);
  m_settings.Font = m_fontSetting;
  m_settings.Write(m_ini);
  if (!m_ini.Save(m_settingsPath)) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ошибка"),
                    QStringLiteral("Не могу сохранить настройки в файл %1")
                        .arg(QString::fromStdString(m_settingsPath.string())),
                    QMessageBox::Ok, this);
    m_runner->Run(box);
  }
}

void MainWindow::ApplyFont(const QFont& font) {
  QPalette pal = palette();
  const int c = m_fontSetting.Color;
  // A Windows colour value 0x00BBGGRR; system colours (high bit) stay.
  if (c >= 0) {
    QColor color(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{this, m_settingsWindow, m_descriptionWindow,
                                                    m_selectWindow}) {
    w->setFont(font);
    if (c >= 0) w->setPalette(pal);
  }
  // An editor takes the font when it opens, as its own: it gets the new one
  // too, and its controls with it.
  for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
    sub->setFont(font);
    if (QWidget* editor = sub->widget()) editor->setFont(font);
  }
}

void MainWindow::MI_SettingsClick() {
  m_settingsWindow->setFont(font());
  m_runner->Run(*m_settingsWindow);
}

void MainWindow::FontEdClick() {
  QFontDialog dialog(font(), m_settingsWindow);
  if (m_runner->Run(dialog) == QDialog::Accepted) ApplyFont(dialog.currentFont());
}

void MainWindow::MI_AboutClick() {
  AboutDialog about(m_tiles, this);
  about.setFont(font());
  m_runner->Run(about);
}

void MainWindow::AppOnHint(const QString& hint) {
  statusBar()->showMessage(hint);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::Enter || e->type() == QEvent::Leave) {
    // Entering a control shows its hint; leaving it, that of the control
    // around it (whose own Enter does not come again).
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && e->type() == QEvent::Leave) w = w->parentWidget();
    while (w && w->toolTip().isEmpty() && !w->isWindow()) w = w->parentWidget();
    if (qobject_cast<QWidget*>(watched)) AppOnHint(w ? w->toolTip() : QString());
  }
  return QMainWindow::eventFilter(watched, e);
}

}  // namespace zm
