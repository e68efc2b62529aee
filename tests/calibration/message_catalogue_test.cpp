#include "calibration/message_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace vernium {
namespace {

TEST(MessageCatalogue, MessagesOneNineAndTwelveAreOkBoxesAndOtherNumbersShowNothing) {
  ScriptedMessageBoxes boxes;
  for (int n = -1; n <= 13; ++n) ShowMessage(boxes, static_cast<std::int16_t>(n));
  const std::tuple<std::string, MsgIcon, std::string> expected[] = {
      {"About Vernium", MsgIcon::Information,  // four lines, the last one empty
       "Vernium\r\nStrain-Gage Card Configuration and Adjustment Utility\r\nVersion  7. 2. 5\r\n"},
      {"Strain Gage", MsgIcon::Information,
       "The offset voltage is not set to 0 volts. This channel is not calibrated unless the "
       "offset adjustment is set properly. Click 'Previous' to return to the offset adjustment "
       "step."},
      {"Strain Gage", MsgIcon::Critical, "Value is out of range."}};
  ASSERT_EQ(boxes.Shown().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const ShownMessage& shown = boxes.Shown()[i];
    EXPECT_EQ(std::tie(shown.title, shown.icon, shown.text), expected[i]);
    EXPECT_EQ(shown.buttons, MsgButtons::OK);
  }
}

}  // namespace
}  // namespace vernium
