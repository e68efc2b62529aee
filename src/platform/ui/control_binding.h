#pragma once
// Drawing Qt widgets from the control state records of a form. Each Draw
// puts the widget into exactly the state the record describes (caption with
// its & access key, enabled, shown, checked, entries, selection) with the
// widget's signals blocked, so that a redraw never re-enters a handler.
// Visibility is the widget's own: a control of a window not yet on screen
// still reads as shown through isVisibleTo(window) / !isHidden().

#include <QString>
#include <string>
#include <string_view>

#include "platform/controls.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vernium::qtui {

QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

// The Qt object name of one member of a control array: "ctCheck1(2)".
QString ArrayName(std::string_view control, int index);

// A new widget of type W on `parent`, carrying the control's name.
template <typename W>
W* Named(QWidget* parent, std::string_view name) {
  auto* widget = new W(parent);
  widget->setObjectName(ToQt(name));
  return widget;
}

// Enabled and shown, common to every control.
void DrawCommon(QWidget* widget, const Control& state);

void Draw(QPushButton* widget, const Button& state);
void Draw(QLabel* widget, const Label& state);
void Draw(QGroupBox* widget, const Frame& state);
void Draw(QCheckBox* widget, const CheckBox& state);
void Draw(QRadioButton* widget, const OptionButton& state);
// A drop-down list: its entries (rebuilt only when they differ), the selected
// entry, or with none selected the record's text shown in the empty box.
void Draw(QComboBox* widget, const ComboBox& state);
void Draw(QListWidget* widget, const ListBox& state);
// Text and selection; each is only replaced when it differs, so the caret
// stays where the user left it while typing.
void Draw(QLineEdit* widget, const TextBox& state);
// A menu command: caption, shortcut, enabled, checked (checkable when
// checked), separator, shown.
void Draw(QAction* action, const MenuEntry& state);
// A menu of the menu bar: its title entry.
void Draw(QMenu* menu, const MenuEntry& state);

}  // namespace vernium::qtui
