// The main window's binding to its form, on the whole program's windows with
// the simulated unit, offscreen: the in-place lists over the cell they edit,
// the keys and gestures that move the grid's highlight, activation, a unit
// named on the command line and the bench beside a window opened over the
// main window.
// What the handlers do is the form's tests' and the scenarios'; captions and
// menu entries are reached by name in the scenarios.
#include "shell/ui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>
#include <QDialog>

#include "acquisition/ui/device_window.h"
#include "platform/configuration_printer.h"
#include "platform/message_boxes.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/qt_message_boxes.h"
#include "shell/ui/vernium_app.h"
#include "simulator/simulated_unit.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  using DeviceAction = std::function<void(DeviceWindow&)>;

  static void ClickOk(DeviceWindow& w) {
    auto* ok = w.findChild<QPushButton*>("Command1(0)");
    ASSERT_NE(ok, nullptr);
    testing_qt::Click(ok, ok->rect().center());
  }

  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    MakeApp();
  }
  // A run of the program (the one before, if any, gone).
  void MakeApp() {
    app_.reset();
    app_ = std::make_unique<VerniumApp>(unit_, &boxes_, &printer_);
    app_->session().scalingFileDirectory = dir_.path().toStdString();
    app_->OnDeviceWindowMade([this](DeviceWindow& w) {
      QObject::connect(&w, &DeviceWindow::shown, &w,
                       [this, &w] { QTimer::singleShot(0, &w, [this, &w] { deviceAction_(w); }); });
    });
  }
  void TearDown() override {
    if (!app_->Ended()) app_->mainWindow().close();
    app_.reset();
  }

  // Starts the program; the technician does `action` in the device window.
  void Start(DeviceAction action = ClickOk) {
    deviceAction_ = std::move(action);
    app_->Start();
    testing_qt::ProcessEvents();
  }

  MainWindow& Main() { return app_->mainWindow(); }
  MainForm& Form() { return app_->form(); }
  GridView* Grid() { return Main().grid(); }
  template <typename T>
  T* Find(const char* name) {
    T* found = Main().findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void ClickButton(const char* name) {
    testing_qt::ProcessEvents();
    Find<QAbstractButton>(name)->click();
  }
  // A mouse click on a grid cell, by the grid's own row and column numbers.
  void ClickCell(int row, int col) {
    testing_qt::ProcessEvents();
    const QRect cell = Grid()->CellRect(row, col, Grid()->viewport());
    ASSERT_FALSE(cell.isEmpty()) << "row " << row << " col " << col;
    testing_qt::Click(Grid()->viewport(), cell.center());
  }
  // An SGC50 card on base channel 1: rows 2..9.
  void AddSgc50OnBaseChannel1() {
    ClickCell(2, 1);
    ClickButton("cmdAddCard");
    ClickButton("ctCheck1(2)");
    ClickButton("cmdOK");
  }
  std::string CellText(int row, int col) {
    QTableWidgetItem* item = Grid()->item(GridView::TableRow(row), col);
    return item != nullptr ? item->text().toStdString() : std::string("<none>");
  }

  QTemporaryDir dir_;
  SimulatedAcqLib unit_;
  ScriptedMessageBoxes boxes_;
  RecordedConfigurationPrinter printer_;
  std::unique_ptr<VerniumApp> app_;
  DeviceAction deviceAction_;
};

TEST_F(MainWindowTest, InPlaceListCoversTheClickedCellAndShowsItsEntry) {
  Start();
  AddSgc50OnBaseChannel1();
  auto* filter = Find<QComboBox>("cboFIlter");
  auto* coupling = Find<QComboBox>("cboCoupling");
  for (auto [row, col, shown] : {std::tuple{4, 2, filter}, std::tuple{9, 3, coupling}}) {
    ClickCell(row, col);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_NE(filter->isVisible(), coupling->isVisible());
    const QRect cell = Grid()->CellRect(row, col, Grid()->viewport());
    const QRect box(shown->mapTo(Grid()->viewport(), QPoint(0, 0)), shown->size());
    EXPECT_TRUE(box.contains(cell.center()));
    EXPECT_EQ(box.left(), cell.left());
    // The list shows its own entry for the cell's text ("ByPass" for "Bypass").
    EXPECT_EQ(shown->currentText().compare(QString::fromStdString(CellText(row, col)),
                                           Qt::CaseInsensitive),
              0);
  }
  ClickCell(4, 1);
  EXPECT_FALSE(filter->isVisible() || coupling->isVisible());
  EXPECT_EQ(CellText(4, 1), Form().grdChannel.Cell(4, 1));
  EXPECT_TRUE(Grid()->isColumnHidden(0) && Grid()->font().bold());
}

// The card panel takes the keyboard as it opens; Enter is its OK and Escape
// its Cancel, and the Options menu keeps Alt+O. Its texts read whole.
TEST_F(MainWindowTest, CardPanelTakesTheKeyboardWithEnterForOkAndEscapeForCancel) {
  Start();
  QApplication::setActiveWindow(&Main());
  for (const auto& [key, card] : {std::pair{Qt::Key_Escape, "No Card"}, {Qt::Key_Return, "SGC10"}}) {
    ClickCell(2, 1);
    ClickButton("cmdAddCard");
    testing_qt::ProcessEvents();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_EQ(focus, Find<QWidget>("ctCheck1(1)"));
    QTest::keyClick(focus, Qt::Key_Space);
    QTest::keyClick(focus, key);
    testing_qt::ProcessEvents();
    EXPECT_FALSE(Find<QWidget>("cmdOK")->isVisible());
    EXPECT_EQ(CellText(2, 5), card);
  }
  EXPECT_TRUE(Find<QPushButton>("cmdOK")->shortcut().isEmpty());
  ClickCell(3, 1);
  ClickButton("cmdRemoveCard");  // "Remove Card From Base", whole (also at 144 dpi)
  testing_qt::ProcessEvents();
  EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("cmdOK"));
  EXPECT_EQ(testing_qt::CutTexts(Main()).join(", ").toStdString(), "");
}

// Whatever moves the grid's highlight does what a click on the cell it
// reaches does: the arrow keys, typing the start of a cell's text, a drag,
// the right button.
TEST_F(MainWindowTest, KeysAndGesturesThatMoveTheHighlightActAsAClickOnTheCellReached) {
  Start();
  AddSgc50OnBaseChannel1();
  auto* filter = Find<QComboBox>("cboFIlter");
  auto* coupling = Find<QComboBox>("cboCoupling");
  const auto state = [&] {
    const Configuration& c = Form().config();
    return std::tuple(c.CurrentRow, c.CurrentCol, c.CurrentChannel, filter->isVisible(),
                      coupling->isVisible(), Grid()->currentRow(), Grid()->currentColumn());
  };
  enum Move { Down, Up, Right, Type1, Drag, RightButton };
  constexpr Qt::Key kKeys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_1};
  const std::tuple<int, int, Move, int, int> cases[] = {
      {3, 2, Down, 4, 2},  {4, 3, Up, 3, 3},
      {5, 2, Right, 5, 3}, {9, 3, Down, 10, 3},  // onto base channel 2's row: the list closes
      {1, 1, Type1, 2, 1},                       // "1" finds 1-0-0
      {6, 2, Drag, 8, 2},  {8, 3, RightButton, 5, 3}};
  for (const auto& [row, col, move, toRow, toCol] : cases) {
    SCOPED_TRACE(std::to_string(row) + "," + std::to_string(col) + " move " + std::to_string(move));
    ClickCell(row, col);
    ClickCell(toRow, toCol);
    const auto clicked = state();
    ClickCell(row, col);
    QWidget* cells = Grid()->viewport();
    const QPoint from = Grid()->CellRect(row, col, cells).center();
    const QPoint to = Grid()->CellRect(toRow, toCol, cells).center();
    if (move == Drag) {
      testing_qt::SendMouse(cells, QEvent::MouseButtonPress, from);
      testing_qt::SendMouse(cells, QEvent::MouseMove, to);
      testing_qt::SendMouse(cells, QEvent::MouseButtonRelease, to);
    } else if (move == RightButton) {
      testing_qt::SendMouse(cells, QEvent::MouseButtonPress, to, Qt::RightButton);
      testing_qt::SendMouse(cells, QEvent::MouseButtonRelease, to, Qt::RightButton);
    } else {
      QTest::keyClick(Grid(), kKeys[move]);
    }
    testing_qt::ProcessEvents();
    EXPECT_EQ(state(), clicked);
  }
}

TEST_F(MainWindowTest, KeyUpAndActivationReloadTheParametersOfTheCurrentChannel) {
  Start();
  ClickCell(2, 1);
  ChannelConfig& current = Form().config().Channels[Form().config().CurrentChannel];
  current.Tare = 12.5f;
  testing_qt::KeyClick(Grid(), Qt::Key_Down);
  EXPECT_EQ(app_->preCal().state().txtOffset.text, "12.5");  // reloaded on key up

  current.Excitation = 7.5f;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&Main(), &activate);
  EXPECT_EQ(app_->preCal().state().txtExcite.text, "7.5");
}

// --device: the unit opens as if picked and confirmed in the device window,
// which then does not show (its restrictions, as for a unit picked there:
// restricted_units.scn). A unit that does not come out chosen (offline)
// leaves the window to decide.
TEST_F(MainWindowTest, PreselectedDeviceOpensWithoutTheDeviceWindowUnlessItIsRefused) {
  app_->PreselectDevice("SIM-BOARD-36");
  int windowsShown = 0;
  Start([&](DeviceWindow& w) {
    ++windowsShown;
    ClickOk(w);
  });
  EXPECT_EQ(windowsShown, 0);
  ASSERT_NE(app_->session().Device, nullptr);
  EXPECT_EQ(app_->session().Device->DeviceName, "SIM-BOARD-36");
  app_->mainWindow().close();
  app_.reset();

  unit_.Bench().SetOnline(false);
  SetUp();
  app_->PreselectDevice("SIM-PORTABLE");
  boxes_.QueueAnswer(MsgAnswer::OK);  // the offline unit's message
  Start([&](DeviceWindow& w) {
    ++windowsShown;
    unit_.Bench().SetOnline(true);
    ClickOk(w);
  });
  EXPECT_EQ(windowsShown, 1);
  EXPECT_TRUE(Main().isVisible());
}

// The bench is a window of its own: while a window is open modally over the
// main window, the bench still takes the mouse (a window modal to the whole
// program would block it).
TEST_F(MainWindowTest, BenchStaysUsableBesideAWindowOpenedOverTheMainWindow) {
  Start();
  ASSERT_TRUE(Form().mnuBench.enabled);
  Form().ShowBench();
  QDialog* bench = app_->windows().Loaded(WindowId::Bench);
  ASSERT_NE(bench, nullptr);
  EXPECT_EQ(bench->parentWidget(), nullptr);
  EXPECT_FALSE(bench->isModal());
  auto* shunt = bench->findChild<QAbstractButton*>("chkShunt");
  ASSERT_NE(shunt, nullptr);
  const int channel = app_->bench()->Channel();
  app_->windows().Register(WindowId::CardConfig, [this] { return new QDialog(&Main()); });
  bool shuntIn = false;
  QTimer::singleShot(0, [&] {
    QDialog* over = app_->windows().Loaded(WindowId::CardConfig);
    EXPECT_TRUE(over != nullptr && over->isVisible());
    // Through the window system, where a blocked window drops the click.
    QTest::mouseClick(bench->windowHandle(), Qt::LeftButton, {},
                      shunt->mapTo(bench, shunt->rect().center()));
    testing_qt::ProcessEvents();
    shuntIn = unit_.Bench().Channel(channel)->benchShunt;
    over->reject();
  });
  app_->windows().ShowModal(WindowId::CardConfig);
  EXPECT_TRUE(shuntIn);
}

// A message box that tells the technician to do something on the card
// leaves the bench beside it usable.
TEST_F(MainWindowTest, BenchTakesAClickWhileAMessageBoxIsOpen) {
  Start();
  Form().ShowBench();
  QDialog* bench = app_->windows().Loaded(WindowId::Bench);
  ASSERT_NE(bench, nullptr);
  auto* shunt = bench->findChild<QAbstractButton*>("chkShunt");
  Main().activateWindow();
  QtMessageBoxes desktop;
  bool shuntIn = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(bench->windowHandle(), Qt::LeftButton, {},
                      shunt->mapTo(bench, shunt->rect().center()));
    testing_qt::ProcessEvents();
    shuntIn = unit_.Bench().Channel(app_->bench()->Channel())->benchShunt;
    box->close();
  });
  desktop.Show("Turn the CAL/NORM switch to CAL position ", "SGC50A", MsgIcon::None,
               MsgButtons::OKCancel);
  EXPECT_TRUE(shuntIn);
}

// The main window opens at the left of the screen and the bench at the
// right, beside it; where the technician left the bench is where it opens in
// the next run.
TEST_F(MainWindowTest, WindowsOpenSideBySideAndTheNextRunOpensThemWhereTheyWereLeft) {
  const QString store = dir_.filePath("places.ini");
  const auto run = [&](const std::function<void(QWidget& main, QWidget& bench)>& look) {
    app_->places().UseStore(std::make_unique<QSettings>(store, QSettings::IniFormat));
    Start();
    Form().ShowBench();
    QWidget* bench = app_->windows().Loaded(WindowId::Bench);
    ASSERT_NE(bench, nullptr);
    look(Main(), *bench);
    Main().close();
    MakeApp();
  };
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QRect left;
  run([&](QWidget& main, QWidget& bench) {
    EXPECT_EQ(main.pos(), screen.topLeft());
    EXPECT_EQ(bench.frameGeometry().right(), screen.right());
    bench.setGeometry(QRect(screen.topLeft() + QPoint(40, 50), bench.size() - QSize(0, 30)));
    left = bench.geometry();
  });
  run([&](QWidget&, QWidget& bench) { EXPECT_EQ(bench.geometry(), left); });
}

// The program ended (by the desktop) while a window is open over the main
// window, the wizard over the parameter window among them: every window goes
// its own way before any is destroyed (the address sanitizer watches), and
// the shut-down still writes the scaling file. Before the end each window is
// seen to fit the screen with no text cut (also run at 144 dpi): the
// diagnostics window with its drawing, the summary with its wide columns.
struct OpenWindow {
  const char* name;
  std::vector<WindowId> path;  // the windows opened, one over the other
  const char* next = "cmdContinue";  // what opens the next window of the path
};

class EndWithAWindowOpen : public MainWindowTest, public ::testing::WithParamInterface<OpenWindow> {};

TEST_P(EndWithAWindowOpen, EachEndsItsOwnWayBeforeAnyIsDestroyed) {
  Start();
  AddSgc50OnBaseChannel1();
  ClickCell(3, 1);
  app_->UseDataFolder(dir_.path().toStdString());
  const std::vector<WindowId>& path = GetParam().path;
  const char* next = GetParam().next;
  std::size_t reached = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QDialog* top = app_->windows().Loaded(path[reached]);
    if (top == nullptr || !top->isVisible()) return;
    if (++reached < path.size()) {
      QTimer::singleShot(0, top, [top, next] { top->findChild<QPushButton*>(next)->click(); });
    } else {
      poll.stop();
      // Modal to the window that opened it only: the bench stays usable.
      EXPECT_EQ(top->windowModality(), Qt::WindowModal) << top->objectName().toStdString();
      // Each window, and the main window under it, fits the screen and
      // reads whole.
      for (const QWidget* window : {static_cast<QWidget*>(top), static_cast<QWidget*>(&Main())}) {
        EXPECT_EQ(testing_qt::CutTexts(*window).join(", ").toStdString(), "")
            << window->objectName().toStdString();
        const QSize room = testing_qt::RoomOnScreen(*window);
        EXPECT_TRUE(window->width() <= room.width() && window->height() <= room.height())
            << window->objectName().toStdString() << " " << window->width() << " x "
            << window->height();
      }
      app_->EndProgram();
    }
  });
  poll.start(10);
  switch (path[0]) {
    case WindowId::PreCal: Form().CalibrateClick(); break;
    case WindowId::CardPic: Form().ViewCardClick(); break;
    case WindowId::CardConfig: Form().DisplayCardData(); break;
    case WindowId::frmVerify:
      // 1-0-1 as a finished calibration leaves it.
      Form().config().Channels[33].Calibrated = "Yes";
      Form().grdChannel.cells[3][kColCalibrated] = "Yes";
      Form().VerifyClick();
      break;
    case WindowId::frmHistory: Form().ShowHistory(); break;
    default: Form().ShowDiagnostics(); break;
  }
  EXPECT_TRUE(app_->Ended());
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("sgc10.ini")));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EndWithAWindowOpen,
    ::testing::Values(OpenWindow{"Parameters", {WindowId::PreCal}},
                      OpenWindow{"Wizard", {WindowId::PreCal, WindowId::Calibrator}},
                      OpenWindow{"CardDiagram", {WindowId::CardPic}},
                      OpenWindow{"Summary", {WindowId::CardConfig}},
                      OpenWindow{"Diagnostics", {WindowId::frmExpert}},
                      OpenWindow{"Verify", {WindowId::frmVerify}},
                      OpenWindow{"History", {WindowId::frmHistory}},
                      OpenWindow{"Sensors", {WindowId::PreCal, WindowId::frmSensors}, "cmdSensors"}),
    [](const ::testing::TestParamInfo<OpenWindow>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vernium::qtui
