#pragma once
// Reading a channel's record fields by name for "expect channel N FIELD".

#include <optional>
#include <string>
#include <variant>

#include "model/configuration.h"

namespace vernium::scenario {

// A field's value: text, number, or boolean.
using FieldValue = std::variant<std::string, double, bool>;

// Fields of ChannelConfig by name (Calibrated, CardType, M, ...), and of the
// calculated and actual settings as Calc.InputGain, Actual.FilterGain, ...
std::optional<FieldValue> ChannelField(const Configuration& config, int channel,
                                       const std::string& field);

}  // namespace vernium::scenario
