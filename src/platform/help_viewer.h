#pragma once
// The help viewer: opens the help file's contents, or the viewer's own help
// on using help, and can put its search in front.

#include <string>
#include <string_view>
#include <vector>

namespace vernium {

inline constexpr std::string_view kHelpFile = "vernium.hlp";
inline constexpr int kHelpContents = 3;   // HELP_CONTENTS
inline constexpr int kHelpOnHelp = 4;     // HELP_HELPONHELP

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void Open(std::string_view file, int command, int data) = 0;
  // After opening the contents: puts the viewer's search field in front.
  virtual void FocusSearch() = 0;
};

// Records each request.
class RecordedHelpViewer : public HelpViewer {
 public:
  struct Request {
    std::string file;
    int command = 0;
    int data = 0;
  };
  void Open(std::string_view file, int command, int data) override {
    requests_.push_back({std::string(file), command, data});
  }
  void FocusSearch() override { ++searches_; }
  const std::vector<Request>& Requests() const { return requests_; }
  int Searches() const { return searches_; }

 private:
  std::vector<Request> requests_;
  int searches_ = 0;
};

}  // namespace vernium
