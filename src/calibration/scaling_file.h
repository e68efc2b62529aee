#pragma once
// The scaling file for Wave-Studio: one line y = m x + b per calibrated
// channel, telling the analysis package how to turn the volts read at the
// acquisition unit's input into the user's units. Written once, at exit.

#include <filesystem>
#include <string_view>

#include "model/configuration.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"

namespace vernium {

inline constexpr std::string_view kScalingFileName = "sgc10.ini";
inline constexpr std::string_view kScalingErrorTitle = "Wave-Studio Data Output";
inline constexpr std::string_view kScalingErrorText =
    "An error occured during the output of Wave-Studio data";

// Writes "sgc10.ini" in `directory` (the program passes its current
// directory), replacing any earlier file: three header lines, then one line
// per active channel whose Calibrated text is not "No", in channel order.
// The pointer shows the hourglass while it writes. Any failure to open or
// write the file, or an arithmetic fault in a channel's m or b, ends the
// write with the "Wave-Studio Data Output" message; lines written before it
// stay in the file.
void WriteScalingFile(const Configuration& config, MessageBoxes& boxes, MousePointer& pointer,
                      const std::filesystem::path& directory);

}  // namespace vernium
