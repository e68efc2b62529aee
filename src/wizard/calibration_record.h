#pragma once
// A card channel's place within its base channel and the record of a channel
// that has lost its calibration, worked out from the channel grid's row.

#include <cstdint>

namespace vernium {

struct Configuration;
struct Grid;

// The position, 1 to 16, of the channel of grid row `row` among the card
// channels of its base channel, from the row's label b-c-k (column 1) and
// card type (column 5): SGC10 2c + k + 1, SGC50 family k + 1 or k + 9 for
// the second card; 0 for a row without a card.
std::int16_t CardChannelNumber(const Grid& grdChannel, int row);

// The jumper and resistor designator of an SGC50-family channel: its channel
// number 1 to 8 on its own card.
int CardDesignatorNumber(int cardChannelNumber);

// Records the current channel (config.CurrentChannel, grid row
// config.CurrentRow) as not calibrated: "No" in the grid's "Calibrated"
// column, the record and the base channel's entry; the calculated and actual
// gains and the actual offset cleared.
void MarkUncalibrated(Configuration& config, Grid& grdChannel);

}  // namespace vernium
