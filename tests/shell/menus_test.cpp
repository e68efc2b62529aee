// The main window's menu commands (their texts on a window without cards,
// About and help: menus.scn and help.scn).
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(MainFormTest, DiagnosticsNoteByCardTypeBeforeTheWindow) {
  Load();
  const std::tuple<int, const char*, const char*, MsgIcon> cases[] = {
      {1, "", "", MsgIcon::None},
      {3, "Make sure the CAL/NORM switch in NORM position", "Attention!", MsgIcon::Information},
      {4, "To view correct bridge, input, scaling and offset readings, CAL1 and CAL2 switch",
       "Please Note", MsgIcon::None}};
  for (const auto& [box, text, title, icon] : cases) {
    boxes.Clear();
    AddCard(box, box);
    std::size_t messagesBeforeWindow = 9;
    windows.OnShow(WindowId::frmExpert, [&] { messagesBeforeWindow = boxes.Shown().size(); });
    form.ShowDiagnostics();
    ASSERT_EQ(messagesBeforeWindow, *text != '\0' ? 1u : 0u) << box;
    if (*text == '\0') continue;
    const ShownMessage& note = boxes.Shown()[0];  // the note as it begins
    EXPECT_EQ(std::tuple(note.text.rfind(text, 0), note.title, note.icon), std::tuple(0u, title, icon));
  }
}

TEST_F(MainFormTest, DisplayNeedsSomeCardPrintAndDiagnosticsOneOnTheSelectedRow) {
  Load();
  form.DisplayCardData();  // no card at all
  AddCard(0, 2);
  Click(RowOf("4"));  // a row without card: Display does not mind, the others do
  form.DisplayCardData();
  form.PrintConfiguration();
  form.ShowDiagnostics();
  ASSERT_EQ(boxes.Shown().size(), 3u);
  for (const ShownMessage& m : boxes.Shown()) {
    EXPECT_EQ(m.text + "|" + m.title,
              "There are no cards configured for this base channel|Attention!");
    EXPECT_EQ(m.icon, MsgIcon::Information);
  }
  EXPECT_EQ(windows.Shown(), (std::vector<WindowId>{WindowId::frmIfcSel, WindowId::CardConfig}));
  EXPECT_EQ(printout.Printed(), 0);
  Click(RowOf("0-0-5"));
  form.PrintConfiguration();
  EXPECT_EQ(boxes.Shown().size(), 3u);
  EXPECT_EQ(printout.Printed(), 1);
}

// The bench belongs to the simulated unit: its entry is enabled while one is
// open, and only then does it open the bench window.
TEST_F(MainFormTest, BenchEntryIsEnabledWhileASimulatedUnitIsOpen) {
  Load(std::nullopt, 2);  // the device selection cancelled
  EXPECT_FALSE(form.mnuBench.enabled);
  form.ShowBench();
  EXPECT_TRUE(windows.ShownBeside().empty());
  Load();
  EXPECT_TRUE(form.mnuBench.enabled);
  form.ShowBench();
  EXPECT_EQ(windows.ShownBeside().size(), 1u);
  form.WaveStud.checked = false;  // no scaling file: nothing to write here
  form.UnloadMain();
  EXPECT_FALSE(form.mnuBench.enabled);
}

}  // namespace
}  // namespace vernium::testing
