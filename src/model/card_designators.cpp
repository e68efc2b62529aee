#include "model/card_designators.h"

namespace vernium {

CardDesignators DesignatorsOf(bool sgc10, int channel) {
  if (sgc10) {
    if (channel % 2 != 0) return {"R44", "JP4", "JP3"};
    return {"R46", "JP5", "JP2"};
  }
  const std::string x = std::to_string(channel % 8 + 1);
  return {"R" + x + "44", "JP" + x + "04", "JP" + x + "03"};
}

}  // namespace vernium
