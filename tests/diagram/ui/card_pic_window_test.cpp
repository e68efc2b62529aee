// The card diagram window over its form: the drawn parts follow clicks and
// keys; a picture of an SGC10 odd channel.
#include "diagram/ui/card_pic_window.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "diagram/ui/card_drawing.h"
#include "model/configuration.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

class CardPicWindowTest : public ::testing::Test {
 protected:
  CardPicWindowTest() { InitTables(config_); }

  void Show(int chan, const char* type, const char* label) {
    config_.CurrentChannel = static_cast<std::int16_t>(chan);
    config_.Channels[chan].CardType = type;
    config_.Channels[chan].ChannelLabel = label;
    state_.lblInstruction.caption = CardPicInstruction(type);
    testing_qt::ShowAndWait(&window_);
  }
  template <typename T>
  T* Find(const QString& name) {
    T* found = window_.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }

  Configuration config_;
  CardPicState state_;
  ScriptedMessageBoxes boxes_;
  RecordedMousePointer pointer_;
  CardPicForm form_{config_, state_, boxes_, pointer_};
  CardPicWindow window_{form_};
};

// What the scenarios do not reach: the drawn parts follow the keyboard as
// well as the mouse, and the pictures to look at.
TEST_F(CardPicWindowTest, Sgc10OddChannelDrawnPartsFollowMouseAndKeys) {
  config_.Channels[33].DCCoupled = kTrue16;
  Show(33, "SGC10", "1-0-1");
  testing_qt::Save(window_, "card-diagram-sgc10-odd");
  auto* coupling = Find<DrawnPart>("CouplingShunt(0)");
  EXPECT_TRUE(coupling->IsPressed());
  testing_qt::Click(coupling, coupling->rect().center());
  EXPECT_FALSE(coupling->IsPressed());
  EXPECT_EQ(Find<QLabel>("lblCouplingAcDc(0)")->text(), "AC");
  auto* filter = Find<DrawnPart>("FilterShunt(0)");
  filter->setFocus();
  testing_qt::KeyClick(filter, Qt::Key_Space);
  EXPECT_TRUE(filter->IsPressed());
  EXPECT_EQ(Find<QLabel>("lblFilterOnOff(0)")->text(), "Filter");
}

}  // namespace
}  // namespace vernium::qtui
