#include <QApplication>
#include <QCommandLineParser>
#include <filesystem>

#include "app/mainwindow.h"
#include "app/translation.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zemlemer"));
  QApplication::setApplicationVersion(QStringLiteral(ZEMLEMER_VERSION));
  zm::InstallQtTranslation(app);

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Землемер: редактор мира MUD"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("WORLD"),
                               QStringLiteral("папка мира вместо WorldPath из ZEMLEMER.INI"));
  parser.process(app);

  zm::StartOptions options;
  const QStringList args = parser.positionalArguments();
  if (!args.isEmpty() && !args.first().isEmpty())
    options.WorldOverride = std::filesystem::path(args.first().toStdString());

  zm::MainWindow w(std::move(options));
  w.show();
  return app.exec();
}
