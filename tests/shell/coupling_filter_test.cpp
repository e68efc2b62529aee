// Coupling and filter changes of a card channel: the recalibration question,
// what each answer leaves stored, the resistor instructions and the pointer.
#include "main_form_fixture.h"
#include "wizard/calibration_record.h"

namespace vernium::testing {
namespace {

// ---- the filter-gain resistor instruction ----

struct ResistorCase {
  const char* name;
  int box;
  const char* label;
  int filterIndex;      // cboFIlter entry chosen
  const char* message;  // empty: none
};
std::ostream& operator<<(std::ostream& os, const ResistorCase& c) {
  return os << c.name;
}

class ResistorTest : public MainFormTest, public ::testing::WithParamInterface<ResistorCase> {
 protected:
  void Choose(const ResistorCase& c) {
    Load();
    AddCard(2, c.box, 2);
    Click(c.label, kColFilter);
    form.cboFIlter.Select(c.filterIndex);
    form.FilterListClick();
  }
};

TEST_P(ResistorTest, TellsWhichResistorToRemoveOrKeep) {
  const ResistorCase& c = GetParam();
  Choose(c);
  if (std::string(c.message).empty()) {
    EXPECT_TRUE(boxes.Shown().empty());
  } else {
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, c.message);
    EXPECT_EQ(boxes.Shown()[0].title, "Attention!");
    EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  }
}

TEST_P(ResistorTest, StoresTheSettingEverywhere) {
  const ResistorCase& c = GetParam();
  Choose(c);
  const std::string text = form.cboFIlter.items[static_cast<std::size_t>(c.filterIndex)];
  const ChannelConfig& ch = config.Channels[config.CurrentChannel];
  EXPECT_EQ(config.CurrentChannel, ChannelFromLabel(c.label, Cell(RowOf(c.label), 5)));
  EXPECT_EQ(ch.FilterOption, text);
  EXPECT_EQ(IsTrue(ch.FilterOn), c.filterIndex != 0);
  EXPECT_EQ(IsTrue(ch.GainX2), c.filterIndex == 2);
  EXPECT_EQ(Cell(RowOf(c.label), kColFilter), text);
  const int n = CardChannelNumber(form.grdChannel, RowOf(c.label));
  EXPECT_EQ(config.Base[2].Filter[n - 1], text);
  const int kind = c.box == 1 ? 0 : 1;
  EXPECT_EQ(session.cardPic.FilterGainResistor[static_cast<std::size_t>(kind)].visible,
            c.filterIndex != 1);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, ResistorTest,
    ::testing::Values(
        ResistorCase{"SGC10OddX1", 1, "2-1-0", 1, "Please, remove resistor R46"},
        ResistorCase{"SGC10EvenX1", 1, "2-1-1", 1, "Please, remove resistor R44"},
        ResistorCase{"SGC10OddX2", 1, "2-0-0", 2, "Make sure resistor R46 is in place"},
        ResistorCase{"SGC10EvenX2", 1, "2-0-1", 2, "Make sure resistor R44 is in place"},
        ResistorCase{"SGC10Bypass", 1, "2-0-1", 0, ""},
        ResistorCase{"SGC50N11X1", 2, "2-1-2", 1, "Please, remove resistor R344"},
        ResistorCase{"SGC50N11X2", 2, "2-1-2", 2, "Make sure resistor R344 is in place"},
        ResistorCase{"SGC50AN8X1", 3, "2-0-7", 1, "Please, remove resistor R844"},
        ResistorCase{"SGC50BN16X2", 4, "2-1-7", 2, "Make sure resistor R844 is in place"},
        ResistorCase{"SGC50BN1X1", 4, "2-0-0", 1, "Please, remove resistor R144"},
        ResistorCase{"SGC50Bypass", 2, "2-1-2", 0, ""}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- the recalibration question ----

struct QuestionCase {
  const char* name;
  bool fromGrid;  // double-click on the cell, else the list
  bool coupling;  // coupling, else filter
  const char* question;
};
std::ostream& operator<<(std::ostream& os, const QuestionCase& c) {
  return os << c.name;
}

class RecalibrationTest : public MainFormTest, public ::testing::WithParamInterface<QuestionCase> {
 protected:
  const std::string label = "5-0-1";  // SGC10, n = 2
  int chan = 0;
  std::string oldText;
  std::string newText;

  void SetUpChannel(bool calibrated) {
    Load();
    AddCard(5, 1);
    chan = ChannelFromLabel(label, kSGC10);
    if (calibrated) MarkCalibrated(label);
    const QuestionCase& c = GetParam();
    Click(label, c.coupling ? kColCoupling : kColFilter);
    oldText = Cell(config.CurrentRow, c.coupling ? kColCoupling : kColFilter);
    newText = c.coupling ? "AC" : "On, optional gain X1";
  }
  void Change() {
    const QuestionCase& c = GetParam();
    if (c.fromGrid) {
      form.GridDblClick();
    } else if (c.coupling) {
      form.cboCoupling.Select(1);
      form.CouplingListClick();
    } else {
      form.cboFIlter.Select(1);
      form.FilterListClick();
    }
  }
  const ShownMessage* Question() const {
    for (const ShownMessage& m : boxes.Shown()) {
      if (m.buttons == MsgButtons::OKCancel) return &m;
    }
    return nullptr;
  }
};

TEST_P(RecalibrationTest, AcceptedChangeMarksTheChannelUncalibrated) {
  const QuestionCase& c = GetParam();
  SetUpChannel(true);
  const int hourglasses = pointer.HourglassCount();
  boxes.QueueAnswer(MsgAnswer::OK);
  Change();

  const ShownMessage* question = Question();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->text, c.question);
  EXPECT_EQ(question->title, "Attention!");

  const int row = RowOf(label);
  EXPECT_EQ(Cell(row, c.coupling ? kColCoupling : kColFilter), newText);
  EXPECT_EQ(Cell(row, kColCalibrated), "No");
  EXPECT_EQ(config.Base[5].CalStatus[1], "No");
  const ChannelConfig& ch = config.Channels[chan];
  EXPECT_EQ(ch.Calibrated, "No");
  EXPECT_FLOAT_EQ(config.Calc[chan].InputGain, 0.0f);
  EXPECT_FLOAT_EQ(config.Calc[chan].ScalingGain, 0.0f);
  EXPECT_FLOAT_EQ(config.Actual[chan].InputGain, 0.0f);
  EXPECT_FLOAT_EQ(config.Actual[chan].ScalingGain, 0.0f);
  EXPECT_FLOAT_EQ(config.Actual[chan].Offset, 0.0f);
  EXPECT_FLOAT_EQ(config.Calc[chan].Offset, 0.25f);  // kept
  EXPECT_EQ(config.Actual[chan].FilterGain, 2);      // kept
  if (c.coupling) {
    EXPECT_FALSE(IsTrue(ch.DCCoupled));
    EXPECT_EQ(config.Base[5].Coupling[1], "AC");
    EXPECT_EQ(form.cboCoupling.text, "AC");
  } else {
    EXPECT_TRUE(IsTrue(ch.FilterOn));
    EXPECT_FALSE(IsTrue(ch.GainX2));
    EXPECT_EQ(ch.FilterOption, newText);
    EXPECT_EQ(config.Base[5].Filter[1], newText);
  }
  EXPECT_GT(pointer.HourglassCount(), hourglasses);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

TEST_P(RecalibrationTest, CancelledChangeKeepsTheCalibration) {
  const QuestionCase& c = GetParam();
  SetUpChannel(true);
  const bool dcBefore = IsTrue(config.Channels[chan].DCCoupled);
  const bool filterOnBefore = IsTrue(config.Channels[chan].FilterOn);
  const bool gainX2Before = IsTrue(config.Channels[chan].GainX2);
  boxes.QueueAnswer(MsgAnswer::Cancel);
  Change();

  ASSERT_NE(Question(), nullptr);
  EXPECT_EQ(boxes.Shown().size(), 1u);  // no resistor instruction either
  const int row = RowOf(label);
  EXPECT_EQ(Cell(row, c.coupling ? kColCoupling : kColFilter), oldText);
  EXPECT_EQ(Cell(row, kColCalibrated), "12-05-2026");
  EXPECT_EQ(config.Base[5].CalStatus[1], "12-05-2026");
  const ChannelConfig& ch = config.Channels[chan];
  EXPECT_EQ(ch.Calibrated, "Yes");
  EXPECT_FLOAT_EQ(config.Calc[chan].InputGain, 2.5f);
  EXPECT_EQ(IsTrue(ch.DCCoupled), dcBefore);
  EXPECT_EQ(IsTrue(ch.FilterOn), filterOnBefore);
  EXPECT_EQ(IsTrue(ch.GainX2), gainX2Before);
  EXPECT_EQ(config.Base[5].Coupling[1], "DC");
  if (!c.coupling) {
    // The filter text is stored before the question is asked.
    EXPECT_EQ(ch.FilterOption, newText);
    EXPECT_EQ(config.Base[5].Filter[1], newText);
  }
  if (c.coupling && c.fromGrid) {
    EXPECT_FALSE(form.cboCoupling.visible);
    EXPECT_FALSE(form.lblDCACcoupling.visible);
  }
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

TEST_P(RecalibrationTest, NoQuestionWhenTheChannelIsNotCalibrated) {
  const QuestionCase& c = GetParam();
  SetUpChannel(false);
  Change();
  EXPECT_EQ(Question(), nullptr);
  EXPECT_EQ(Cell(RowOf(label), c.coupling ? kColCoupling : kColFilter), newText);
  EXPECT_EQ(Cell(RowOf(label), kColCalibrated), "No");
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

TEST_P(RecalibrationTest, NoQuestionWhenTheTextIsUnchanged) {
  const QuestionCase& c = GetParam();
  SetUpChannel(true);
  form.grdChannel.Cell(RowOf(label), c.coupling ? kColCoupling : kColFilter) = newText;
  if (!c.fromGrid) {
    Change();
  } else if (c.coupling) {
    form.ApplyCoupling(newText);
  } else {
    form.ApplyFilterFromGrid(newText);
  }
  EXPECT_EQ(Question(), nullptr);
  EXPECT_EQ(Cell(RowOf(label), kColCalibrated), "12-05-2026");
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RecalibrationTest,
    ::testing::Values(
        QuestionCase{"FilterList", false, false, "   Do you want to recalibrate?"},
        QuestionCase{"FilterGrid", true, false, "   Do you want to recalibrate this channel?"},
        QuestionCase{"CouplingList", false, true, "   Do you want to recalibrate?"},
        QuestionCase{"CouplingGrid", true, true, "   Do you want to recalibrate this channel?"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, CouplingToDcOnAnUncalibratedChannelSetsDcCoupledAndAsksNothing) {
  Load();
  AddCard(0, 2);
  Click("0-0-3", kColCoupling);
  const int chan = config.CurrentChannel;
  config.Channels[chan].DCCoupled = kFalse16;
  session.cardPic.whichCard[1].value = true;
  form.ApplyCoupling("DC");
  EXPECT_TRUE(IsTrue(config.Channels[chan].DCCoupled));
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_FALSE(session.cardPic.whichCard[1].value);
  EXPECT_EQ(form.cboCoupling.text, "DC");
}

TEST(CardChannelNumberTest, PositionWithinTheBaseChannel) {
  struct Case {
    const char* label;
    const char* type;
    int expected;
  };
  const Case cases[] = {{"3-0-0", "SGC10", 1},  {"3-0-1", "SGC10", 2},   {"3-7-1", "SGC10", 16},
                        {"12-4-0", "SGC10", 9}, {"3-0-0", "SGC50", 1},   {"3-0-7", "SGC50A", 8},
                        {"3-1-0", "SGC50B", 9}, {"15-1-7", "SGC50", 16}, {"3", "No Card", 0}};
  for (const Case& c : cases) {
    Grid grid;
    grid.Resize(2, 6);
    grid.Cell(1, 1) = c.label;
    grid.Cell(1, 5) = c.type;
    EXPECT_EQ(CardChannelNumber(grid, 1), c.expected) << c.label << " " << c.type;
  }
}

}  // namespace
}  // namespace vernium::testing
