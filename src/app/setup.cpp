// The set-up sequence of the main window's first activation.
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidget>
#include <fstream>
#include <iterator>

#include "app/configform.h"
#include "app/form1.h"
#include "app/loadform.h"
#include "app/selectform.h"
#include "app/worldoverview.h"
#include "app/worldtree.h"
#include "common/bases.h"
#include "common/textutil.h"
#include "load/zloads.h"
#include "model/world.h"
#include "text/declension.h"
#include "widgets/editpopup.h"

namespace zm {
namespace fs = std::filesystem;
namespace {

// `name` in `dir`, in any letter case; `dir / name` when there is none.
fs::path Beside(const fs::path& dir, const std::string& name) {
  fs::path p = FindChildNoCase(dir, name);
  return p.empty() ? dir / name : p;
}

// The lines of a word list; a missing file gives none.
void AppendLines(const fs::path& file, std::vector<std::string>& out) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = StripLineEnd(text.substr(pos, end - pos));
    if (!line.empty()) out.push_back(std::move(line));
    pos = end + 1;
  }
}

}  // namespace

void TForm1::LoadTriggerWords(const fs::path& basesDir) {
  m_words = {};
  for (const char* name : {"Trigger_Complete", "Trigger_CompleteChar", "Trigger_CompleteMob"})
    AppendLines(Beside(basesDir, name), m_words.Complete);
  AppendLines(Beside(basesDir, "Trigger_AutoChange"), m_words.AutoChange);
  AppendLines(Beside(basesDir, "Trigger_Language"), m_words.Language);
}

void TForm1::FormActivate() {
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
  m_bases = std::make_unique<TBasesList>(basesDir);
  RegisterDictionaries(*m_bases, *m_reporter);
  m_selectForm->BindDictionaries(*m_bases);
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
  }

  m_loadForm->ExecuteLoad(
      [this](LoadProgress& progress) {
        m_treeView->setUpdatesEnabled(false);
        LoadWorld(*m_world, m_worldPath, &progress);
        m_tree->SortAll();
        m_treeView->setUpdatesEnabled(true);
      },
      m_settings.ShowLoadTime, *m_runner);

  setWindowTitle(QStringLiteral("Землемер - %1").arg(QString::fromStdString(m_worldPath.string())));
  if (m_templates) m_templates->LoadTemplates(basesDir);
  LoadTriggerWords(basesDir);

  QTreeWidgetItem* zones = m_tree->TopGroup(kZone);
  if (zones->childCount() > 0) zones->setExpanded(true);

  m_configForm->ReadFrom(m_settings);
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

}  // namespace zm
