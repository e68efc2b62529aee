#pragma once
// The printed configuration summary, handed over after the caller's own
// checks. The reports work implements it on the system printer.

#include <string>
#include <vector>

namespace vernium {

struct Configuration;

// What the foot of every printed page tells besides its number: the unit the
// configuration was read on (empty: none open) and the date it was printed.
struct PrintoutFacts {
  std::string unitName;
  std::string date;
};

class ConfigurationPrinter {
 public:
  virtual ~ConfigurationPrinter() = default;
  virtual void PrintSummary(const Configuration& config, const PrintoutFacts& facts) = 0;
  // A one-page document of fixed-pitch lines (a calibration certificate),
  // its first line the title; `fileName` is the PDF file offered when there
  // is no printer.
  virtual void PrintDocument(const std::vector<std::string>& lines,
                             const std::string& fileName) = 0;
};

// Counts the printouts asked for.
class RecordedConfigurationPrinter : public ConfigurationPrinter {
 public:
  void PrintSummary(const Configuration& /*config*/, const PrintoutFacts& facts) override {
    ++printed_;
    last_ = facts;
  }
  void PrintDocument(const std::vector<std::string>& lines, const std::string& fileName) override {
    documentLines_ = lines;
    documentFile_ = fileName;
  }
  const std::vector<std::string>& DocumentLines() const { return documentLines_; }
  const std::string& DocumentFile() const { return documentFile_; }
  int Printed() const { return printed_; }
  const PrintoutFacts& LastFacts() const { return last_; }

 private:
  int printed_ = 0;
  PrintoutFacts last_;
  std::vector<std::string> documentLines_;
  std::string documentFile_;
};

}  // namespace vernium
