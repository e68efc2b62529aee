#pragma once
// The designators printed on a strain-gage card beside a channel's
// filter-gain resistor, filter jumper and coupling jumper. The SGC10 carries
// two channels, the even one on R46/JP5/JP2 and the odd one on R44/JP4/JP3;
// the SGC50 family numbers its parts by the channel's place x (1 to 8) on
// the card: Rx44, JPx04, JPx03.

#include <string>

namespace vernium {

struct CardDesignators {
  std::string filterGainResistor;
  std::string filterJumper;
  std::string couplingJumper;
};

// `sgc10` for the SGC10, else the SGC50 family; `channel` the expansion
// channel number.
CardDesignators DesignatorsOf(bool sgc10, int channel);

}  // namespace vernium
