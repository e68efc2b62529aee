// The main window as it is first shown: every control under its name with
// its caption and state, the menu bar, the empty grid; and the start-up
// paths through the device selection.
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "main_window_harness.h"

namespace vernium::qtui {
namespace {

struct ControlCase {
  const char* name;
  const char* kind;  // the Qt class the control is
  const char* caption;
  bool shown;
  bool enabled;
};

std::ostream& operator<<(std::ostream& os, const ControlCase& c) {
  return os << c.name;
}

class MainControlsTest : public MainWindowHarness,
                         public ::testing::WithParamInterface<ControlCase> {};

QString CaptionOf(QObject* control) {
  if (auto* b = qobject_cast<QAbstractButton*>(control)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(control)) return l->text();
  if (auto* g = qobject_cast<QGroupBox*>(control)) return g->title();
  return {};
}

TEST_P(MainControlsTest, HasItsCaptionAndFirstState) {
  const ControlCase& c = GetParam();
  Start();
  auto* widget = Find<QWidget>(QString::fromLatin1(c.name));
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->inherits(c.kind)) << widget->metaObject()->className();
  if (*c.caption != '\0') {
    EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(c.caption));
  }
  EXPECT_EQ(!widget->isHidden(), c.shown);
  EXPECT_EQ(widget->isEnabled(), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainControlsTest,
    ::testing::Values(ControlCase{"Frame3D1", "QGroupBox", "Channel Status", true, true},
                      ControlCase{"grdChannel", "QTableWidget", "", true, true},
                      ControlCase{"cmdAddCard", "QPushButton", "&AddCard", true, true},
                      ControlCase{"cmdRemoveCard", "QPushButton", "&Remove Card", true, false},
                      ControlCase{"cmdViewCard", "QPushButton", "&ViewCard", true, false},
                      ControlCase{"CmdCalibrate", "QPushButton", "&Calibrate", true, false},
                      ControlCase{"cmdOK", "QPushButton", "&Ok", false, true},
                      ControlCase{"cmdCancel", "QPushButton", "&Cancel", false, true},
                      ControlCase{"cboChannel", "QComboBox", "", false, true},
                      ControlCase{"cboCoupling", "QComboBox", "", false, true},
                      ControlCase{"cboFIlter", "QComboBox", "", false, true},
                      ControlCase{"lblAddOrDel", "QLabel", "Add Card To Base", false, true},
                      ControlCase{"lblInfo00", "QLabel", "Channel is Unavailable", false, true},
                      ControlCase{"lblDCACcoupling", "QLabel", "Coupling", false, true},
                      ControlCase{"lblFilterOption", "QLabel", "Filter / Gain", false, true},
                      ControlCase{"ctCheck1(1)", "QCheckBox", "SGC10", false, true},
                      ControlCase{"ctCheck1(2)", "QCheckBox", "SGC50", false, true},
                      ControlCase{"ctCheck1(3)", "QCheckBox", "SGC50A", false, true},
                      ControlCase{"ctCheck1(4)", "QCheckBox", "SGC50B", false, true}),
    [](const auto& paramInfo) {
      std::string name = paramInfo.param.name;
      for (char& ch : name) {
        if (ch == '(' || ch == ')') ch = '_';
      }
      return name;
    });

TEST_F(MainWindowHarness, ListsHoldTheirEntries) {
  Start();
  auto entries = [](QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
  };
  QStringList channels;
  for (int b = 0; b < 16; ++b) channels << QStringLiteral("Channel %1").arg(b);
  EXPECT_EQ(entries(Find<QComboBox>("cboChannel")), channels);
  EXPECT_EQ(Find<QComboBox>("cboChannel")->currentText(), QStringLiteral("Channel 0"));
  EXPECT_EQ(entries(Find<QComboBox>("cboCoupling")), (QStringList{"DC", "AC"}));
  EXPECT_EQ(entries(Find<QComboBox>("cboFIlter")),
            (QStringList{"ByPass", "On, optional gain X1", "On, standard gain X2"}));
  for (int i = 1; i <= 4; ++i) {
    EXPECT_FALSE(Find<QCheckBox>(QStringLiteral("ctCheck1(%1)").arg(i))->isChecked()) << i;
  }
}

TEST_F(MainWindowHarness, UnavailableNoticeIsRed) {
  Start();
  auto* info = Find<QLabel>("lblInfo00");
  EXPECT_EQ(info->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(MainWindowHarness, StartsWithSixteenEmptyBaseChannels) {
  Start();
  EXPECT_EQ(Main().windowTitle(), QStringLiteral("Strain Gage Calibration"));
  EXPECT_TRUE(Main().isVisible());
  ASSERT_EQ(Grid()->rowCount(), 16);
  const QStringList headers{"Channel", "Filter/Gain", "Coupling", "Calibrated", "Card Type"};
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(Grid()->horizontalHeaderItem(c)->text(), headers[c - 1]);
  for (int r = 1; r <= 16; ++r) {
    EXPECT_EQ(CellText(r, 1), std::to_string(r - 1));
    EXPECT_EQ(CellText(r, 2), "Bypass");
    EXPECT_EQ(CellText(r, 3), "DC");
    EXPECT_EQ(CellText(r, 4), "No");
    EXPECT_EQ(CellText(r, 5), "No Card");
  }
  EXPECT_TRUE(Grid()->isColumnHidden(0));
  EXPECT_TRUE(Grid()->font().bold());
  EXPECT_EQ(Grid()->currentRow(), 0);
  ASSERT_NE(unit_.OpenDevice(), nullptr);
  EXPECT_EQ(unit_.OpenDevice()->DeviceName, "SIM-PORTABLE");
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(SavePng("main_window_empty.png"));
}

TEST_F(MainWindowHarness, CancellingTheDeviceSelectionEndsTheProgram) {
  Start(ClickCancel);
  EXPECT_TRUE(app_->Ended());
  EXPECT_FALSE(Main().isVisible());
  // The regular shut-down ran: the scaling file was written.
  EXPECT_TRUE(QFile::exists(QDir(dir_.path()).filePath("sgc10.ini")));
}

TEST_F(MainWindowHarness, DeviceWindowShowsBeforeTheMainWindow) {
  bool mainShownFirst = true;
  Start([&](DeviceWindow& w) {
    mainShownFirst = Main().isVisible();
    EXPECT_TRUE(w.isModal());
    ClickOk(w);
  });
  EXPECT_FALSE(mainShownFirst);
  EXPECT_TRUE(Main().isVisible());
}

struct MenuCase {
  const char* menu;
  const char* name;
  const char* caption;
  const char* shortcut;
  bool enabled;
  bool checked;
};

std::ostream& operator<<(std::ostream& os, const MenuCase& c) {
  return os << c.name;
}

class MainMenuTest : public MainWindowHarness, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MainMenuTest, EntryHasItsCaptionShortcutAndState) {
  const MenuCase& c = GetParam();
  Start();
  auto* menu = Find<QMenu>(QString::fromLatin1(c.menu));
  ASSERT_NE(menu, nullptr);
  auto* action = menu->findChild<QAction*>(QString::fromLatin1(c.name));
  ASSERT_NE(action, nullptr) << c.name << " is not in " << c.menu;
  EXPECT_TRUE(menu->actions().contains(action));
  EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
  EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut)));
  EXPECT_EQ(action->isEnabled(), c.enabled);
  EXPECT_EQ(action->isChecked(), c.checked);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MainMenuTest,
    ::testing::Values(MenuCase{"filer", "newer", "&New", "", true, false},
                      MenuCase{"filer", "opener", "&Open...", "Ctrl+O", false, false},
                      MenuCase{"filer", "saver", "&Save", "Ctrl+S", false, false},
                      MenuCase{"filer", "saverAs", "Save &As...", "Ctrl+A", false, false},
                      MenuCase{"filer", "printer", "&Print configuration", "Ctrl+P", true, false},
                      MenuCase{"filer", "exiter", "E&xit", "", true, false},
                      MenuCase{"editer", "displayer", "&Display card data...", "", true, false},
                      MenuCase{"optioner", "WaveStud", "&Save Scaling Information", "", true, true},
                      MenuCase{"diag", "mnuExpert", "&Show Diagnostic Window...", "", true, false},
                      MenuCase{"helper", "helperContents", "&Contents", "", true, false},
                      MenuCase{"helper", "helperSearch", "&Search...", "", true, false},
                      MenuCase{"helper", "helperHelp", "&Help on Help", "", true, false},
                      MenuCase{"helper", "abouter", "&About", "", true, false}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(MainWindowHarness, MenuBarInDisplayOrder) {
  Start();
  QStringList titles;
  QStringList names;
  for (QAction* top : Main().menuBar()->actions()) {
    titles << top->text();
    names << (top->menu() != nullptr ? top->menu()->objectName() : QString());
  }
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Options", "&Diagnostics", "&Help"}));
  EXPECT_EQ(names, (QStringList{"filer", "editer", "optioner", "diag", "helper"}));
  QStringList file;
  for (QAction* a : Find<QMenu>("filer")->actions()) file << a->objectName();
  EXPECT_EQ(file,
            (QStringList{"newer", "opener", "saver", "saverAs", "printer", "dash3", "exiter"}));
  EXPECT_TRUE(Find<QAction>("dash3")->isSeparator());
}

}  // namespace
}  // namespace vernium::qtui
