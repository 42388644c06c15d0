#include "editors/editorpage.h"

#include "editors/editorwindow.h"

namespace zm {

EditorPage::EditorPage(EditorWindow& editor, QWidget* parent)
    : QWidget(parent ? parent : &editor), m_editor(editor) {}

}  // namespace zm
