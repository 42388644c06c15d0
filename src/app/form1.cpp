#include "app/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include "app/aboutform.h"
#include "app/changetracker.h"
#include "app/commands.h"
#include "app/configform.h"
#include "app/czoneform.h"
#include "app/descform.h"
#include "app/editorwindows.h"
#include "app/guireporter.h"
#include "app/lerrform.h"
#include "app/loadform.h"
#include "app/selectform.h"
#include "app/templetform.h"
#include "app/treecontrol.h"
#include "app/worldoverview.h"
#include "app/worldtree.h"
#include "common/bases.h"
#include "load/saving.h"
#include "model/world.h"
#include "widgets/cp1251.h"
#include "widgets/editpopup.h"

namespace zm {
namespace fs = std::filesystem;

TForm1::TForm1(StartOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)) {
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Землемер"));
  resize(800, 570);
  m_appDir = m_options.AppDir.empty()
                 ? fs::path(QCoreApplication::applicationDirPath().toStdString())
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
  m_loadErrorForm = new TLoadErrorForm(this);
  m_guiReporter = std::make_unique<GuiReporter>(this, *m_loadErrorForm, *m_runner);
  m_reporter = m_options.reporter ? m_options.reporter : m_guiReporter.get();
  m_tree = std::make_unique<WorldTree>(m_treeView);
  m_world = std::make_unique<World>(*m_reporter, m_tree.get());
  m_changes = std::make_unique<ChangeTracker>(*m_world);
  m_selectForm = new TSelectForm(this);
  m_selectForm->SetWorld(m_world.get());
  m_descForm = new TDescForm(this);
  m_templetForm = new TTempletForm(*m_runner, this);
  m_configForm = new TConfigForm(this);
  m_configForm->OnFontEd = [this] { FontEdClick(); };
  m_loadForm = new TLoadForm(this);
  m_czoneForm = new TCZoneForm(this);
  m_editPopup = new EditPopup(this);

  m_app.MainWindow = this;
  m_app.StatusBar = statusBar();
  m_app.AppDir = m_appDir;
  m_app.world = m_world.get();
  m_app.reporter = m_reporter;
  m_app.Runner = m_runner;
  m_app.Tree = m_tree.get();
  m_app.Changes = m_changes.get();
  m_app.Hints = &m_hints;
  m_app.EditCmds = &m_editCmds;
  m_app.EditPopupMenu = m_editPopup;
  m_app.Words = &m_words;
  m_app.Tiles = &m_tiles;
  m_app.Settings = &m_settings;
  m_app.SelectForm = m_selectForm;
  m_app.DescForm = m_descForm;
  m_app.ConfigForm = m_configForm;
  m_app.LoadErrorForm = m_loadErrorForm;
  SetTemplates(std::make_unique<GuiTemplates>(m_app, *m_templetForm));

  BuildMenus();  // also makes the editor windows, tree control and commands
  m_app.Windows = m_windows;
  m_app.SelectRecord = [this](TMUDClass& rec) {
    QTreeWidgetItem* item = m_tree->ItemOf(&rec);
    if (item) m_treeControl->Select(item);
    return item != nullptr;
  };
  m_overview = new WorldOverview(m_app, m_mdi);
  qApp->installEventFilter(this);
  RegisterEditors(m_app);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  // Editor windows hold plain pointers into the world: they go first.
  for (QMdiSubWindow* sub : m_mdi->subWindowList()) delete sub;
  m_world->AttachSink(nullptr);
}

void TForm1::SetTemplates(std::unique_ptr<TemplateCreator> templates) {
  m_templates = std::move(templates);
  m_app.Templates = m_templates.get();
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // From the event loop: the set-up shows a modal window of its own.
  if (!m_activated) QTimer::singleShot(0, this, &TForm1::FormActivate);
}

bool TForm1::FormCloseQuery() {
  // The edits on screen count as well, in every open editor.
  for (EditorWindow* e : m_windows->All())
    if (TMUDClass* rec = e->LinkedRecord()) m_app.Tracked(rec->Zone, [e] { e->ApplyRecord(); });
  if (!m_changes->Any()) return m_reporter->AskConfirm(ConfirmMsg::Exit);
  return SaveChangesBeforeExit();
}

bool TForm1::SaveChangesBeforeExit() {
  QStringList zones;
  for (const auto& [zone, kind] : m_changes->Changed()) {
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
  for (const auto& [zone, kind] : m_changes->Changed()) {
    if (!m_world->Zones.ByNumber(zone)) continue;
    if (SaveZoneKind(*m_world, zone, kind).ok)
      m_changes->Saved(zone, kind);
    else
      ok = false;
  }
  // A file that was not written, failed or refused, keeps the editor open
  // with the data.
  return ok;
}

void TForm1::closeEvent(QCloseEvent* e) {
  if (m_closing || !FormCloseQuery()) {
    e->ignore();
    return;
  }
  m_closing = true;
  FormClose();
  e->accept();
}

void TForm1::FormClose() {
  // Settings that were never read are not written: the defaults would
  // replace what the user had.
  if (!m_activated) return;
  m_settings.Left = x();
  m_settings.Top = y();
  m_settings.Width = width();
  m_settings.Height = height();
  m_settings.Splitter = m_treeView->width();
  m_configForm->WriteTo(m_settings);
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

void TForm1::ApplyFont(const QFont& font) {
  QPalette pal = palette();
  const int c = m_fontSetting.Color;
  // A Windows colour value 0x00BBGGRR; system colours (high bit) stay.
  if (c >= 0) {
    QColor color(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{this, m_configForm, m_descForm, m_selectForm}) {
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

void TForm1::MI_SettingsClick() {
  m_configForm->setFont(font());
  m_runner->Run(*m_configForm);
}

void TForm1::FontEdClick() {
  QFontDialog dialog(font(), m_configForm);
  if (m_runner->Run(dialog) == QDialog::Accepted) ApplyFont(dialog.currentFont());
}

void TForm1::MI_AboutClick() {
  TAboutForm about(m_tiles, this);
  about.setFont(font());
  m_runner->Run(about);
}

void TForm1::AppOnHint(const QString& hint) {
  statusBar()->showMessage(hint);
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
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
