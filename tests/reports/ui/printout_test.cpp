// The printout through the printer interface: the cancelled and failed saves
// and the refused job; the 256-channel printout written to PDF with the real
// font metrics and read back with pdftotext over several pages. (One summary
// saved without a printer and read back: summary_print.scn.)
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "model/configuration.h"
#include "platform/message_boxes.h"
#include "platform/ui/control_binding.h"
#include "reports/report_fixture.h"
#include "reports/ui/qt_configuration_printer.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

using testing_reports::Calibrate;
using testing_reports::Declare;

QString PdfText(const QString& pdf, int page = 0) {
  QStringList args{"-layout"};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  args << pdf << "-";
  QProcess p;
  p.start("pdftotext", args);
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintoutTest : public ::testing::Test {
 protected:
  PrintoutTest() {
    InitTables(config_);
    Declare(config_, 48, "SGC50", "2-0-0");
    Calibrate(config_, 48, 12.3456f, 250.0f, -12.5f);
  }

  // Targets without a printer, saving where the test says (empty: cancel).
  PrintTargets NoPrinter() {
    PrintTargets t;
    t.defaultPrinter = [] { return std::unique_ptr<QPrinter>(); };
    t.choosePdfFile = [this](const std::string&) { return chosen_; };
    return t;
  }

  QTemporaryDir dir_;
  Configuration config_;
  ScriptedMessageBoxes boxes_;
  std::string chosen_;
};

TEST_F(PrintoutTest, ACancelledSaveAFailedWriteOrARefusedJobIsTold) {
  QtConfigurationPrinter printer(boxes_, NoPrinter());
  // The answer, the file chosen, the start of the further box (none: empty).
  const std::tuple<MsgAnswer, std::string, std::string, MsgIcon> cases[] = {
      {MsgAnswer::No, "", "", MsgIcon::None},
      {MsgAnswer::Yes, "", "The configuration summary was not saved.", MsgIcon::Information},
      {MsgAnswer::Yes, FromQt(dir_.filePath("missing/folder/summary.pdf")),
       "The configuration summary could not be written to", MsgIcon::Critical}};
  for (const auto& [answer, path, message, icon] : cases) {
    boxes_.Clear();
    boxes_.QueueAnswer(answer);
    chosen_ = path;
    printer.PrintSummary(config_, {});
    ASSERT_EQ(boxes_.Shown().size(), message.empty() ? 1u : 2u);
    if (message.empty()) continue;
    EXPECT_EQ(boxes_.Shown()[1].text.rfind(message, 0), 0u) << boxes_.Shown()[1].text;
    EXPECT_EQ(boxes_.Shown()[1].icon, icon);
  }
  EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());

  // A printer that refuses the job: the PDF is offered the same way.
  PrintTargets refusing = NoPrinter();
  refusing.defaultPrinter = [this] {
    auto p = std::make_unique<QPrinter>();
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(dir_.filePath("no/such/folder/out.pdf"));
    return p;
  };
  QtConfigurationPrinter refused(boxes_, refusing);
  boxes_.Clear();
  boxes_.QueueAnswer(MsgAnswer::Yes);
  chosen_ = FromQt(dir_.filePath("instead.pdf"));
  refused.PrintSummary(config_, {});
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(
      boxes_.Shown()[0].text.rfind("The printer did not accept the configuration summary.", 0), 0u);
  EXPECT_TRUE(QFileInfo(dir_.filePath("instead.pdf")).isFile());
}

TEST_F(PrintoutTest, AllChannelsBreakOntoPagesWithHeadingsOnTheFirstOnly) {
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    Declare(config_, chan, "SGC10", "");
    config_.Channels[chan].ChannelLabel = "ch" + std::to_string(chan);
    Calibrate(config_, chan, 10.0f, 1.0f, 0.0f);
  }
  const QString pdf = dir_.filePath("all.pdf");
  ASSERT_TRUE(WriteSummaryPdf(FromQt(pdf), config_));
  const QString all = PdfText(pdf);
  const int pages = static_cast<int>(all.count('\f'));
  EXPECT_GE(pages, 3);
  int labels = 0;
  for (int page = 1; page <= pages; ++page) {
    const QString text = PdfText(pdf, page);
    EXPECT_EQ(text.contains("Caculated S/Gain"), page == 1) << page;
    EXPECT_EQ(text.contains("Card Configuration Summary"), page == 1) << page;
    labels += static_cast<int>(text.count(QRegularExpression("\\bch\\d+\\b")));
  }
  EXPECT_EQ(labels, 256);
  // In channel order across the pages.
  EXPECT_LT(all.indexOf("ch16 "), all.indexOf("ch17 "));
  EXPECT_LT(all.indexOf("ch270 "), all.indexOf("ch271 "));
}

}  // namespace
}  // namespace vernium::qtui
