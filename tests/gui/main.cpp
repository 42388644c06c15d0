#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // The editors' journals of unsaved changes go to a folder of the run, not
  // the user's; a child run of the crash test is given its own.
  QTemporaryDir state;
  if (!qEnvironmentVariableIsSet("ZEMLEMER_CRASH_WORLD"))
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
