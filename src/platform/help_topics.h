#pragma once
// The topics of Vernium's help: the contents tree, the page Help on Help
// shows, and the topic each window opens on F1. A window added later joins
// F1 help with one line in the table of help_topics.cpp.

#include <string_view>
#include <vector>

namespace vernium {

struct HelpTopic {
  std::string_view page;   // file inside the help file, "wizard.html"
  std::string_view title;  // as the contents tree shows it
  int level = 0;           // 0 a top entry, 1 under the entry above it
};

inline constexpr std::string_view kHelpContentsPage = "contents.html";
inline constexpr std::string_view kHelpOnHelpPage = "using-help.html";

// Every topic, in the order of the contents.
const std::vector<HelpTopic>& HelpTopics();

// The page of a window's topic, by the window's name ("Main", "Calibrator",
// "CardConfig", ...); the contents page for a window without one.
std::string_view HelpPageOfWindow(std::string_view windowName);

}  // namespace vernium
