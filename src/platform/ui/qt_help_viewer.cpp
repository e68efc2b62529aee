#include "platform/ui/qt_help_viewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/ui/control_binding.h"

namespace vernium::qtui {

namespace {

bool OpenWithDesktop(const std::string& absolutePath) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(absolutePath)));
}

}  // namespace

QtHelpViewer::QtHelpViewer(MessageBoxes& boxes) : QtHelpViewer(boxes, OpenWithDesktop) {}

QtHelpViewer::QtHelpViewer(MessageBoxes& boxes, DesktopOpen open)
    : boxes_(boxes), open_(std::move(open)) {}

void QtHelpViewer::Open(std::string_view file, int command, int /*data*/) {
  const std::string name(file);
  if (command == kHelpOnHelp) {
    boxes_.Show(
        "Help for Vernium is reached from the Help menu: Contents and Search... open "
        "the contents page of the help file \"" +
            name +
            "\" in the desktop's viewer "
            "for that file.",
        kHelpTitle, MsgIcon::Information, MsgButtons::OK);
    return;
  }
  const QFileInfo info(ToQt(name));
  if (info.isFile() && open_ && open_(FromQt(info.absoluteFilePath()))) return;
  boxes_.Show("The help file \"" + name + "\" is not available.", kHelpTitle, MsgIcon::Information,
              MsgButtons::OK);
}

}  // namespace vernium::qtui
