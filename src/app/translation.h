#pragma once
// Qt's own texts (standard buttons, the font and file dialogs, the text
// fields' context menus) in Russian, like the rest of the editor.
class QCoreApplication;
class QTranslator;

namespace zm {

// Installs Qt's Russian translation when the system has it (Debian's
// qt6-translations-l10n) and returns it (the application owns it); null
// when it has none, and Qt speaks English.
QTranslator* InstallQtTranslation(QCoreApplication& app);

}  // namespace zm
