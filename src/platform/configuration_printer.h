#pragma once
// The printed configuration summary, handed over after the caller's own
// checks. The reports work implements it on the system printer.

#include <vector>

namespace vernium {

struct Configuration;

class ConfigurationPrinter {
 public:
  virtual ~ConfigurationPrinter() = default;
  virtual void PrintSummary(const Configuration& config) = 0;
};

// Counts the printouts asked for.
class RecordedConfigurationPrinter : public ConfigurationPrinter {
 public:
  void PrintSummary(const Configuration& /*config*/) override { ++printed_; }
  int Printed() const { return printed_; }

 private:
  int printed_ = 0;
};

}  // namespace vernium
