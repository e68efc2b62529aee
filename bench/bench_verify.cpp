// The verification window on the simulated unit, paced in real time, on the
// offscreen platform: a calibrated-looking SGC50 channel (its card left as
// the bench has it) checked at the five planned loads, each load applied on
// the bench and its point read as the technician does; then the certificate
// written to a PDF file. Prints
//   verify_five_points_ms: N   from the first Read Point to the fifth row
//   certificate_pdf_ms: N      laying out and writing the certificate
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <memory>

#include "bench_support.h"
#include "platform/configuration_printer.h"
#include "platform/message_boxes.h"
#include "reports/ui/qt_configuration_printer.h"
#include "verify/ui/verify_window.h"
#include "verify/verify_fit.h"

int main(int argc, char** argv) {
  vernium::bench::UseOffscreenUnlessSet();
  QApplication app(argc, argv);

  vernium::SimulatedAcqLib unit;
  vernium::Session session(unit);
  vernium::Grid grid;
  constexpr int kChannel = 32;
  if (!vernium::bench::OpenSgc50Channel(unit, session, grid, kChannel, "1-0-0")) return 1;
  vernium::ChannelConfig& record = session.config.Channels[kChannel];
  record.Calibrated = "Yes";
  record.M = (record.MaxLoad - record.Tare) / 5.0f;
  record.B = record.Tare;

  vernium::ScriptedMessageBoxes boxes;
  vernium::RecordedConfigurationPrinter printer;
  vernium::VerifyRun run;
  run.operatorName = "Bench";
  auto window = std::make_unique<vernium::qtui::VerifyWindow>(session, run, boxes, printer);
  window->show();
  vernium::VerifyForm& form = window->form();

  QElapsedTimer clock;
  clock.start();
  for (double load : vernium::PlannedLoads(record.Tare, record.MaxLoad)) {
    unit.Bench().SetLoad(kChannel, load);
    const std::size_t before = form.Points().size();
    form.ReadPointClick();
    window->Redraw();
    while (form.Points().size() == before && boxes.Shown().empty()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
  }
  const qint64 points = clock.elapsed();
  std::printf("verify_five_points_ms: %lld\n", static_cast<long long>(points));

  const std::string path = QDir::temp().filePath("vernium-bench-certificate.pdf").toStdString();
  clock.restart();
  const bool written = vernium::qtui::WriteDocumentPdf(path, form.CertificateLines("1-0-0-bench-1"));
  const qint64 pdf = clock.elapsed();
  std::printf("certificate_pdf_ms: %lld\n", static_cast<long long>(pdf));
  QDir().remove(QString::fromStdString(path));
  const bool fivePoints = form.Points().size() == 5;
  window.reset();
  return written && boxes.Shown().empty() && fivePoints ? 0 : 1;
}
