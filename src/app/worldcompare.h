#pragma once
// "Сравнить с папкой…": the open world against another folder (a
// colleague's checkout, yesterday's copy). The records that differ are listed
// in the search panel; a line opens both versions side by side, read-only.
#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/reporter.h"
#include "model/kinds.h"

class QMdiSubWindow;

namespace zm {

class AppContext;
class FindResults;
class World;

class WorldCompare : public QObject {
  Q_OBJECT
 public:
  WorldCompare(AppContext& app, FindResults& find, QObject* parent = nullptr);
  ~WorldCompare() override;

  // Asks for the folder, then compares.
  void AskAndCompare();
  // False (with a message) when nothing could be read there.
  bool CompareWith(const std::filesystem::path& folder);
  // Both versions of the listed row side by side; one where the record is
  // only on one side.
  void OpenRow(int row);

  struct Row {
    RecordKind Kind;
    int32_t Vnum;
  };
  const std::vector<Row>& Rows() const { return m_rows; }
  const World* Other() const { return m_other.get(); }

 private:
  // The read-only windows go before the world they show.
  void closeViewers();

  // What reading the other folder reported; nobody is asked anything.
  class LoadNotes : public Reporter {
   public:
    int Count = 0;
    void AddLoadError(const std::string&) override { ++Count; }

   protected:
    void Error(int, const std::string&) override { ++Count; }
    bool Confirm(int, const std::string&) override { return false; }
    int Choose(int, const std::string&, const std::vector<std::string>&) override { return 2; }
  };

  AppContext& m_app;
  FindResults& m_find;
  LoadNotes m_notes;
  std::unique_ptr<World> m_other;
  std::filesystem::path m_folder;
  std::vector<Row> m_rows;
  std::vector<QPointer<QMdiSubWindow>> m_viewers;
};

}  // namespace zm
