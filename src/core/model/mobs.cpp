#include "model/mobs.h"

namespace zm {

int TMob::IndexOfSpell(int32_t spell) const {
  for (int i = 0; i < Spells.Count(); ++i)
    if (SpellNumber(Spells.Get(i)) == static_cast<uint16_t>(spell)) return i;
  return -1;
}

}  // namespace zm
