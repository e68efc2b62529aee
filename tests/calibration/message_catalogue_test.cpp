#include "calibration/message_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace vernium {
namespace {

// The About box (message 1) and the unbalanced offset (9) are the menu and
// wizard scenarios'.
TEST(MessageCatalogue, OutOfRangeIsACriticalOkBoxAndNumbersWithoutAMessageShowNothing) {
  ScriptedMessageBoxes boxes;
  for (int n = -1; n <= 13; ++n) ShowMessage(boxes, static_cast<std::int16_t>(n));
  ASSERT_EQ(boxes.Shown().size(), 3u);
  const ShownMessage& shown = boxes.Shown()[2];
  EXPECT_EQ(
      std::tie(shown.title, shown.icon, shown.buttons, shown.text),
      std::make_tuple("Strain Gage", MsgIcon::Critical, MsgButtons::OK, "Value is out of range."));
}

}  // namespace
}  // namespace vernium
