#pragma once
// The four trimpots of a card channel and which way a clockwise turn moves
// the reading the wizard shows while each is adjusted. The technician is
// told "turn clockwise" or "turn counter-clockwise" from this table, and the
// simulated cards are wired by it, so that the two always agree.

#include <array>
#include <string_view>

namespace vernium {

enum class Trimpot { Excitation, Offset, InputGain, ScaleGain };
inline constexpr std::array<Trimpot, 4> kAllTrimpots = {Trimpot::Excitation, Trimpot::Offset,
                                                        Trimpot::InputGain, Trimpot::ScaleGain};

enum class TurnSense { Unknown, ClockwiseRaises, ClockwiseLowers };

// The sense of `trimpot` on a card of type `cardType` ("SGC10", "SGC50",
// "SGC50A", "SGC50B"); Unknown for any other text. The gains raise the
// reading clockwise for the positive signals the wizard adjusts them on
// (the 5 mV reference, the shunt); the offset correction is subtracted
// from the input stage's output, so clockwise (more correction) lowers it.
TurnSense ClockwiseSense(std::string_view cardType, Trimpot trimpot);

}  // namespace vernium
