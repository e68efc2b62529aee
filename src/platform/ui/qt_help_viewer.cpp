#include "platform/ui/qt_help_viewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include "platform/help_topics.h"
#include "platform/ui/control_binding.h"
#include "platform/ui/help_window.h"

// The help pages live in a resource compiled into the UI library; a static
// library's resources have to be registered by hand before first use.
static void RegisterHelpPages() {
  Q_INIT_RESOURCE(help);
}

namespace vernium::qtui {

namespace {

QString HelpRoot(std::string_view file) {
  return ":/" + ToQt(file) + "/";
}

}  // namespace

QtHelpViewer::QtHelpViewer(MessageBoxes& boxes) : boxes_(boxes) {
  static const bool registered = [] {
    RegisterHelpPages();
    return true;
  }();
  (void)registered;
  if (QApplication::instance() != nullptr) QApplication::instance()->installEventFilter(this);
}

QtHelpViewer::~QtHelpViewer() {
  delete window_.data();
}

HelpWindow& QtHelpViewer::EnsureWindow() {
  if (window_ == nullptr) window_ = new HelpWindow(HelpRoot(kHelpFile));
  return *window_;
}

void QtHelpViewer::Open(std::string_view file, int command, int /*data*/) {
  if (!QFileInfo(HelpRoot(file) + ToQt(kHelpContentsPage)).isFile()) {
    boxes_.Show("The help file \"" + std::string(file) + "\" is not available.", kHelpTitle,
                MsgIcon::Information, MsgButtons::OK);
    return;
  }
  ShowPage(command == kHelpOnHelp ? kHelpOnHelpPage : kHelpContentsPage);
}

void QtHelpViewer::FocusSearch() {
  EnsureWindow().FocusSearch();
}

void QtHelpViewer::ShowPage(std::string_view page) {
  EnsureWindow().ShowPage(ToQt(page));
}

bool QtHelpViewer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  ShowPage(FromQt(widget->window()->objectName()).empty()
               ? kHelpContentsPage
               : HelpPageOfWindow(FromQt(widget->window()->objectName())));
  return true;
}

}  // namespace vernium::qtui
