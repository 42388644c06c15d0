#include "model/records.h"

#include "common/cp1251.h"

namespace zm {

std::string NotChosenText() {
  return W("Не выбран");
}

}  // namespace zm
