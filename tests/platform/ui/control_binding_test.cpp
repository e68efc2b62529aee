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

TEST(ControlBinding, ButtonsLabelsFramesAndChecksTakeEveryFieldSilently) {
  const Control off{false, true};  // disabled, shown
  QWidget window;
  auto* button = new QPushButton(&window);
  auto* frame = new QGroupBox(&window);
  auto* label = new QLabel(&window);
  auto* check = new QCheckBox(&window);
  auto* first = new QRadioButton(&window);
  auto* second = new QRadioButton(&window);
  QWidget* const widgets[] = {button, frame, label, check, first, second};
  for (QWidget* w : widgets) w->hide();
  SignalCounter toggled(check, &QCheckBox::toggled);
  Draw(button, Button{off, "&Remove Card"});
  Draw(frame, Frame{off, "Channel Status"});
  Draw(label, Label{off, "Add  Card "});
  Draw(check, CheckBox{off, "SGC50", true});
  Draw(first, OptionButton{off, "&Nameplate", true});
  Draw(second, OptionButton{off, "&Two Point", false});
  for (QWidget* w : widgets) {
    EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    EXPECT_TRUE(w->isVisibleTo(&window)) << w->metaObject()->className();
  }
  EXPECT_EQ(button->text(), QStringLiteral("&Remove Card"));
  EXPECT_EQ(frame->title(), QStringLiteral("Channel Status"));
  EXPECT_EQ(label->text(), QStringLiteral("Add  Card "));
  EXPECT_EQ(check->text(), QStringLiteral("SGC50"));
  EXPECT_TRUE(check->isChecked() && first->isChecked() && !second->isChecked());
  Draw(check, CheckBox{off, "SGC50", false});
  Draw(first, OptionButton{off, "&Nameplate", false});  // not held on by Qt's exclusivity
  EXPECT_FALSE(check->isChecked() || first->isChecked());
  EXPECT_EQ(toggled.count(), 0);
}

TEST(ControlBinding, ComboShowsTheSelectedEntryOrTheTextWithoutSignals) {
  struct Row {
    int listIndex;
    std::string text;
    int wantIndex;
    QString wantShown;
  };
  for (const Row& r : {Row{1, "AC", 1, "AC"}, Row{-1, "DC", 0, "DC"},
                       Row{-1, "Bypass", -1, "Bypass"}, Row{-1, "", -1, ""}}) {
    QComboBox combo;
    SignalCounter changed(&combo, &QComboBox::currentIndexChanged);
    Draw(&combo, ComboBox{{false, true}, {"DC", "AC"}, r.listIndex, r.text});
    EXPECT_FALSE(combo.isEnabled());
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(1), QStringLiteral("AC"));
    EXPECT_EQ(combo.currentIndex(), r.wantIndex) << r.text;
    EXPECT_EQ(r.wantIndex >= 0 ? combo.currentText() : combo.placeholderText(), r.wantShown);
    EXPECT_EQ(changed.count(), 0);
  }
}

TEST(ControlBinding, ComboEntriesAreReplacedOnlyWhenTheyChange) {
  QComboBox combo;
  ComboBox state{{}, {"Channel 0", "Channel 1", "Channel 2"}, 2, "Channel 2"};
  Draw(&combo, state);
  combo.setItemData(0, 42);  // an open list must survive a redraw with the same entries
  Draw(&combo, state);
  EXPECT_EQ(combo.itemData(0).toInt(), 42);
  state.items[1] = "Unavailable";
  Draw(&combo, state);
  EXPECT_EQ(combo.itemText(1), QStringLiteral("Unavailable"));
  EXPECT_EQ(combo.currentIndex(), 2);
}

TEST(ControlBinding, ListAndTextBoxesTakeTheirSelectionWithoutSignals) {
  QListWidget list;
  QLineEdit edit;
  SignalCounter rowChanged(&list, &QListWidget::currentRowChanged);
  SignalCounter edited(&edit, &QLineEdit::textChanged);
  Draw(&list, ListBox{{}, {"Unit A", "Unit B"}, 1, "Unit B"});
  Draw(&edit, TextBox{{}, "1000", 1, 2});
  EXPECT_EQ(list.count(), 2);
  EXPECT_TRUE(list.item(1)->isSelected());
  EXPECT_EQ(edit.text(), QStringLiteral("1000"));
  EXPECT_EQ(edit.selectionStart(), 1);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("00"));
  Draw(&list, ListBox{{}, {"Unit A", "Unit B"}, -1, ""});
  Draw(&edit, TextBox{{}, "1000", 1, 0});
  EXPECT_EQ(list.currentRow(), -1);
  EXPECT_TRUE(list.selectedItems().isEmpty());
  EXPECT_FALSE(edit.hasSelectedText());
  EXPECT_EQ(rowChanged.count() + edited.count(), 0);
}

// Captions, shortcuts, separators and the enabled state of the main window's
// menu entries are the main window's test.
TEST(ControlBinding, MenuEntriesTakeTheirCheckSilentlyAndAMenuItsState) {
  QAction save;
  QMenu menu;
  SignalCounter toggled(&save, &QAction::toggled);
  Draw(&save, MenuEntry{{}, "&Save Scaling Information", "", true, false});
  Draw(&menu, MenuEntry{{false, true}, "&Diagnostics", "", false, false});
  EXPECT_TRUE(save.isCheckable() && save.isChecked());
  EXPECT_EQ(toggled.count(), 0);
  EXPECT_EQ(menu.title(), QStringLiteral("&Diagnostics"));
  EXPECT_FALSE(menu.menuAction()->isEnabled());
}

}  // namespace
}  // namespace vernium::qtui
