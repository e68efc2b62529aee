#include "calibration/message_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/message_boxes.h"

namespace vernium {
namespace {

struct MessageCase {
  std::int16_t number;
  const char* title;
  MsgIcon icon;
  std::string text;
};
std::ostream& operator<<(std::ostream& os, const MessageCase& c) {
  return os << "message " << c.number;
}

class Catalogue : public ::testing::TestWithParam<MessageCase> {};

TEST_P(Catalogue, ShowsOneOkBoxWithItsTitleIconAndText) {
  ScriptedMessageBoxes boxes;
  ShowMessage(boxes, GetParam().number);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const ShownMessage& shown = boxes.Shown().front();
  EXPECT_EQ(shown.title, GetParam().title);
  EXPECT_EQ(shown.icon, GetParam().icon);
  EXPECT_EQ(shown.buttons, MsgButtons::OK);
  EXPECT_EQ(shown.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, Catalogue,
    ::testing::Values(
        MessageCase{1, "About Vernium", MsgIcon::Information,
                    "Vernium\r\nStrain-Gage Card Configuration and Adjustment Utility\r\n"
                    "Version  7. 2. 5\r\n"},
        MessageCase{9, "Strain Gage", MsgIcon::Information,
                    "The offset voltage is not set to 0 volts. This channel is not calibrated "
                    "unless the offset adjustment is set properly. Click 'Previous' to return "
                    "to the offset adjustment step."},
        MessageCase{12, "Strain Gage", MsgIcon::Critical, "Value is out of range."}));

class CatalogueGap : public ::testing::TestWithParam<int> {};

TEST_P(CatalogueGap, ShowsNothing) {
  ScriptedMessageBoxes boxes;
  ShowMessage(boxes, static_cast<std::int16_t>(GetParam()));
  EXPECT_TRUE(boxes.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Unused, CatalogueGap, ::testing::Values(0, 2, 3, 10, 13, -1));

TEST(AboutText, HasFourLinesTheLastEmpty) {
  const std::string text = AboutText();
  std::size_t lines = 1;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 4u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_NE(text.find("\r\nVersion  7. 2. 5\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vernium
