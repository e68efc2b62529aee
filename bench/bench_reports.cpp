// The reports with every card channel declared and calibrated (256 channels
// on 16 base channels), on the offscreen platform. Prints
//   summary_fill_ms: N   the summary window filled and drawn as it opens
//                        (median of five openings of a fresh window)
//   print_pdf_ms: N      the whole printout written to a PDF file
//                        (median of three)
//   peak_rss_mb: N       the process's peak memory after every window of the
//                        program has been opened once
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "acquisition/ui/device_window.h"
#include "calibration/ui/precal_window.h"
#include "diagram/ui/card_pic_window.h"
#include "platform/configuration_printer.h"
#include "platform/message_boxes.h"
#include "reports/ui/card_config_window.h"
#include "reports/ui/qt_configuration_printer.h"
#include "shell/ui/main_window.h"
#include "shell/ui/vernium_app.h"
#include "simulator/simulated_unit.h"
#include "wizard/ui/calibrator_window.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Every card channel: SGC10 cards, eight to a base channel, calibrated.
void DeclareAllCalibrated(vernium::Configuration& c) {
  for (int chan = vernium::kFirstChannel; chan <= vernium::kLastChannel; ++chan) {
    const int b = chan / 16 - 1;
    const int slot = chan % 16;
    vernium::ChannelConfig& ch = c.Channels[chan];
    ch.CardType = "SGC10";
    ch.ChannelLabel =
        std::to_string(b) + "-" + std::to_string(slot / 2) + "-" + std::to_string(slot % 2);
    ch.Active = vernium::kTrue16;
    ch.Calibrated = "Yes";
    ch.FilterOn = slot % 3 == 0 ? vernium::kTrue16 : vernium::kFalse16;
    ch.FilterOption = std::string(vernium::kFilterX2);
    ch.M = 147.0f + static_cast<float>(slot);
    ch.B = 65.0f;
    c.Calc[chan] = {184.43f, 1.844f, 0.0f};
    c.Actual[chan] = {184.58f, 1.845f, 0.0004f, 2};
  }
  c.NoCardsFlag = vernium::kFalse16;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  // The whole program, started on the simulated unit: the device selection
  // (OK pressed as it shows) and the main window.
  vernium::SimulatedAcqLib unit;
  vernium::ScriptedMessageBoxes boxes;
  vernium::RecordedConfigurationPrinter countOnly;
  vernium::qtui::VerniumApp vernium(unit, &boxes, &countOnly);
  vernium.OnDeviceWindowMade([](vernium::qtui::DeviceWindow& w) {
    QObject::connect(&w, &vernium::qtui::DeviceWindow::shown, &w, [&w] {
      QTimer::singleShot(0, &w, [&w] {
        if (auto* ok = w.findChild<QPushButton*>("Command1(0)")) ok->click();
      });
    });
  });
  vernium.Start();
  QApplication::processEvents();
  vernium::Configuration& config = vernium.session().config;
  DeclareAllCalibrated(config);
  config.CurrentChannel = 33;

  // The summary window: a fresh one each time, timed from show to drawn.
  std::vector<double> fills;
  for (int run = 0; run < 5; ++run) {
    vernium::qtui::CardConfigWindow window(vernium.cardConfig());
    QElapsedTimer clock;
    clock.start();
    window.show();
    QApplication::processEvents();
    fills.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    if (vernium.cardConfig().grdConfig.Rows() != 257) {
      std::fprintf(stderr, "bench_reports: the summary has %d rows\n",
                   vernium.cardConfig().grdConfig.Rows());
      return 1;
    }
    window.hide();
  }

  // The printout to PDF.
  QTemporaryDir dir;
  std::vector<double> prints;
  for (int run = 0; run < 3; ++run) {
    const std::string path = dir.filePath(QString("summary%1.pdf").arg(run)).toStdString();
    QElapsedTimer clock;
    clock.start();
    if (!vernium::qtui::WriteSummaryPdf(path, config)) {
      std::fprintf(stderr, "bench_reports: the PDF could not be written\n");
      return 1;
    }
    prints.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }

  // Every other window once: parameters, wizard, card diagram, help.
  vernium::Grid& grid = vernium.form().grdChannel;
  {
    vernium::qtui::PreCalWindow preCal(vernium.preCal());
    preCal.show();
    QApplication::processEvents();
    vernium::CalibratorState wizardState;
    vernium::qtui::CalibratorWindow wizard(vernium.session(), wizardState, vernium.preCal().state(),
                                           grid, boxes);
    wizard.show();
    QApplication::processEvents();
    wizard.form().closeRequested = true;
    vernium::qtui::CardPicWindow cardPic(vernium.cardPic());
    cardPic.show();
    QApplication::processEvents();
    vernium.help().Open(vernium::kHelpFile, vernium::kHelpContents, 1);
    QApplication::processEvents();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);

  std::printf("summary_fill_ms: %.1f\n", Median(fills));
  std::printf("print_pdf_ms: %.1f\n", Median(prints));
  std::printf("peak_rss_mb: %.1f\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  vernium.mainWindow().close();
  return 0;
}
