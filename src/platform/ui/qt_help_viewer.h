#pragma once
// The help viewer of the desktop: the help file's contents page is handed to
// the desktop's viewer for that file; when the file is not there (no help
// file ships yet) a message box says so. Help on Help explains in a message
// box how help is reached.

#include <functional>
#include <string>

#include "platform/help_viewer.h"
#include "platform/message_boxes.h"

namespace vernium::qtui {

class QtHelpViewer : public HelpViewer {
 public:
  // Opens a local file with the desktop's viewer; true when it started one.
  using DesktopOpen = std::function<bool(const std::string& absolutePath)>;

  explicit QtHelpViewer(MessageBoxes& boxes);
  QtHelpViewer(MessageBoxes& boxes, DesktopOpen open);

  void Open(std::string_view file, int command, int data) override;

 private:
  MessageBoxes& boxes_;
  DesktopOpen open_;
};

inline constexpr std::string_view kHelpTitle = "Vernium Help";

}  // namespace vernium::qtui
