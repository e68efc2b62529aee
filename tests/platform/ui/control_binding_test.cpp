// Drawing widgets from control records: every field reaches the widget, and a
// redraw never fires the widget's own signals (which would re-enter a form
// handler).
#include "platform/ui/control_binding.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

using testing_qt::SignalCounter;

struct CommonCase {
  const char* name;
  bool enabled;
  bool visible;
};

std::ostream& operator<<(std::ostream& os, const CommonCase& c) {
  return os << c.name;
}

class CommonStateTest : public ::testing::TestWithParam<CommonCase> {};

TEST_P(CommonStateTest, EveryKindOfControlTakesEnabledAndShown) {
  const CommonCase c = GetParam();
  Control state;
  state.enabled = c.enabled;
  state.visible = c.visible;
  QWidget window;
  auto* button = new QPushButton(&window);
  auto* label = new QLabel(&window);
  auto* frame = new QGroupBox(&window);
  auto* check = new QCheckBox(&window);
  auto* combo = new QComboBox(&window);
  const std::vector<QWidget*> widgets{button, label, frame, check, combo};
  // Start from the opposite state so every call has to change something.
  for (QWidget* w : widgets) {
    w->setEnabled(!c.enabled);
    w->setVisible(!c.visible);
  }
  Draw(button, Button{state, ""});
  Draw(label, Label{state, ""});
  Draw(frame, Frame{state, ""});
  Draw(check, CheckBox{state, "", false});
  ComboBox list;
  static_cast<Control&>(list) = state;
  Draw(combo, list);
  for (QWidget* w : widgets) {
    EXPECT_EQ(w->isEnabled(), c.enabled) << w->metaObject()->className();
    EXPECT_EQ(w->isVisibleTo(&window), c.visible) << w->metaObject()->className();
  }
}

INSTANTIATE_TEST_SUITE_P(States, CommonStateTest,
                         ::testing::Values(CommonCase{"enabled_shown", true, true},
                                           CommonCase{"disabled_shown", false, true},
                                           CommonCase{"enabled_hidden", true, false},
                                           CommonCase{"disabled_hidden", false, false}),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ControlBindingTest, CaptionsKeepTheirAccessKeyAndBlanks) {
  QWidget window;
  auto* button = new QPushButton(&window);
  auto* frame = new QGroupBox(&window);
  auto* label = new QLabel(&window);
  Button b;
  b.caption = "&Remove Card";
  Frame f;
  f.caption = "Channel Status";
  Label l;
  l.caption = "Add  Card ";
  Draw(button, b);
  Draw(frame, f);
  Draw(label, l);
  EXPECT_EQ(button->text(), QStringLiteral("&Remove Card"));
  EXPECT_EQ(button->shortcut(), QKeySequence::mnemonic(QStringLiteral("&Remove Card")));
  EXPECT_EQ(frame->title(), QStringLiteral("Channel Status"));
  EXPECT_EQ(label->text(), QStringLiteral("Add  Card "));
}

TEST(ControlBindingTest, RedrawingACheckBoxDoesNotFireItsSignals) {
  QCheckBox check;
  SignalCounter toggled(&check, &QCheckBox::toggled);
  SignalCounter clicked(&check, &QCheckBox::clicked);
  CheckBox state;
  state.caption = "SGC50";
  state.checked = true;
  Draw(&check, state);
  EXPECT_TRUE(check.isChecked());
  state.checked = false;
  Draw(&check, state);
  EXPECT_FALSE(check.isChecked());
  EXPECT_EQ(toggled.count(), 0);
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(check.text(), QStringLiteral("SGC50"));
}

TEST(ControlBindingTest, OptionButtonsFollowTheRecordNotQtExclusivity) {
  QWidget group;
  auto* first = new QRadioButton(&group);
  auto* second = new QRadioButton(&group);
  OptionButton a;
  a.caption = "&Nameplate";
  a.value = true;
  OptionButton b;
  b.caption = "&Two Point";
  b.value = false;
  Draw(first, a);
  Draw(second, b);
  EXPECT_TRUE(first->isChecked());
  EXPECT_FALSE(second->isChecked());
  a.value = false;
  Draw(first, a);
  EXPECT_FALSE(first->isChecked()) << "an option button can be drawn off";
}

struct ComboCase {
  const char* name;
  std::vector<std::string> items;
  int listIndex;
  std::string text;
  int wantIndex;
  QString wantShown;
};

std::ostream& operator<<(std::ostream& os, const ComboCase& c) {
  return os << c.name;
}

class ComboDrawTest : public ::testing::TestWithParam<ComboCase> {};

TEST_P(ComboDrawTest, ShowsTheSelectedEntryOrTheText) {
  const ComboCase& c = GetParam();
  QComboBox combo;
  SignalCounter changed(&combo, &QComboBox::currentIndexChanged);
  ComboBox state;
  state.items = c.items;
  state.listIndex = c.listIndex;
  state.text = c.text;
  Draw(&combo, state);
  ASSERT_EQ(combo.count(), static_cast<int>(c.items.size()));
  for (int i = 0; i < combo.count(); ++i) {
    EXPECT_EQ(FromQt(combo.itemText(i)), c.items[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(combo.currentIndex(), c.wantIndex);
  EXPECT_EQ(combo.currentIndex() >= 0 ? combo.currentText() : combo.placeholderText(), c.wantShown);
  EXPECT_EQ(changed.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComboDrawTest,
    ::testing::Values(
        ComboCase{"selected_index", {"DC", "AC"}, 1, "AC", 1, "AC"},
        ComboCase{"text_of_an_entry", {"DC", "AC"}, -1, "DC", 0, "DC"},
        ComboCase{
            "text_not_an_entry", {"ByPass", "On, optional gain X1"}, -1, "Bypass", -1, "Bypass"},
        ComboCase{"no_selection", {"Channel 0", "Channel 1"}, -1, "", -1, ""},
        ComboCase{"empty_list", {}, -1, "", -1, ""}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ControlBindingTest, ComboEntriesAreReplacedOnlyWhenTheyChange) {
  QComboBox combo;
  ComboBox state;
  state.items = {"Channel 0", "Channel 1", "Channel 2"};
  state.Select(2);
  Draw(&combo, state);
  // The user's open list must survive a redraw with the same entries: the
  // entry objects are not recreated.
  combo.setItemData(0, 42);
  Draw(&combo, state);
  EXPECT_EQ(combo.itemData(0).toInt(), 42);
  state.items[1] = "Unavailable";
  Draw(&combo, state);
  EXPECT_EQ(combo.itemText(1), QStringLiteral("Unavailable"));
  EXPECT_EQ(combo.currentIndex(), 2);
}

TEST(ControlBindingTest, ListBoxSelectsAndClears) {
  QListWidget list;
  SignalCounter changed(&list, &QListWidget::currentRowChanged);
  ListBox state;
  state.items = {"Unit A", "Unit B"};
  state.Select(1);
  Draw(&list, state);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.currentRow(), 1);
  EXPECT_TRUE(list.item(1)->isSelected());
  state.Select(-1);
  Draw(&list, state);
  EXPECT_EQ(list.currentRow(), -1);
  EXPECT_TRUE(list.selectedItems().isEmpty());
  EXPECT_EQ(changed.count(), 0);
}

TEST(ControlBindingTest, TextBoxTextAndSelection) {
  QLineEdit edit;
  SignalCounter edited(&edit, &QLineEdit::textChanged);
  TextBox state;
  state.text = "1000";
  state.selStart = 1;
  state.selLength = 2;
  Draw(&edit, state);
  EXPECT_EQ(edit.text(), QStringLiteral("1000"));
  EXPECT_EQ(edit.selectionStart(), 1);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("00"));
  state.selLength = 0;
  Draw(&edit, state);
  EXPECT_FALSE(edit.hasSelectedText());
  EXPECT_EQ(edited.count(), 0);
}

TEST(ControlBindingTest, MenuCommandCaptionShortcutAndChecks) {
  QAction action;
  SignalCounter toggled(&action, &QAction::toggled);
  MenuEntry state;
  state.caption = "&Save Scaling Information";
  state.checked = true;
  Draw(&action, state);
  EXPECT_EQ(action.text(), QStringLiteral("&Save Scaling Information"));
  EXPECT_TRUE(action.isCheckable());
  EXPECT_TRUE(action.isChecked());
  EXPECT_EQ(toggled.count(), 0);

  MenuEntry open;
  open.caption = "&Open...";
  open.shortcut = "Ctrl+O";
  open.enabled = false;
  QAction openAction;
  Draw(&openAction, open);
  EXPECT_EQ(openAction.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_FALSE(openAction.isEnabled());
  EXPECT_FALSE(openAction.isCheckable());

  MenuEntry dash;
  dash.caption = "-";
  dash.separator = true;
  QAction dashAction;
  Draw(&dashAction, dash);
  EXPECT_TRUE(dashAction.isSeparator());
}

TEST(ControlBindingTest, MenuTitleFollowsItsEntry) {
  QMenu menu;
  MenuEntry state;
  state.caption = "&Diagnostics";
  state.enabled = false;
  Draw(&menu, state);
  EXPECT_EQ(menu.title(), QStringLiteral("&Diagnostics"));
  EXPECT_FALSE(menu.menuAction()->isEnabled());
  state.enabled = true;
  Draw(&menu, state);
  EXPECT_TRUE(menu.menuAction()->isEnabled());
}

}  // namespace
}  // namespace vernium::qtui
