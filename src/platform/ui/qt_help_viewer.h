#pragma once
// The help viewer of the program: the help file "vernium.hlp" ships inside
// the program as a folder of HTML pages; Contents opens its contents page,
// Help on Help the page on using the viewer, in a window of the viewer's own
// (HelpWindow). A help file the program does not carry is reported in a
// message box. F1 in any window of the program opens that window's topic.

#include <QObject>
#include <QPointer>
#include <string>

#include "platform/help_viewer.h"
#include "platform/message_boxes.h"
#include "platform/ui/help_window.h"

namespace vernium::qtui {

inline constexpr std::string_view kHelpTitle = "Vernium Help";

class QtHelpViewer : public QObject, public HelpViewer {
 public:
  explicit QtHelpViewer(MessageBoxes& boxes);
  ~QtHelpViewer() override;

  void Open(std::string_view file, int command, int data) override;
  void FocusSearch() override;
  // Opens a page of the help file ("wizard.html").
  void ShowPage(std::string_view page);
  // The viewer's window once help has been opened, else nullptr.
  HelpWindow* Window() const { return window_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  HelpWindow& EnsureWindow();

  MessageBoxes& boxes_;
  QPointer<HelpWindow> window_;
};

}  // namespace vernium::qtui
