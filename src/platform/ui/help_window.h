#pragma once
// The help viewer's window: the contents tree and a search across every
// topic on the left, the topic on the right, Back / Forward / Contents
// above. Usable from the keyboard: Alt+Left and Alt+Right go back and
// forward, Alt+Home shows the contents, Ctrl+F goes to the search field,
// Esc closes. It is a window of its own, so it stays usable beside the
// modal windows of the program.

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;

namespace vernium::qtui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // `root` is the folder of the help pages (":/vernium.hlp/").
  explicit HelpWindow(const QString& root, QWidget* parent = nullptr);

  // Shows a page ("wizard.html") and brings the window to the front.
  void ShowPage(const QString& page);
  // Switches to the search tab with its field focused.
  void FocusSearch();
  // The topics containing every word of the query, in contents order.
  QStringList Search(const QString& query) const;
  QString CurrentPage() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RunSearch();
  void SelectInTree(const QString& page);
  void UpdateButtons();

  QString root_;
  QTabWidget* tabs_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QLineEdit* txtSearch_ = nullptr;
  QListWidget* results_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QToolButton* home_ = nullptr;
  QString lastQuery_;
  QList<QPair<QString, QString>> pageTexts_;  // page, plain text
};

}  // namespace vernium::qtui
