#pragma once
// The one place where the GUI converts between the core's Windows-1251 text
// and Qt's strings.
#include <QString>
#include <string>

namespace zm {

QString ToQt(const std::string& win);
// Characters that Windows-1251 cannot hold become "?" (visibly, not dropped).
std::string FromQt(const QString& s);
// Text of several lines as the world files hold it: CR LF between lines,
// whatever line separators the text control used.
std::string FromQtLines(QString s);

}  // namespace zm
