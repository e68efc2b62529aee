#include "platform/help_topics.h"

#include <array>
#include <utility>

namespace vernium {

const std::vector<HelpTopic>& HelpTopics() {
  static const std::vector<HelpTopic> topics{
      {"contents.html", "Contents", 0},
      {"getting-started.html", "Getting started on the simulated unit", 0},
      {"main-window.html", "The main window and its channel grid", 0},
      {"declaring-cards.html", "Declaring cards on a base channel", 0},
      {"calibration-methods.html", "Application parameters and calibration methods", 0},
      {"wizard.html", "The calibration wizard", 0},
      {"step-excitation.html", "Excitation", 1},
      {"step-offset.html", "Offset", 1},
      {"step-input-gain.html", "Input Gain", 1},
      {"step-scale-gain.html", "Scale Gain", 1},
      {"step-tare-offset.html", "Tare Offset", 1},
      {"step-completion.html", "Completion", 1},
      {"verify.html", "Verifying a channel with known loads", 0},
      {"history.html", "The calibration history", 0},
      {"sensors.html", "The sensor library", 0},
      {"coupling-filter.html", "Coupling and filter", 0},
      {"diagnostics.html", "The diagnostics window", 0},
      {"card-diagram.html", "The card diagram", 0},
      {"summary-printing.html", "The configuration summary and its printout", 0},
      {"scaling-file.html", "The scaling file", 0},
      {"configuration-files.html", "Configuration files and the last session", 0},
      {"bench.html", "The simulated bench", 0},
      {"using-help.html", "Using help", 0},
  };
  return topics;
}

std::string_view HelpPageOfWindow(std::string_view windowName) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kWindowPages{{
      {"Main", "main-window.html"},
      {"frmIfcSel", "getting-started.html"},
      {"PreCal", "calibration-methods.html"},
      {"Calibrator", "wizard.html"},
      {"CardPic", "card-diagram.html"},
      {"CardConfig", "summary-printing.html"},
      {"frmExpert", "diagnostics.html"},
      {"Bench", "bench.html"},
      {"frmVerify", "verify.html"},
      {"frmHistory", "history.html"},
      {"frmSensors", "sensors.html"},
      {"HelpViewer", "using-help.html"},
  }};
  for (const auto& [window, page] : kWindowPages) {
    if (window == windowName) return page;
  }
  return kHelpContentsPage;
}

}  // namespace vernium
