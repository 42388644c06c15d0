#include "model/records.h"

#include "common/winutf8.h"

namespace zm {

std::string NotChosenText() {
  return W("Не выбран");
}

}  // namespace zm
