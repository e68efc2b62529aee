#include "reports/ui/qt_configuration_printer.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>
#include <filesystem>

#include "platform/message_boxes.h"
#include "platform/ui/control_binding.h"
#include "reports/print_layout.h"

namespace vernium::qtui {

namespace {

QFont PrintoutFont(const PrintFont& font) {
  QFont f(PrintoutFontFamily());
  f.setStyleHint(QFont::Serif);
  f.setPointSizeF(font.pointSize);
  f.setBold(font.bold);
  return f;
}

// Font measures on the printer, in twips.
class PrinterMetrics : public PrintMetrics {
 public:
  explicit PrinterMetrics(QPaintDevice& device)
      : device_(device), twipsPerPixel_(1440.0 / device.logicalDpiY()) {}

  // The average character width as printers have long measured it: the
  // lowercase letters and the blank weighted by how often they occur in
  // text. (The font file's own average covers every glyph it carries, accents
  // and other scripts included, and comes out far wider, which would push
  // the print zones off the page.)
  double AverageCharWidth(const PrintFont& font) const override {
    static constexpr std::array<int, 26> kLetterWeights{64, 14, 27, 35, 100, 20, 14, 42, 63,
                                                        3,  6,  35, 20, 56,  56, 17, 4,  49,
                                                        56, 71, 31, 10, 18,  3,  18, 2};
    static constexpr int kBlankWeight = 166;
    const QFontMetricsF fm(PrintoutFont(font), &device_);
    double sum = kBlankWeight * fm.horizontalAdvance(QChar(' '));
    int weights = kBlankWeight;
    for (std::size_t i = 0; i < kLetterWeights.size(); ++i) {
      sum += kLetterWeights[i] * fm.horizontalAdvance(QChar(static_cast<char>('a' + i)));
      weights += kLetterWeights[i];
    }
    return sum / weights * twipsPerPixel_;
  }
  double TextWidth(std::string_view text, const PrintFont& font) const override {
    return QFontMetricsF(PrintoutFont(font), &device_).horizontalAdvance(ToQt(text)) *
           twipsPerPixel_;
  }
  double LineHeight(const PrintFont& font) const override {
    return QFontMetricsF(PrintoutFont(font), &device_).height() * twipsPerPixel_;
  }

 private:
  QPaintDevice& device_;
  double twipsPerPixel_;
};

void SetUpPage(QPrinter& printer) {
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setFullPage(true);
  printer.setDocName(ToQt(kPrintTitle));
  printer.setCreator("Vernium");
}

}  // namespace

QString PrintoutFontFamily() {
  const QStringList present = QFontDatabase::families();
  for (const char* family :
       {"Times New Roman", "Liberation Serif", "Tinos", "Nimbus Roman", "Times", "DejaVu Serif"}) {
    if (present.contains(family, Qt::CaseInsensitive)) return family;
  }
  return "serif";
}

bool DrawSummary(QPrinter& printer, const Configuration& config, const PrintoutFacts& facts) {
  SetUpPage(printer);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PrinterMetrics metrics(printer);
  const double twipsPerPixel = 1440.0 / printer.logicalDpiY();
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const SummaryPrintout out = LayOutSummary(
      config, metrics, PrintPage{paper.width() * twipsPerPixel, paper.height() * twipsPerPixel},
      facts);
  int page = 0;
  PrintFont current{-1.0, false};
  for (const PrintedText& text : out.texts) {
    while (page < text.page) {
      if (!printer.newPage()) {
        painter.end();
        return false;
      }
      ++page;
    }
    if (text.font.pointSize != current.pointSize || text.font.bold != current.bold) {
      painter.setFont(PrintoutFont(text.font));
      current = text.font;
    }
    const QFontMetricsF fm(painter.font(), &printer);
    painter.drawText(QPointF(text.x / twipsPerPixel, text.y / twipsPerPixel + fm.ascent()),
                     ToQt(text.text));
  }
  const bool ended = painter.end();
  return ended && printer.printerState() != QPrinter::Error &&
         printer.printerState() != QPrinter::Aborted;
}

bool WriteSummaryPdf(const std::string& path, const Configuration& config,
                     const PrintoutFacts& facts) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(ToQt(path));
  if (!DrawSummary(printer, config, facts)) return false;
  const QFileInfo written(ToQt(path));
  return written.isFile() && written.size() > 0;
}

bool DrawDocument(QPrinter& printer, const std::vector<std::string>& lines) {
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(ToQt(lines.empty() ? std::string() : lines.front()));
  printer.setCreator("Vernium");
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  QFont body("DejaVu Sans Mono");
  body.setStyleHint(QFont::Monospace);
  body.setPointSizeF(9.5);
  QFont title = body;
  title.setPointSizeF(16.0);
  title.setBold(true);
  double y = page.top();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    painter.setFont(i == 0 ? title : body);
    const QFontMetricsF fm(painter.font(), &printer);
    y += fm.height() * (i == 0 ? 1.0 : 1.15);
    const QString text = ToQt(lines[i]);
    // The title stands centred; the body keeps its columns from the margin.
    const double x = i == 0 ? page.left() + (page.width() - fm.horizontalAdvance(text)) / 2
                            : page.left();
    painter.drawText(QPointF(x, y), text);
    if (i == 0) y += fm.height() * 0.5;
  }
  const bool ended = painter.end();
  return ended && printer.printerState() != QPrinter::Error &&
         printer.printerState() != QPrinter::Aborted;
}

bool WriteDocumentPdf(const std::string& path, const std::vector<std::string>& lines) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(ToQt(path));
  if (!DrawDocument(printer, lines)) return false;
  const QFileInfo written(ToQt(path));
  return written.isFile() && written.size() > 0;
}

PrintTargets DesktopPrintTargets() {
  PrintTargets targets;
  targets.defaultPrinter = []() -> std::unique_ptr<QPrinter> {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  };
  targets.choosePdfFile = [](const std::string& suggested) -> std::string {
    QString chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(),
                                                  "Save as PDF",
                                                  ToQt(suggested), "PDF files (*.pdf)");
    if (chosen.isEmpty()) return {};
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += ".pdf";
    return FromQt(chosen);
  };
  return targets;
}

QtConfigurationPrinter::QtConfigurationPrinter(MessageBoxes& messages, PrintTargets targets)
    : messages_(messages), targets_(std::move(targets)) {}

void QtConfigurationPrinter::PrintSummary(const Configuration& config,
                                          const PrintoutFacts& facts) {
  Deliver(
      "configuration summary", kPrintTitle, std::string(kDefaultPdfName),
      [&](QPrinter& printer) { return DrawSummary(printer, config, facts); },
      [&](const std::string& path) { return WriteSummaryPdf(path, config, facts); });
}

void QtConfigurationPrinter::PrintDocument(const std::vector<std::string>& lines,
                                           const std::string& fileName) {
  const std::string title = lines.empty() ? std::string("Document") : lines.front();
  Deliver(
      "document", title, fileName, [&](QPrinter& printer) { return DrawDocument(printer, lines); },
      [&](const std::string& path) { return WriteDocumentPdf(path, lines); });
}

void QtConfigurationPrinter::Deliver(std::string_view what, std::string_view title,
                                     const std::string& fileName,
                                     const std::function<bool(QPrinter&)>& draw,
                                     const std::function<bool(const std::string&)>& writePdf) {
  const std::string thing(what);
  std::string reason;
  std::unique_ptr<QPrinter> printer = targets_.defaultPrinter ? targets_.defaultPrinter() : nullptr;
  if (printer) {
    if (draw(*printer)) return;
    reason = "The printer did not accept the " + thing + ".";
  } else {
    reason = "No printer is available.";
  }
  if (messages_.Show(reason + "\n\nSave the " + thing + " as a PDF file instead?", title,
                     MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  const std::string suggested = (std::filesystem::current_path() / fileName).string();
  const std::string path = targets_.choosePdfFile ? targets_.choosePdfFile(suggested) : "";
  if (path.empty()) {
    messages_.Show("The " + thing + " was not saved.", title, MsgIcon::Information,
                   MsgButtons::OK);
    return;
  }
  if (!writePdf(path)) {
    messages_.Show("The " + thing + " could not be written to\n" + path, title,
                   MsgIcon::Critical, MsgButtons::OK);
  }
}

}  // namespace vernium::qtui
