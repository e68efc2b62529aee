#include "platform/ui/control_binding.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace vernium::qtui {

QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
  return text.toStdString();
}

QString ArrayName(std::string_view control, int index) {
  return ToQt(control) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void DrawCommon(QWidget* widget, const Control& state) {
  widget->setEnabled(state.enabled);
  if (widget->isHidden() == state.visible) widget->setVisible(state.visible);
}

namespace {

void SetTextIfChanged(QAbstractButton* widget, const std::string& caption) {
  const QString text = ToQt(caption);
  if (widget->text() != text) widget->setText(text);
}

// True when the combo box or list already holds exactly these entries.
template <typename CountFn, typename TextFn>
bool SameItems(const std::vector<std::string>& items, CountFn count, TextFn textAt) {
  if (count() != static_cast<int>(items.size())) return false;
  for (int i = 0; i < count(); ++i) {
    if (textAt(i) != ToQt(items[static_cast<std::size_t>(i)])) return false;
  }
  return true;
}

}  // namespace

void Draw(QPushButton* widget, const Button& state) {
  const QSignalBlocker blocker(widget);
  SetTextIfChanged(widget, state.caption);
  DrawCommon(widget, state);
}

void Draw(QLabel* widget, const Label& state) {
  const QString text = ToQt(state.caption);
  if (widget->text() != text) widget->setText(text);
  DrawCommon(widget, state);
}

void Draw(QGroupBox* widget, const Frame& state) {
  const QSignalBlocker blocker(widget);
  const QString text = ToQt(state.caption);
  if (widget->title() != text) widget->setTitle(text);
  DrawCommon(widget, state);
}

void Draw(QCheckBox* widget, const CheckBox& state) {
  const QSignalBlocker blocker(widget);
  SetTextIfChanged(widget, state.caption);
  widget->setChecked(state.checked);
  DrawCommon(widget, state);
}

void Draw(QRadioButton* widget, const OptionButton& state) {
  const QSignalBlocker blocker(widget);
  SetTextIfChanged(widget, state.caption);
  // Option buttons of one group are exclusive in the record, not in Qt: the
  // form decides which one is on.
  widget->setAutoExclusive(false);
  widget->setChecked(state.value);
  DrawCommon(widget, state);
}

void Draw(QComboBox* widget, const ComboBox& state) {
  const QSignalBlocker blocker(widget);
  if (!SameItems(
          state.items, [widget] { return widget->count(); },
          [widget](int i) { return widget->itemText(i); })) {
    widget->clear();
    for (const auto& item : state.items) widget->addItem(ToQt(item));
  }
  int index = state.listIndex;
  if (index < 0 && !state.text.empty()) index = widget->findText(ToQt(state.text));
  if (widget->isEditable()) {
    widget->setCurrentIndex(index);
    widget->setEditText(ToQt(state.text));
  } else {
    // A drop-down list shows its text in the empty box when the text is not
    // one of its entries.
    widget->setPlaceholderText(index < 0 ? ToQt(state.text) : QString());
    widget->setCurrentIndex(index);
  }
  DrawCommon(widget, state);
}

void Draw(QListWidget* widget, const ListBox& state) {
  const QSignalBlocker blocker(widget);
  if (!SameItems(
          state.items, [widget] { return widget->count(); },
          [widget](int i) { return widget->item(i)->text(); })) {
    widget->clear();
    for (const auto& item : state.items) widget->addItem(ToQt(item));
  }
  if (widget->currentRow() != state.listIndex) widget->setCurrentRow(state.listIndex);
  if (state.listIndex < 0) widget->clearSelection();
  DrawCommon(widget, state);
}

void Draw(QLineEdit* widget, const TextBox& state) {
  const QSignalBlocker blocker(widget);
  const QString text = ToQt(state.text);
  if (widget->text() != text) widget->setText(text);
  if (state.selLength > 0) {
    // Set again, an unchanged selection would move the caret to its end.
    if (widget->selectionStart() != state.selStart ||
        widget->selectionLength() != state.selLength) {
      widget->setSelection(state.selStart, state.selLength);
    }
  } else if (widget->hasSelectedText()) {
    widget->deselect();
  }
  DrawCommon(widget, state);
}

void Draw(QAction* action, const MenuEntry& state) {
  const QSignalBlocker blocker(action);
  action->setSeparator(state.separator);
  if (!state.separator) {
    const QString text = ToQt(state.caption);
    if (action->text() != text) action->setText(text);
    const QKeySequence shortcut(ToQt(state.shortcut));
    if (action->shortcut() != shortcut) action->setShortcut(shortcut);
    if (state.checked && !action->isCheckable()) action->setCheckable(true);
    if (action->isCheckable()) action->setChecked(state.checked);
  }
  action->setEnabled(state.enabled);
  action->setVisible(state.visible);
}

void Draw(QMenu* menu, const MenuEntry& state) {
  const QString text = ToQt(state.caption);
  if (menu->title() != text) menu->setTitle(text);
  menu->setEnabled(state.enabled);
  menu->menuAction()->setEnabled(state.enabled);
  menu->menuAction()->setVisible(state.visible);
}

}  // namespace vernium::qtui
