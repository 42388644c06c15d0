#include "widgets/modalrunner.h"

#include <QDialog>

namespace zm {

int ModalRunner::Run(QDialog& dialog) {
  return dialog.exec();
}

}  // namespace zm
