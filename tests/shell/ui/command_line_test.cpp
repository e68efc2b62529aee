// The command line: each option's effect and each mistake's message and
// status, read against the simulated unit's list of units.
#include "shell/ui/command_line.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "simulator/simulated_unit.h"

namespace vernium::qtui {
namespace {

TEST(CommandLineTest, OptionsAndMistakes) {
  SimulatedAcqLib unit;
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QFile(dir.filePath("plain")).open(QIODevice::WriteOnly));
  const QString missing = dir.filePath("not-there");
  struct Case {
    QStringList arguments;
    int status;       // -1: the program runs
    const char* out;  // printed on standard output (a part of it)
    const char* err;  // printed on standard error (a part of it)
  };
  // clang-format off
  const Case cases[] = {
      {{},                                     -1, "", ""},
      {{"--version"},                           0, "Vernium 7.", ""},
      {{"--help"},                              0, "--output-dir <DIR>", ""},
      {{"--device", "SIM-BOARD-23"},           -1, "", ""},
      {{"--device", "NOPE"},                    2, "", "no acquisition unit named \"NOPE\"; the units are: SIM-PORTABLE, SIM-BOARD-23, SIM-BOARD-36, SIM-BOARD-17"},
      {{"--device", "SIM-UNSUPPORTED-50"},      2, "", "no acquisition unit named \"SIM-UNSUPPORTED-50\""},
      {{"--device"},                            2, "", "Missing value after '--device'"},
      {{"--output-dir", dir.path()},           -1, "", ""},
      {{"--output-dir", missing},               2, "", "it does not exist"},
      {{"--output-dir", dir.filePath("plain")}, 2, "", "it is not a directory"},
      {{"--output-dir", "/proc/self"},          2, "", "a file cannot be written in it"},
      {{"--data-dir", dir.filePath("data")},  -1, "", ""},
      {{"--data-dir", dir.filePath("plain")},  2, "", "cannot keep data in"},
      {{"--bench", "-platform", "offscreen"},  -1, "", ""},
      {{"--frobnicate"},                        2, "", "Unknown option 'frobnicate'"},
      {{"stray"},                               2, "", "unexpected argument \"stray\""},
  };
  // clang-format on
  for (const Case& c : cases) {
    const CommandLine line = ReadCommandLine(QStringList{"vernium"} + c.arguments, unit);
    const std::string what = c.arguments.join(' ').toStdString();
    EXPECT_EQ(line.run ? -1 : line.exitStatus, c.status) << what;
    EXPECT_NE(line.out.find(c.out), std::string::npos) << what << ": " << line.out;
    EXPECT_NE(line.err.find(c.err), std::string::npos) << what << ": " << line.err;
    if (c.status == 2) {
      EXPECT_EQ(line.err.rfind("vernium: ", 0), 0u) << what;
    }
  }

  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plain"}) << "nothing left behind";
  EXPECT_EQ(ReadCommandLine({"vernium", "--data-dir", dir.filePath("data")}, unit).run->dataDir,
            dir.filePath("data").toStdString());

  const auto all = ReadCommandLine(
      {"vernium", "--bench", "--device", "SIM-PORTABLE", "--output-dir", dir.path()}, unit);
  ASSERT_TRUE(all.run);
  EXPECT_TRUE(all.run->bench);
  EXPECT_EQ(all.run->device, "SIM-PORTABLE");
  EXPECT_EQ(all.run->outputDir, dir.path().toStdString());
  const auto none = ReadCommandLine({"vernium"}, unit);
  ASSERT_TRUE(none.run);
  EXPECT_FALSE(none.run->bench || none.run->device || none.run->outputDir);
}

}  // namespace
}  // namespace vernium::qtui
