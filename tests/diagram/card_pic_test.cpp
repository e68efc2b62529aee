// The card diagram: designators, address jumpers and markers by channel.
// (The card option and picture chosen on activation, and OK and Done
// storing the drawing into the channel record: view_card.scn.)
#include <gtest/gtest.h>

#include "diagram/card_pic_form.h"
#include "model/configuration.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"

namespace vernium {
namespace {

class CardPicTest : public ::testing::Test {
 protected:
  CardPicTest() { InitTables(config_); }

  // Puts a card channel into the record as the grid would list it.
  void Current(int chan, const char* cardType, const std::string& label) {
    config_.CurrentChannel = static_cast<std::int16_t>(chan);
    config_.Channels[chan].CardType = cardType;
    config_.Channels[chan].ChannelLabel = label;
  }

  Configuration config_;
  CardPicState state_;
  ScriptedMessageBoxes boxes_;
  RecordedMousePointer pointer_;
  CardPicForm form_{config_, state_, boxes_, pointer_};
};

// The designators themselves: the card's own (the bench's tests) and as
// the diagram shows them (view_card.scn).
TEST_F(CardPicTest, TheChannelsPlaceOnTheCardAndTheOddSgc10ChannelsCircuit) {
  const std::tuple<int, const char*, int> cases[] = {
      {33, "SGC10", 1}, {32, "SGC10", 0}, {52, "SGC50", 4}, {63, "SGC50B", 7}};
  for (const auto& [chan, cardType, place] : cases) {
    Current(chan, cardType, "x-x-x");
    form_.Activate(1.0, 1.0);
    EXPECT_EQ(state_.placeOnCard, place) << chan;
  }
  // The SGC10's odd channel has its labels and shunts on the other circuit.
  Current(32, "SGC10", "1-0-0");
  form_.Activate(1.0, 1.0);
  const double evenLeft = state_.FilterShunt[0].at.left;
  const double evenLabel = state_.lblFilterDesignator.at.left;
  Current(33, "SGC10", "1-0-1");
  form_.Activate(1.0, 1.0);
  EXPECT_GT(state_.FilterShunt[0].at.left, evenLeft);
  EXPECT_GT(state_.lblFilterDesignator.at.left, evenLabel);
}

TEST_F(CardPicTest, AddressJumpersShowTheBitsOfTheCardIndex) {
  // card index -> the buttons shown for jumpers 0, 1, 2
  const std::pair<int, std::array<int, 3>> cases[] = {
      {0, {0, 1, 2}}, {5, {3, 1, 5}}, {2, {0, 4, 2}}, {7, {3, 4, 5}}, {6, {0, 4, 5}}};
  for (const auto& [card, shown] : cases) {
    SCOPED_TRACE(card);
    Current(16 + 2 * card, "SGC10", "0-" + std::to_string(card) + "-0");
    form_.Activate(1.0, 1.0);
    for (int j = 0; j < 6; ++j) {
      const bool expected = j == shown[0] || j == shown[1] || j == shown[2];
      EXPECT_EQ(state_.cmdAddress[static_cast<std::size_t>(j)].visible, expected) << j;
    }
  }
  EXPECT_TRUE(boxes_.Shown().empty());
  Current(20, "SGC10", "0-9-0");
  form_.ShowCardSettings();
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].text, "Invalid channel ");
  EXPECT_EQ(boxes_.Shown()[0].icon, MsgIcon::Critical);
}

TEST_F(CardPicTest, MarkersSitAtTheBaseChannelAndGroupPositionsScaledToTheScreen) {
  // Channel, scale; JP1's top and left, the group's top.
  const std::tuple<int, double, double, double, double> cases[] = {
      {16, 1.0, 2685, 5250, 2070},
      {33, 1.0, 2550, 5356, 2070},
      {271, 1.0, 660, 6840, 2220},
      {56, 2.0, 2 * (2685 - 135 * 2), 2 * (5250 + 106 * 2), 2 * 2220}};
  for (const auto& [chan, scale, jp1Top, jp1Left, groupTop] : cases) {
    SCOPED_TRACE(chan);
    Current(chan, "SGC50", "x-0-0");
    form_.Activate(scale, scale);
    EXPECT_DOUBLE_EQ(state_.picJP1[0].at.top, jp1Top);
    EXPECT_DOUBLE_EQ(state_.picJP1[1].at.left, jp1Left);
    EXPECT_DOUBLE_EQ(state_.picUpperLowerShunt.at.top, groupTop);
  }
}

}  // namespace
}  // namespace vernium
