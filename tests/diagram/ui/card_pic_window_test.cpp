// The card diagram window over its form: the drawn parts carry the control
// names and follow clicks and keys, the card shown follows the card type;
// pictures of an SGC10 odd channel and an SGC50A channel.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "diagram/ui/card_drawing.h"
#include "diagram/ui/card_pic_window.h"
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
  void Save(const char* name) {
    const QString dir = testing_qt::PngDir();
    if (!dir.isEmpty()) window_.grab().save(dir + "/" + name);
  }

  Configuration config_;
  CardPicState state_;
  ScriptedMessageBoxes boxes_;
  RecordedMousePointer pointer_;
  CardPicForm form_{config_, state_, boxes_, pointer_};
  CardPicWindow window_{form_};
};

TEST_F(CardPicWindowTest, Sgc10OddChannelShowsItsDesignatorsAndTakesShuntClicks) {
  config_.Channels[33].DCCoupled = kTrue16;
  Show(33, "SGC10", "1-0-1");
  EXPECT_EQ(window_.objectName(), "CardPic");
  EXPECT_TRUE(Find<QWidget>("picSGC10")->isVisibleTo(&window_));
  EXPECT_FALSE(Find<QWidget>("picSGC50")->isVisibleTo(&window_));
  EXPECT_EQ(Find<QLabel>("lblFilterGainDesignator")->text(), "R44");
  EXPECT_EQ(Find<QLabel>("lblCouplingDesignator")->text(), "JP3");
  EXPECT_FALSE(Find<QRadioButton>("whichCard(1)")->isVisibleTo(&window_));
  Save("card-diagram-sgc10-odd.png");

  auto* coupling = Find<DrawnPart>("CouplingShunt(0)");
  EXPECT_TRUE(coupling->IsPressed());
  testing_qt::Click(coupling, coupling->rect().center());
  EXPECT_FALSE(coupling->IsPressed());
  EXPECT_EQ(Find<QLabel>("lblCouplingAcDc(0)")->text(), "AC");
  auto* filter = Find<DrawnPart>("FilterShunt(0)");
  filter->setFocus();
  testing_qt::KeyClick(filter, Qt::Key_Space);
  EXPECT_EQ(Find<QLabel>("lblFilterOnOff(0)")->text(), "Filter");
  Find<QPushButton>("cmdOK")->click();
  EXPECT_FALSE(IsTrue(config_.Channels[33].DCCoupled));
  EXPECT_TRUE(IsTrue(config_.Channels[33].FilterOn));
  EXPECT_TRUE(window_.isVisible());
  Find<QPushButton>("cmdCancel")->click();
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(CardPicWindowTest, Sgc50aChannelShowsTheFamilyCardWithItsAddress) {
  Show(61, "SGC50A", "2-1-5");
  EXPECT_TRUE(Find<QWidget>("picSGC50")->isVisibleTo(&window_));
  EXPECT_FALSE(Find<QWidget>("picSGC10")->isVisibleTo(&window_));
  EXPECT_EQ(Find<QLabel>("lblFilterDesignator")->text(), "JP604");
  EXPECT_EQ(Find<QLabel>("lblChanNumber")->text(), "2-1-5");
  // Card 1: jumper A0 set, A1 and A2 clear.
  EXPECT_TRUE(Find<QPushButton>("cmdAddress(3)")->isVisibleTo(&window_));
  EXPECT_FALSE(Find<QPushButton>("cmdAddress(0)")->isVisibleTo(&window_));
  EXPECT_TRUE(Find<QPushButton>("cmdAddress(1)")->isVisibleTo(&window_));
  EXPECT_TRUE(Find<QPushButton>("cmdAddress(2)")->isVisibleTo(&window_));
  Save("card-diagram-sgc50a.png");
}

}  // namespace
}  // namespace vernium::qtui
