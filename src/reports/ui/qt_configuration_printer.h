#pragma once
// The configuration summary on paper: the layout is drawn on the system's
// default printer, landscape, in "Times New Roman" (or the closest serif
// font present). When there is no printer, or it refuses the job, the user
// is offered to save the summary as a PDF file instead; a cancelled save or
// a failed write is told in a message and changes nothing.

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/configuration_printer.h"

class QPrinter;
class QPagedPaintDevice;

namespace vernium {
class MessageBoxes;
}

namespace vernium::qtui {

inline constexpr std::string_view kPrintTitle = "Card Configuration Summary";
inline constexpr std::string_view kDefaultPdfName = "Card Configuration Summary.pdf";

// Where a printout can go: the default printer (null when there is none)
// and the choice of a PDF file (empty when the user cancels), offered the
// suggested path.
struct PrintTargets {
  std::function<std::unique_ptr<QPrinter>()> defaultPrinter;
  std::function<std::string(const std::string& suggestedPath)> choosePdfFile;
};

// The desktop's: the system's default printer and a file dialog.
PrintTargets DesktopPrintTargets();

// The font family of the printout: "Times New Roman" when present, else the
// closest serif family the system has.
QString PrintoutFontFamily();

// Draws the summary on a printer (or PDF printer) that is set up; false
// when the device would not start or reported an error.
bool DrawSummary(QPrinter& printer, const Configuration& config, const PrintoutFacts& facts);

// Writes the summary to a PDF file; false when the file cannot be written.
bool WriteSummaryPdf(const std::string& path, const Configuration& config,
                     const PrintoutFacts& facts = {});

// Draws a one-page document of fixed-pitch lines, the first as its title;
// false when the device would not start or reported an error.
bool DrawDocument(QPrinter& printer, const std::vector<std::string>& lines);
bool WriteDocumentPdf(const std::string& path, const std::vector<std::string>& lines);

class QtConfigurationPrinter : public ConfigurationPrinter {
 public:
  QtConfigurationPrinter(MessageBoxes& messages, PrintTargets targets);
  void PrintSummary(const Configuration& config, const PrintoutFacts& facts) override;
  void PrintDocument(const std::vector<std::string>& lines, const std::string& fileName) override;

 private:
  // Prints on the default printer; without one, or when it refuses the job,
  // offers a PDF file named `fileName` in the working directory.
  void Deliver(std::string_view what, std::string_view title, const std::string& fileName,
               const std::function<bool(QPrinter&)>& draw,
               const std::function<bool(const std::string&)>& writePdf);

  MessageBoxes& messages_;
  PrintTargets targets_;
};

}  // namespace vernium::qtui
