#include "editors/flaglistpage.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"

namespace zm {

FlagListPage::FlagListPage(EditorWindow& editor, std::string& flags, const char* name,
                           QWidget* parent)
    : EditorPage(editor, parent), m_flags(flags) {
  auto* lay = new QVBoxLayout(this);
  List = Named(new QListWidget(this), name);
  List->setFlow(QListView::TopToBottom);
  List->setWrapping(true);
  List->setResizeMode(QListView::Adjust);
  lay->addWidget(List);
  editor.BindDictionary(List);
}

void FlagListPage::ShowRecord() {
  Editor().ShowDict(List, m_flags);
}

void FlagListPage::StoreRecord() {
  m_flags = Editor().ReadDict(List);
}

}  // namespace zm
