// Coupling and filter changes of a card channel: the recalibration question,
// what each answer leaves stored, the resistor instructions, the diagram's
// card option and the pointer.
#include "main_form_fixture.h"
#include "wizard/calibration_record.h"

namespace vernium::testing {
namespace {

// Each case on its own base channel b, two cards of the box there. (The
// record's FilterOn and GainX2 against the row's text: the property test.)
TEST_F(MainFormTest, FilterChoiceTellsWhichResistorToRemoveOrKeepAndStoresTheSetting) {
  const std::tuple<int, const char*, int, const char*> cases[] = {
      // box, channel on base b, cboFIlter entry, message
      {1, "1-0", 1, "Please, remove resistor R46"},
      {1, "0-1", 2, "Make sure resistor R44 is in place"},
      {1, "0-1", 0, ""},
      {2, "1-2", 1, "Please, remove resistor R344"},
      {3, "0-7", 1, "Please, remove resistor R844"},
      {4, "1-0", 2, "Make sure resistor R144 is in place"}};
  Load();
  int b = 0;
  for (const auto& [box, channel, index, message] : cases) {
    const std::string label = std::to_string(b) + "-" + channel;
    SCOPED_TRACE(label);
    boxes.Clear();
    AddCard(b++, box, 2);
    Click(label, kColFilter);
    form.cboFIlter.Select(index);
    form.FilterListClick();
    if (*message == '\0') {
      EXPECT_TRUE(boxes.Shown().empty());
    } else {
      ExpectOneMessage(message);
    }
    const std::string text = form.cboFIlter.items[static_cast<std::size_t>(index)];
    EXPECT_EQ(config.Channels[config.CurrentChannel].FilterOption, text);
    EXPECT_EQ(Cell(RowOf(label), kColFilter), text);
    EXPECT_EQ(config.Base[b - 1].Filter[form.CardChannelNumber() - 1], text);
    EXPECT_EQ(cardPic.FilterGainResistor[box == 1 ? 0u : 1u].visible, index != 1);
  }
}

// ---- the recalibration question ----

enum Answer { Accept, Cancel, NotCalibrated, Unchanged };
enum Path { FilterList, FilterGrid, CouplingList, CouplingGrid };

class RecalibrationTest : public MainFormTest,
                          public ::testing::WithParamInterface<std::tuple<Path, Answer>> {};

TEST_P(RecalibrationTest, QuestionAndWhatEachAnswerLeaves) {
  const auto [path, answer] = GetParam();
  const bool coupling = path >= CouplingList;
  const bool fromGrid = path == FilterGrid || path == CouplingGrid;
  const int col = coupling ? kColCoupling : kColFilter;
  const std::string label = "5-0-1";  // SGC10, n = 2
  const std::string newText = coupling ? "AC" : "On, optional gain X1";
  const int chan = ChannelFromLabel(label, kSGC10);
  Load();
  AddCard(5, 1);
  if (answer != NotCalibrated) MarkCalibrated(label);
  const int row = RowOf(label);
  Click(label, col);
  const std::string oldText = Cell(row, col);
  const ChannelConfig before = config.Channels[chan];
  const int hourglasses = pointer.HourglassCount();
  if (answer == Unchanged) form.grdChannel.Cell(row, col) = newText;
  boxes.QueueAnswer(answer == Cancel ? MsgAnswer::Cancel : MsgAnswer::OK);
  cardPic.whichCard[0].value = true;

  if (fromGrid && answer == Unchanged) {
    coupling ? form.ApplyCoupling(newText) : form.ApplyFilterFromGrid(newText);
  } else if (fromGrid) {
    form.GridDblClick();
  } else {
    (coupling ? form.cboCoupling : form.cboFIlter).Select(1);
    coupling ? form.CouplingListClick() : form.FilterListClick();
  }

  const bool asked = answer == Accept || answer == Cancel;
  const ShownMessage* question = nullptr;
  for (const ShownMessage& m : boxes.Shown()) {
    if (m.buttons == MsgButtons::OKCancel) question = &m;
  }
  ASSERT_EQ(question != nullptr, asked);
  if (asked) {
    EXPECT_EQ(question->text, fromGrid ? "   Do you want to recalibrate this channel?"
                                       : "   Do you want to recalibrate?");
    EXPECT_EQ(question->title, "Attention!");
  }
  const ChannelConfig& ch = config.Channels[chan];
  const bool uncalibrated = answer == Accept || answer == NotCalibrated;
  EXPECT_EQ(Cell(row, col), answer == Cancel ? oldText : newText);
  EXPECT_EQ(Cell(row, kColCalibrated), uncalibrated ? "No" : "12-05-2026");
  EXPECT_EQ(config.Base[5].CalStatus[1], uncalibrated ? "No" : "12-05-2026");
  EXPECT_EQ(ch.Calibrated, uncalibrated ? "No" : "Yes");
  EXPECT_GT(pointer.HourglassCount(), hourglasses);
  // A coupling change clears the diagram's card option.
  EXPECT_EQ(cardPic.whichCard[0].value, !coupling || answer == Cancel);
  if (coupling && answer != Cancel) {
    EXPECT_EQ(form.cboCoupling.text, newText);
  }

  if (answer == Accept) {
    EXPECT_EQ(config.Calc[chan].InputGain + config.Calc[chan].ScalingGain, 0.0f);
    EXPECT_EQ(config.Actual[chan].InputGain + config.Actual[chan].ScalingGain, 0.0f);
    EXPECT_EQ(config.Actual[chan].Offset, 0.0f);
    EXPECT_FLOAT_EQ(config.Calc[chan].Offset, 0.25f);  // kept
    EXPECT_EQ(config.Actual[chan].FilterGain, 2);      // kept
    EXPECT_EQ(coupling ? form.cboCoupling.text : ch.FilterOption, newText);
    EXPECT_EQ(coupling ? config.Base[5].Coupling[1] : config.Base[5].Filter[1], newText);
  }
  if (answer == Cancel) {
    EXPECT_EQ(boxes.Shown().size(), 1u);  // no resistor instruction either
    EXPECT_FLOAT_EQ(config.Calc[chan].InputGain, 2.5f);
    EXPECT_EQ(std::tuple(ch.DCCoupled, ch.FilterOn, ch.GainX2),
              std::tuple(before.DCCoupled, before.FilterOn, before.GainX2));
    EXPECT_EQ(config.Base[5].Coupling[1], "DC");
    // The filter text is stored before the question is asked.
    EXPECT_EQ(ch.FilterOption, coupling ? before.FilterOption : newText);
    EXPECT_EQ(config.Base[5].Filter[1], coupling ? "Bypass" : newText);
    EXPECT_EQ(form.cboCoupling.visible, coupling && !fromGrid);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RecalibrationTest,
    ::testing::Combine(::testing::Values(FilterList, FilterGrid, CouplingList, CouplingGrid),
                       ::testing::Values(Accept, Cancel, NotCalibrated, Unchanged)));

TEST(CardChannelNumberTest, PositionWithinTheBaseChannel) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"3-0-0", "SGC10", 1},  {"3-7-1", "SGC10", 16}, {"12-4-0", "SGC10", 9},
      {"3-0-7", "SGC50A", 8}, {"3-1-0", "SGC50B", 9}, {"15-1-7", "SGC50", 16},
      {"3", "No Card", 0}};
  for (const auto& [label, type, expected] : cases) {
    Grid grid;
    grid.Resize(2, 6);
    grid.Cell(1, 1) = label;
    grid.Cell(1, 5) = type;
    EXPECT_EQ(CardChannelNumber(grid, 1), expected) << label << " " << type;
  }
}

}  // namespace
}  // namespace vernium::testing
