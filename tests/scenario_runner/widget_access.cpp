#include "scenario_runner/widget_access.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

namespace vernium::scenario {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
std::string Bool(bool b) { return b ? "true" : "false"; }

// The object with the name: in the modal window in front first (windows
// share control names, cmdOK or cmdExitMain), then in the windows shown, then
// in any window.
QObject* FindIn(const QString& name) {
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (modal->objectName() == name) return modal;
    if (QObject* found = modal->findChild<QObject*>(name)) return found;
  }
  for (bool shownOnly : {true, false}) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (shownOnly && !top->isVisible()) continue;
      if (top->objectName() == name) return top;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (shownOnly && !top->isVisible()) continue;
      if (QObject* found = top->findChild<QObject*>(name)) return found;
    }
  }
  return nullptr;
}

QWidget* Widget(const ControlRef& ref, std::string* error) {
  QObject* object = FindControl(ref.name);
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr && error) {
    *error = object ? ref.name + " is not a window control" : "no control named " + ref.name;
  }
  return widget;
}

// The grid view of a control reference, and the table row of its record row
// (record row 0 is the header; record rows 1.. are table rows 0..).
QTableWidget* Grid(QObject* object) { return qobject_cast<QTableWidget*>(object); }

std::string ClickCell(QTableWidget* grid, int recordRow, int col, bool doubleClick) {
  const int row = recordRow - 1;
  if (row < 0 || row >= grid->rowCount() || col < 0 || col >= grid->columnCount()) {
    return "no cell [" + std::to_string(recordRow) + "," + std::to_string(col) + "]";
  }
  grid->scrollToItem(grid->item(row, col) ? grid->item(row, col) : nullptr);
  grid->scrollTo(grid->model()->index(row, col));
  QRect rect = grid->visualRect(grid->model()->index(row, col));
  if (rect.width() <= 0) {
    // A hidden column (the header column): click its row at the left edge.
    rect = grid->visualRect(grid->model()->index(row, 1));
    rect.setWidth(1);
  }
  const QPoint at = rect.center();
  if (doubleClick) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
  } else {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
  }
  return "";
}

int KeyCode(const std::string& key) {
  if (key == "Enter") return Qt::Key_Return;
  if (key == "Tab") return Qt::Key_Tab;
  if (key == "Escape") return Qt::Key_Escape;
  if (key == "Backspace") return Qt::Key_Backspace;
  if (key == "F1") return Qt::Key_F1;
  return 0;
}

void ActivateWindowOf(QWidget* widget) {
  QWidget* window = widget->window();
  window->activateWindow();
  QApplication::setActiveWindow(window);
}

}  // namespace

QObject* FindControl(const std::string& name) { return FindIn(Q(name)); }

QWidget* FindWindow(const std::string& name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == Q(name)) return top;
  }
  return nullptr;
}

QWidget* ActiveWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  // A window that has just hidden may still count as active on the offscreen
  // platform, which hands the activation back to nobody.
  if (QWidget* active = QApplication::activeWindow(); active && active->isVisible()) return active;
  QWidget* main = FindWindow("Main");
  return main && main->isVisible() ? main : nullptr;
}

std::string Click(const ControlRef& ref, bool doubleClick) {
  QObject* object = FindControl(ref.name);
  if (object == nullptr) return "no control named " + ref.name;
  if (auto* grid = Grid(object)) {
    if (!ref.row) return ref.name + " needs a cell, as " + ref.name + "[row,col]";
    return ClickCell(grid, *ref.row, *ref.col, doubleClick);
  }
  if (auto* action = qobject_cast<QAction*>(object)) {
    if (!action->isEnabled()) return ref.name + " is disabled";
    action->trigger();
    return "";
  }
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return ref.name + " cannot be clicked";
  if (!widget->isVisible()) return ref.name + " is not shown";
  if (!widget->isEnabled()) return ref.name + " is disabled";
  ActivateWindowOf(widget);
  if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !doubleClick) {
    button->click();
    return "";
  }
  const QPoint at = widget->rect().center();
  if (doubleClick) {
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  } else {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  }
  return "";
}

std::string SetChecked(const ControlRef& ref, bool checked) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (button == nullptr || !button->isCheckable()) return ref.name + " cannot be checked";
  if (!button->isVisible()) return ref.name + " is not shown";
  if (!button->isEnabled()) return ref.name + " is disabled";
  if (button->isChecked() != checked) button->click();
  return "";
}

std::string Choose(const ControlRef& ref, const std::string& text, std::optional<int> index) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  if (!widget->isVisible()) return ref.name + " is not shown";
  if (!widget->isEnabled()) return ref.name + " is disabled";
  ActivateWindowOf(widget);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    const int i = index ? *index : combo->findText(Q(text), Qt::MatchExactly);
    if (i < 0 || i >= combo->count()) return ref.name + " has no entry \"" + text + "\"";
    combo->setCurrentIndex(i);
    emit combo->activated(i);
    emit combo->textActivated(combo->itemText(i));
    return "";
  }
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    int i = index ? *index : -1;
    if (!index) {
      const auto items = list->findItems(Q(text), Qt::MatchExactly);
      if (!items.isEmpty()) i = list->row(items.front());
    }
    if (i < 0 || i >= list->count()) return ref.name + " has no entry \"" + text + "\"";
    list->setCurrentRow(i);
    emit list->itemClicked(list->item(i));
    return "";
  }
  return ref.name + " is not a list";
}

std::string TypeText(const ControlRef& ref, const std::string& text) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  ActivateWindowOf(widget);
  widget->setFocus(Qt::OtherFocusReason);
  QTest::keyClicks(widget, Q(text));
  return "";
}

std::string SetText(const ControlRef& ref, const std::string& text) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  auto* edit = qobject_cast<QLineEdit*>(widget);
  if (edit == nullptr) return ref.name + " is not a text box";
  edit->selectAll();
  edit->insert(Q(text));
  return "";
}

std::string PressKey(const ControlRef& ref, const std::string& key) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  const int code = KeyCode(key);
  if (code == 0) return "unknown key " + key;
  ActivateWindowOf(widget);
  widget->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(widget, static_cast<Qt::Key>(code));
  return "";
}

std::string Focus(const ControlRef& ref) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  ActivateWindowOf(widget);
  widget->setFocus(Qt::OtherFocusReason);
  return "";
}

std::string Leave(const ControlRef& ref) {
  std::string error;
  QWidget* widget = Widget(ref, &error);
  if (widget == nullptr) return error;
  ActivateWindowOf(widget);
  if (!widget->hasFocus()) widget->setFocus(Qt::OtherFocusReason);
  QWidget* next = widget->nextInFocusChain();
  while (next && next != widget && !(next->isVisible() && next->isEnabled() &&
                                    (next->focusPolicy() & Qt::TabFocus))) {
    next = next->nextInFocusChain();
  }
  if (next && next != widget) {
    next->setFocus(Qt::TabFocusReason);
  } else {
    widget->clearFocus();
  }
  return "";
}

std::string TriggerMenu(const std::string& captionPath) {
  QWidget* main = FindWindow("Main");
  auto* window = qobject_cast<QMainWindow*>(main);
  if (window == nullptr) return "the main window is not open";
  const QStringList parts = Q(captionPath).split('/');
  QList<QAction*> actions = window->menuBar()->actions();
  for (int i = 0; i < parts.size(); ++i) {
    QAction* found = nullptr;
    for (QAction* a : actions) {
      if (a->text() == parts[i]) found = a;
    }
    if (found == nullptr) return "no menu entry \"" + S(parts[i]) + "\"";
    if (!found->isEnabled()) return "menu entry \"" + S(parts[i]) + "\" is disabled";
    if (i + 1 == parts.size()) {
      found->trigger();
      return "";
    }
    if (found->menu() == nullptr) return "\"" + S(parts[i]) + "\" is not a menu";
    actions = found->menu()->actions();
  }
  return "empty menu path";
}

std::string CloseWindow(const std::string& name) {
  QWidget* window = FindWindow(name);
  if (window == nullptr) return "no window named " + name;
  if (!window->isVisible()) return name + " is not open";
  window->close();
  return "";
}

std::optional<std::string> ReadProperty(const ControlRef& ref, std::string* error) {
  QObject* object = FindControl(ref.name);
  if (object == nullptr) {
    *error = "no control named " + ref.name;
    return std::nullopt;
  }
  const std::string& p = ref.property;
  if (auto* grid = Grid(object)) {
    if (ref.row) {
      const int row = *ref.row - 1;
      if (*ref.row == 0 && *ref.col >= 0 && *ref.col < grid->columnCount()) {
        auto* header = grid->horizontalHeaderItem(*ref.col);
        return header ? S(header->text()) : std::string();
      }
      if (row < 0 || row >= grid->rowCount() || *ref.col < 0 || *ref.col >= grid->columnCount()) {
        *error = "no cell [" + std::to_string(*ref.row) + "," + std::to_string(*ref.col) + "]";
        return std::nullopt;
      }
      auto* item = grid->item(row, *ref.col);
      return item ? S(item->text()) : std::string();
    }
    if (p == "rows" || p == "count") return std::to_string(grid->rowCount());
    if (p == "row" || p == "selected") return std::to_string(grid->currentRow() + 1);
    if (p == "col") return std::to_string(grid->currentColumn());
  }
  if (auto* action = qobject_cast<QAction*>(object)) {
    if (p == "text") return S(action->text());
    if (p == "enabled") return Bool(action->isEnabled());
    if (p == "visible") return Bool(action->isVisible());
    if (p == "checked") return Bool(action->isChecked());
  }
  if (auto* menu = qobject_cast<QMenu*>(object)) {
    if (p == "text") return S(menu->title());
    if (p == "enabled") return Bool(menu->menuAction()->isEnabled());
    if (p == "visible") return Bool(menu->menuAction()->isVisible());
  }
  if (auto* widget = qobject_cast<QWidget*>(object)) {
    if (p == "enabled") return Bool(widget->isEnabled());
    if (p == "visible") {
      return Bool(widget->isWindow() ? widget->isVisible() : widget->isVisibleTo(widget->window()));
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (p == "text") return S(button->text());
      if (p == "checked") return Bool(button->isChecked());
    }
    if (auto* label = qobject_cast<QLabel*>(widget); label && p == "text") return S(label->text());
    if (auto* box = qobject_cast<QGroupBox*>(widget); box && p == "text") return S(box->title());
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && p == "text") return S(edit->text());
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget); text && p == "text") {
      return S(text->toPlainText());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      if (p == "text" || p == "selected") return S(combo->currentText());
      if (p == "count") return std::to_string(combo->count());
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
      if (p == "count") return std::to_string(list->count());
      if (p == "selected" || p == "text") {
        return list->currentItem() ? S(list->currentItem()->text()) : std::string();
      }
    }
    if (widget->isWindow() && p == "text") return S(widget->windowTitle());
  }
  *error = ref.name + " has no property \"" + p + "\"";
  return std::nullopt;
}

}  // namespace vernium::scenario
