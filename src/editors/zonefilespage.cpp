#include "editors/zonefilespage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"

namespace zm {
namespace {

constexpr const char* kShownPath = "zmShownPath";
constexpr const char* kOriginalPath = "zmOriginalPath";

struct RowName {
  const char* label;
  const char* stem;
};
constexpr std::array<RowName, ZoneFilesPage::kFiles> kRowNames = {{{"Зона", "Zone"},
                                                                   {"Комнаты", "Room"},
                                                                   {"Карта", "ZoneMap"},
                                                                   {"Объекты", "Obj"},
                                                                   {"Мобы", "Mob"},
                                                                   {"Магазины", "Shop"},
                                                                   {"Триггеры", "Trig"}}};

void ShowPath(QLineEdit* edit, const std::filesystem::path& path) {
  // Paths are bytes of the file system, not Windows-1251 text.
  const QString text = QString::fromStdString(path.string());
  edit->setText(text);
  edit->setCursorPosition(0);
  edit->setProperty(kShownPath, text);
  edit->setProperty(kOriginalPath, QByteArray::fromStdString(path.string()));
}

std::filesystem::path ReadPath(const QLineEdit* edit) {
  // Untouched, the path comes back byte for byte even when it is no UTF-8.
  if (edit->property(kShownPath).toString() == edit->text())
    return std::filesystem::path(edit->property(kOriginalPath).toByteArray().toStdString());
  return std::filesystem::path(edit->text().toStdString());
}

// A combo index as the file setting keeps it; a value the combo does not
// list stays as it was.
uint8_t ReadIndex(const QComboBox* combo, uint8_t old) {
  const int i = combo->currentIndex();
  return i >= 0 ? static_cast<uint8_t>(i) : old;
}

void ShowIndex(QComboBox* combo, uint8_t value) {
  combo->setCurrentIndex(value < combo->count() ? value : -1);
}

}  // namespace

std::array<TFileSetting TZone::*, ZoneFilesPage::kFiles> ZoneFilesPage::Settings() {
  return {&TZone::ZoneFilename, &TZone::RoomFilename, &TZone::ZoneMapFilename, &TZone::ObjFilename,
          &TZone::MobFilename,  &TZone::ShopFilename, &TZone::TrigFilename};
}

ZoneFilesPage::ZoneFilesPage(EditorWindow& editor, TZone& wc) : EditorPage(editor), m_wc(wc) {
  buildUi();
  connect(Z_FileRadioGroup, &QButtonGroup::idClicked, this, &ZoneFilesPage::Z_FileRadioGroupClick);
}

void ZoneFilesPage::buildUi() {
  auto* col = new QVBoxLayout(this);
  auto* grid = new QGridLayout();
  grid->addWidget(new QLabel(QStringLiteral("Разделитель"), this), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Кодировка"), this), 0, 3);
  for (size_t i = 0; i < kRowNames.size(); ++i) {
    const QString stem = QString::fromLatin1(kRowNames[i].stem);
    const int row = static_cast<int>(i) + 1;
    FileRow& f = Z_Files[i];
    grid->addWidget(new QLabel(QString::fromUtf8(kRowNames[i].label), this), row, 0);
    f.Path =
        Named(new QLineEdit(this), QStringLiteral("Z_") + stem + QStringLiteral("FilenameEdit"));
    grid->addWidget(f.Path, row, 1);
    f.LineBreak =
        Named(new QComboBox(this), QStringLiteral("Z_") + stem + QStringLiteral("LBComboBox"));
    f.LineBreak->addItems({QStringLiteral("LF"), QStringLiteral("CRLF")});
    grid->addWidget(f.LineBreak, row, 2);
    f.Coding =
        Named(new QComboBox(this), QStringLiteral("Z_") + stem + QStringLiteral("CComboBox"));
    f.Coding->addItems(
        {QStringLiteral("AutoDetect"), QStringLiteral("Windows"), QStringLiteral("KOI-8")});
    grid->addWidget(f.Coding, row, 3);
  }
  grid->setColumnStretch(1, 1);
  col->addLayout(grid);

  auto* group =
      Named(new QGroupBox(QStringLiteral("Разделитель и кодировка"), this), "Z_FileRadioGroupBox");
  auto* radios = new QVBoxLayout(group);
  Z_FileRadioGroup = new QButtonGroup(group);
  Z_FileRadioGroup->setObjectName("Z_FileRadioGroup");
  const char* items[] = {"У каждого своя", "Как в настройках", "Как у зоны"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(QString::fromUtf8(items[i]), group);
    b->setObjectName(QStringLiteral("Z_FileRadio%1").arg(i));
    Z_FileRadioGroup->addButton(b, i);
    radios->addWidget(b);
  }
  Z_FileRadioGroup->button(0)->setChecked(true);
  col->addWidget(group);
  col->addStretch(1);
}

void ZoneFilesPage::ShowRecord() {
  const auto settings = Settings();
  for (size_t i = 0; i < settings.size(); ++i) {
    const TFileSetting& s = m_wc.*settings[i];
    ShowPath(Z_Files[i].Path, s.Path);
    ShowIndex(Z_Files[i].LineBreak, s.LineBreak);
    ShowIndex(Z_Files[i].Coding, s.Coding);
  }
}

void ZoneFilesPage::StoreRecord() {
  const auto settings = Settings();
  for (size_t i = 0; i < settings.size(); ++i) (m_wc.*settings[i]).Path = ReadPath(Z_Files[i].Path);
  if (m_fileChoice == 0) {
    for (size_t i = 0; i < settings.size(); ++i) {
      TFileSetting& s = m_wc.*settings[i];
      s.LineBreak = ReadIndex(Z_Files[i].LineBreak, s.LineBreak);
      s.Coding = ReadIndex(Z_Files[i].Coding, s.Coding);
    }
    return;
  }
  TFileSetting& first = m_wc.ZoneFilename;
  if (m_fileChoice == 1) {
    const EditorSettings settings = Editor().Host().Settings();
    first.Coding = static_cast<uint8_t>(settings.Coding);
    first.LineBreak = static_cast<uint8_t>(settings.LineBreak);
  } else {
    first.LineBreak = ReadIndex(Z_Files[0].LineBreak, first.LineBreak);
    first.Coding = ReadIndex(Z_Files[0].Coding, first.Coding);
  }
  for (size_t i = 1; i < settings.size(); ++i) (m_wc.*settings[i]).SetWord(first.Word());
}

void ZoneFilesPage::Z_FileRadioGroupClick(int choice) {
  m_fileChoice = std::clamp(choice, 0, 2);
  for (size_t i = 0; i < Z_Files.size(); ++i) {
    const bool on = m_fileChoice == 0 || (m_fileChoice == 2 && i == 0);
    Z_Files[i].LineBreak->setEnabled(on);
    Z_Files[i].Coding->setEnabled(on);
  }
  if (QAbstractButton* b = Z_FileRadioGroup->button(m_fileChoice)) b->setChecked(true);
}

}  // namespace zm
