#pragma once
// A card channel's place within its base channel and the record of a channel
// that has lost its calibration, worked out from the channel grid's row.

#include <cstdint>
#include <string>

#include "model/card_designators.h"
#include "platform/clock.h"

namespace vernium {

struct Configuration;
struct Grid;
struct PreCalState;

// CardChannelNumber of the channel of grid row `row`: its label b-c-k is in
// column 1, its card type in column 5.
std::int16_t CardChannelNumber(const Grid& grdChannel, int row);

// Records the current channel (config.CurrentChannel, grid row
// config.CurrentRow) as not calibrated: "No" in the grid's "Calibrated"
// column, the record and the base channel's entry; the calculated and actual
// gains and the actual offset cleared.
void MarkUncalibrated(Configuration& config, Grid& grdChannel);

// Records the current channel as calibrated on `today`: the date in the
// grid's "Calibrated" column and the base channel's entry, "Yes" in the
// record, and its scaling line y = M x + B from the application parameters
// as the form shows them (Two Point: the two point values; otherwise the
// maximum load and the tare).
void MarkCalibrated(Configuration& config, Grid& grdChannel, const PreCalState& preCal,
                    CalendarDate today);

// Turns a live reading `v` (volts) of wizard step `step` into the card's
// actual offset (step 2), input gain (step 3) or scale gain (step 4) of the
// current channel; other steps measure nothing.
void MeasureStep(Configuration& config, int step, float v);

// The actual offset is too far from zero for the input gain to be set.
bool OffsetNotZero(const Configuration& config);

// What the calibration of the current channel reached, one line each: the
// input gain, the scale gain and the offset measured against those
// calculated, the scaling line y = M x + B of its record and the line the
// scaling file will carry for it.
std::string CalibrationSummary(const Configuration& config);

}  // namespace vernium
