#pragma once
// Configurations for the report tests: card channels declared, calibrated or
// not, active or not, with their values set as the wizard leaves them.

#include "model/configuration.h"

namespace vernium::testing_reports {

inline void Declare(Configuration& c, int chan, const char* type, const char* label) {
  c.Channels[chan].CardType = type;
  c.Channels[chan].ChannelLabel = label;
  c.NoCardsFlag = kFalse16;
}

inline void Calibrate(Configuration& c, int chan, float inputGain, float m, float b) {
  ChannelConfig& ch = c.Channels[chan];
  ch.Active = kTrue16;
  ch.Calibrated = "Yes";
  ch.M = m;
  ch.B = b;
  c.Calc[chan] = {inputGain, 2.5f, 0.0f};
  c.Actual[chan] = {inputGain + 0.25f, 2.4996f, -0.0004f, 2};
}

}  // namespace vernium::testing_reports
