#pragma once
// The numbered messages that several windows show, kept in one place so that
// their wording and box style stay the same wherever they appear.

#include <cstdint>
#include <string>
#include <string_view>

#include "app_version.h"
#include "platform/message_boxes.h"

namespace vernium {

// Title of the numbered messages that have none of their own.
inline constexpr std::string_view kStrainGageTitle = "Strain Gage";

// Message numbers in use.
inline constexpr std::int16_t kMsgAbout = 1;
inline constexpr std::int16_t kMsgOffsetNotZero = 9;
inline constexpr std::int16_t kMsgOutOfRange = 12;

// The About text: program name, description and version, each line ended by
// CR LF, e.g. "Version  7. 2. 5".
std::string AboutText();

// Shows message `number` in a modal box with an OK button and returns when it
// is closed. A number without a message shows nothing.
void ShowMessage(MessageBoxes& boxes, std::int16_t number);

}  // namespace vernium
