// Configuration files through the main window's File commands: what is saved
// comes back exactly, and a file that cannot be taken changes nothing. (The
// answers to the unsaved-changes question: configuration_files.scn.)
#include "storage/configuration_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "platform/file_chooser.h"
#include "shell/main_form_fixture.h"
#include "storage/scales_export.h"

namespace vernium {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

class ConfigurationFileTest : public testing::MainFormTest {
 protected:
  QueuedFileChooser chooser;
  RecentFiles recent;
  fs::path dir =
      fs::temp_directory_path() /
      ("vernium-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());

  ConfigurationFileTest() {
    fs::remove_all(dir);
    fs::create_directories(dir);
    form.UseFiles({chooser, recent, dir});
    Load();
    // Every card type, a channel calibrated by each method, one verified.
    AddCard(0, 1, 2);
    AddCard(1, 2);
    AddCard(2, 3);
    AddCard(3, 4, 2);
    const char* methods[] = {"Nameplate", "Two Point", "Shunt Cal"};
    const char* labels[] = {"0-1-1", "2-0-3", "3-1-7"};
    for (int i = 0; i < 3; ++i) {
      MarkCalibrated(labels[i]);
      config.Verified[config.CurrentChannel].method = methods[i];
    }
    config.Verified[config.CurrentChannel] = {true, 0.1f, -65.25f, "Shunt Cal"};
    config.Channels[20].Tare = 1e-30f;
    config.Channels[21].FullLoad = -std::numeric_limits<float>::max();
    config.Actual[21].Offset = std::numeric_limits<float>::infinity();
    config.Calc[22].Offset = std::numeric_limits<float>::quiet_NaN();
    form.mnuWriteVerified.checked = true;
    // Last in the coupling column of a row, as after choosing its coupling.
    Click("2-0-3", kColCoupling);
  }
  ~ConfigurationFileTest() override { fs::remove_all(dir); }

  void SaveAs(const fs::path& file) {
    chooser.Queue(file.string());
    form.SaveAsClick();
  }
  // As the window does before each redraw.
  const std::string& Caption() {
    form.RefreshFileState();
    return form.caption;
  }
  void Open(const fs::path& file) {
    chooser.Queue(file.string());
    form.OpenClick();
  }
};

TEST_F(ConfigurationFileTest, OpenRestoresWhatWasSavedAndSavesItAgainByteForByte) {
  const Configuration before = config;
  const auto grid = form.grdChannel.cells;
  SaveAs(dir / "a");
  EXPECT_EQ(Caption(), "a.vernium - Strain Gage Calibration");
  form.NewConfiguration();
  form.mnuWriteVerified.checked = false;
  // That change was never saved: Open asks first.
  boxes.QueueAnswer(MsgAnswer::Discard);
  Open(dir / "a.vernium");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "The configuration has not been saved. Save it first?");
  boxes.Clear();
  EXPECT_TRUE(SameContent(config, before));
  EXPECT_EQ(form.grdChannel.cells, grid);
  EXPECT_EQ(config.CurrentChannel, before.CurrentChannel);
  EXPECT_TRUE(form.mnuWriteVerified.checked);
  EXPECT_TRUE(form.CmdCalibrate.enabled);
  EXPECT_EQ(Caption(), "a.vernium - Strain Gage Calibration");
  SaveAs(dir / "b.vernium");
  EXPECT_EQ(Read(dir / "a.vernium"), Read(dir / "b.vernium"));
  chooser.Queue((dir / "scales").string());
  form.ExportScales();
  EXPECT_EQ(Read(dir / "scales.csv"), ScalesCsv(before));
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ConfigurationFileTest, AFileThatCannotBeTakenIsRefusedAndNothingChanges) {
  SaveAs(dir / "good.vernium");
  const std::string good = Read(dir / "good.vernium");
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {good.substr(0, good.size() / 2), "it ends too soon, after"},
      {"", "it ends too soon, after 0 bytes: it has been cut short"},
      {"{\"vernium\" 5}", "it is damaged: its text is malformed at byte 12"},
      {replaced("\"version\": 1", "\"version\": 2"),
       "it was saved by a newer version of Vernium (file format 2; this version reads format 1"},
      {replaced("vernium-configuration", "spreadsheet"), "it is not a Vernium configuration file"},
      {replaced("\"Excitation\"", "\"Excitment\""), "channel 16 has no Excitation"},
      {replaced("\"Units\": \"Pounds\"", "\"Units\": 5"), "channel 16 Units is not a text"},
      {replaced("\"0-0-1\"", "\"0-0-9\""), "base channel 0 slot 1 has the wrong label"},
      {replaced("\"ChanCount\": 4", "\"ChanCount\": 40"),
       "base channel 0 ChanCount is out of range"},
      {replaced("\"Name\": \"4\"", "\"Name\": \"4-0\""), "base channel 4 has the wrong name"},
  };
  form.mnuWriteVerified.checked = false;  // an unsaved change
  const Configuration before = config;
  const auto grid = form.grdChannel.cells;
  for (const auto& c : cases) {
    Write(dir / "bad.vernium", c.text);
    boxes.Clear();
    boxes.QueueAnswer(MsgAnswer::Discard);
    Open(dir / "bad.vernium");
    ASSERT_EQ(boxes.Shown().size(), 2u) << c.problem;
    EXPECT_EQ(
        boxes.Shown()[1].text.rfind("The file \"bad.vernium\" cannot be opened: " + c.problem, 0),
        0u)
        << boxes.Shown()[1].text;
    EXPECT_TRUE(SameContent(config, before));
    EXPECT_EQ(form.grdChannel.cells, grid);
    EXPECT_EQ(Caption(), "good.vernium* - Strain Gage Calibration");
  }
}

TEST_F(ConfigurationFileTest, OpenedOnAUnitThatKeepsBaseChannelsItSaysWhich) {
  SaveAs(dir / "wide.vernium");
  session.Device = std::make_shared<const AcqDevice>(testing::MakeDevice(23, 3));
  boxes.Clear();
  Open(dir / "wide.vernium");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text.substr(0, 58),
            "This configuration has cards on base channels (0, 1) that ");
  EXPECT_EQ(config.Base[1].ChanCount, 8);
}

TEST_F(ConfigurationFileTest, TheLastSessionIsKeptAtExitInADataFolderNotMadeYet) {
  const fs::path folder = dir / "share" / "vernium";
  form.UseFiles({chooser, recent, folder});
  form.UnloadMain();
  const std::string kept = Read(folder / "last-session.vernium");
  EXPECT_NE(kept.find("\"3-1-7\""), std::string::npos) << kept.substr(0, 200);
}

TEST_F(ConfigurationFileTest, AFailedSaveLeavesTheOldFileAsItWas) {
  Write(dir / "kept.vernium", "old");
  fs::create_directory(dir / "kept.vernium.saving");  // no temporary file can be made
  EXPECT_NE(WriteFileAtomically(dir / "kept.vernium", "new"), "");
  EXPECT_EQ(Read(dir / "kept.vernium"), "old");
}

TEST(ScalesExport, ListsEachCalibratedChannelWithBothLines) {
  Configuration c;
  InitTables(c);
  for (int n : {16, 17, 18}) {
    c.Channels[n].Active = kTrue16;
    c.Channels[n].Calibrated = "Yes";
    c.Channels[n].CardType = "SGC10";
    c.Channels[n].ChannelLabel = "0-" + std::to_string((n - 16) / 2) + "-" + std::to_string(n % 2);
    c.Actual[n] = {100.0f, 2.0f, 0.01f, 1};
  }
  c.Channels[16].Units = "lb, \"net\"";
  c.Base[0].CalStatus[0] = "12-05-2026";
  c.Verified[16] = {true, 3.0f, 4.5f, "Nameplate"};
  c.Channels[17].Active = kFalse16;
  c.Actual[18] = {};
  EXPECT_EQ(ScalesCsv(c),
            "Label,Card,Units,Legacy m,Legacy b,Verified m,Verified b,Date\r\n"
            "0-0-0,SGC10,\"lb, \"\"net\"\"\",250,5,3,4.5,12-05-2026\r\n"
            "0-1-0,SGC10,Pounds,0,0,,,No\r\n");
}

TEST(RecentFiles, KeepsTheLatestFiveOnceEach) {
  RecentFiles recent;
  for (const char* file : {"a", "b", "c", "d", "e", "f", "c"}) recent.Add(file);
  EXPECT_EQ(recent.Files(), (std::vector<std::string>{"c", "f", "e", "d", "b"}));
  EXPECT_EQ(RecentFiles::Caption(1, "/x/R&D.vernium"), "&2 R&&D.vernium");
}

}  // namespace
}  // namespace vernium
