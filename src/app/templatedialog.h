#pragma once
// The template dialog: a number inside the zone or a quantity, and the
// template whose values the new records take. The creation itself is the
// core's CreateFromTemplate; this only asks.
#include <QDialog>
#include <memory>

#include "app/appcontext.h"
#include "templates/templets.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace Ui {
class TemplateDialog;
}

namespace zm {

class ModalRunner;

class TemplateDialog : public QDialog, public TemplateChooser {
  Q_OBJECT
 public:
  explicit TemplateDialog(ModalRunner& runner, QWidget* parent = nullptr);
  ~TemplateDialog() override;

  // Fills the dialog from the question, runs it, and puts the answer back.
  bool Choose(TemplateRequest& req) override;
  // Everything Choose does before the dialog is shown.
  void Prepare(const TemplateRequest& req);

  void NumEditEnter();
  void QtyEditEnter();
  void NumEditChange();
  void QtyEditChange();
  TemplateMode Mode() const { return m_mode; }

  QSpinBox* NumEdit() const;
  QSpinBox* QtyEdit() const;
  QLabel* QtyLabel() const;
  QComboBox* TmplComboBox() const;
  QPushButton* OkBtn() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  std::unique_ptr<Ui::TemplateDialog> m_ui;
  ModalRunner& m_runner;
  TemplateMode m_mode = TemplateMode::Number;
  int m_maximum = 0;
  std::function<bool(int32_t)> m_isFree;
};

// The TemplateCreator of the main window: the five template lists and the
// dialog that asks.
class GuiTemplates : public TemplateCreator {
 public:
  GuiTemplates(AppContext& app, TemplateDialog& form) : m_app(app), m_form(form) {}
  void LoadTemplates(const std::filesystem::path& basesDir) override;
  TMUDClass* CreateFromTemplate(RecordKind kind, int32_t zone) override;
  const Templets& Lists() const { return m_templets; }

 private:
  AppContext& m_app;
  TemplateDialog& m_form;
  Templets m_templets;
};

}  // namespace zm
