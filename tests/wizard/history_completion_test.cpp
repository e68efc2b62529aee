// The wizard's completion keeps the calibration in the history; a history
// that cannot be written is said once and the calibration stands.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "storage/history_keeper.h"
#include "wizard/wizard_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(WizardTest, ACompletionIsKeptAndAnUnusableHistoryNeverStopsIt) {
  Declare(1, 2);
  const auto folder =
      std::filesystem::temp_directory_path() / ("vernium-wiz-" + std::to_string(getpid()));
  const auto spoilt = folder / "damaged";
  std::filesystem::create_directories(spoilt);
  std::ofstream(spoilt / HistoryDatabase::kFileName) << "damaged beyond repair";
  HistoryKeeper keeper(boxes, folder), damaged(boxes, spoilt);
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE(run);
    wizard.SetHistory(run == 0 ? &keeper : &damaged);
    OpenParameters("1-0-0");
    ASSERT_TRUE(Continue());
    boxes.Clear();
    NextTo(kStepComplete);
    EXPECT_EQ(config.Channels[32].Calibrated, "Yes");
    // Said at the first completion it could not keep, not at the next.
    ASSERT_EQ(boxes.Shown().size(), run == 1 ? 1u : 0u);
    if (run == 1) {
      EXPECT_EQ(boxes.Shown()[0].title, kHistoryTitle);
    } else if (run == 0) {
      const std::vector<HistoryEntry> kept = keeper.Entries();
      ASSERT_EQ(kept.size(), 1u);
      EXPECT_EQ(kept[0].record.ChannelLabel, "1-0-0");
      EXPECT_EQ(kept[0].method, "Nameplate");
      EXPECT_EQ(kept[0].record.M, 147.0f);
      EXPECT_EQ(kept[0].actual.InputGain, config.Actual[32].InputGain);
      EXPECT_EQ(kept[0].recordedAt.substr(0, 10), "2026-12-05");
    }
    wizard.ExitMainClick();
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vernium::testing
