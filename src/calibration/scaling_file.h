#pragma once
// The scaling file for Wave-Studio: one line y = m x + b per calibrated
// channel, telling the analysis package how to turn the volts read at the
// acquisition unit's input into the user's units. Written once, at exit.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/configuration.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"

namespace vernium {

inline constexpr std::string_view kScalingFileName = "sgc10.ini";
// The new file is written under this name beside the old, then renamed over it.
inline constexpr std::string_view kScalingFileNewSuffix = ".new";
inline constexpr std::string_view kScalingErrorTitle = "Wave-Studio Data Output";
inline constexpr std::string_view kScalingErrorText =
    "An error occured during the output of Wave-Studio data";

// A channel's line y = m x + b: volts at the unit's input to user units.
struct ScalingLine {
  float m = 0.0f;
  float b = 0.0f;
};

// Writes "sgc10.ini" in `directory` (the program passes its current
// directory), replacing any earlier file: three header lines, then one line
// per active channel whose Calibrated text is not "No", in channel order.
// The pointer shows the hourglass while it writes. Any failure to open or
// write the file, or an arithmetic fault in a channel's m or b, ends the
// write with the "Wave-Studio Data Output" message; lines written before it
// stay in the file. The old file is replaced only by a write that ended
// well, so an interrupted program never leaves half a file: after a failure
// an old file stays as it was and what was written is left beside it, in
// "sgc10.ini.new" (with no old file, it becomes "sgc10.ini").
// With `writeVerified`, a channel whose check with known loads passed
// carries its verified line instead, in the same format; every other channel
// keeps the line worked out from its measured gains.
void WriteScalingFile(const Configuration& config, MessageBoxes& boxes, MousePointer& pointer,
                      const std::filesystem::path& directory, bool writeVerified = false);

// The line worked out from a channel's parameters and the gains the wizard
// measured on it; empty on an arithmetic fault.
std::optional<ScalingLine> MeasuredScalingLine(const ChannelConfig& record,
                                               const ActualSettings& actual);

// The line the file carries for `channel` ("CH032,Pounds,m=0.5,b=65"), from
// its parameters and the gains measured on it; empty on an arithmetic fault,
// which would end the write.
std::optional<std::string> ScalingFileLine(int channel, const ChannelConfig& record,
                                           const ActualSettings& actual);
// The same line carrying `line`'s m and b.
std::string ScalingFileLine(int channel, const ChannelConfig& record, const ScalingLine& line);

// Why the scaling file cannot be written in `directory` ("" when it can): it
// does not exist, is no directory, or a file cannot be made in it.
std::string ScalingDirectoryProblem(const std::filesystem::path& directory);

}  // namespace vernium
