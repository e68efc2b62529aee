#pragma once
// The designators printed on a strain-gage card beside a channel's
// filter-gain resistor, filter jumper and coupling jumper. The SGC10 carries
// two channels, the even one on R46/JP5/JP2 and the odd one on R44/JP4/JP3;
// the SGC50 family numbers its parts by the channel's place x (1 to 8) on
// the card: Rx44, JPx04, JPx03. A channel's place among the card channels
// of its base channel, worked out from its label, gives those numbers.

#include <cstdint>
#include <string>
#include <string_view>

namespace vernium {

struct CardDesignators {
  std::string filterGainResistor;
  std::string filterJumper;
  std::string couplingJumper;
  bool operator==(const CardDesignators&) const = default;
};

// `sgc10` for the SGC10, else the SGC50 family; `channel` the expansion
// channel number.
CardDesignators DesignatorsOf(bool sgc10, int channel);

// The position, 1 to 16, of a card channel among the card channels of its
// base channel, from its label b-c-k and its card type: SGC10 2c + k + 1,
// SGC50 family k + 1, or k + 9 for the second card; 0 for a row without a
// card.
std::int16_t CardChannelNumber(std::string_view label, std::string_view cardType);

// The jumper and resistor designator of an SGC50-family channel: its channel
// number 1 to 8 on its own card.
int CardDesignatorNumber(int cardChannelNumber);

}  // namespace vernium
