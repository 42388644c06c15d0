#pragma once
// The commands of the main menu and of the tree's popup menu: save, add,
// delete, open in a new window.
#include <QObject>
#include <QString>

class QTreeWidgetItem;

namespace zm {

class AppContext;
class NewZoneDialog;
class TMUDClass;
class TreeController;

class MainCommands : public QObject {
  Q_OBJECT
 public:
  MainCommands(AppContext& app, TreeController& tree, NewZoneDialog& czone,
               QObject* parent = nullptr);

  void MI_SaveClick();
  void MI_SaveZoneClick();
  // Only while an editor window is open; they act on the selected node.
  void MI_AddClick();
  void MI_DeleteClick();

  // On the context node.
  void MI_InNewWindowClick();
  void MI_PAddClick();
  void MI_PDeleteClick();

  // "зону \"[12] Name\"": what the delete question names.
  QString DeleteObjectText(const TMUDClass& rec) const;
  void CreateZone();

 signals:
  // A line for the status bar after a save.
  void Saved(const QString& text);

 private:
  void deleteEntry(TMUDClass& rec);
  void deleteZone(TMUDClass& rec);

  AppContext& m_app;
  TreeController& m_tree;
  NewZoneDialog& m_czone;
};

}  // namespace zm
