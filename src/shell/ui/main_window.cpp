#include "shell/ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/control_binding.h"
#include "model/numeric_text.h"
#include "platform/ui/grid_view.h"

namespace vernium::qtui {

namespace {

constexpr int kSideWidth = 160;
constexpr int kButtonHeight = 30;

QPushButton* MakeButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setMinimumHeight(kButtonHeight);
  button->setAutoDefault(false);
  return button;
}

QComboBox* MakeList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return list;
}

// The caption shown with an in-place list: a small tag next to the cell.
QLabel* MakeTag(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setStyleSheet(
      QStringLiteral("QLabel { background: #fff6cc; color: #4a3f10; border: 1px solid #c9b45a;"
                     " border-radius: 3px; padding: 1px 5px; font-weight: normal; }"));
  return label;
}

}  // namespace

MainWindow::MainWindow(MainForm& form, QWidget* parent) : QMainWindow(parent), form_(form) {
  setObjectName("Main");
  BuildControls();
  BuildMenus();
  Redraw();
}

void MainWindow::BuildControls() {
  auto* central = new QWidget(this);
  central->setObjectName("MainClient");
  setCentralWidget(central);

  Frame3D1_ = new QGroupBox(central);
  Frame3D1_->setObjectName("Frame3D1");
  grdChannel_ = new GridView(Frame3D1_);
  grdChannel_->setObjectName("grdChannel");
  auto* frameLayout = new QVBoxLayout(Frame3D1_);
  frameLayout->setContentsMargins(8, 10, 8, 8);
  frameLayout->addWidget(grdChannel_);

  // The in-place lists live on the grid's viewport, so they scroll with the
  // cell they edit.
  QWidget* cells = grdChannel_->viewport();
  cboFIlter_ = MakeList(cells, "cboFIlter");
  cboCoupling_ = MakeList(cells, "cboCoupling");
  lblFilterOption_ = MakeTag(cells, "lblFilterOption");
  lblDCACcoupling_ = MakeTag(cells, "lblDCACcoupling");

  cmdAddCard_ = MakeButton(central, "cmdAddCard");
  cmdRemoveCard_ = MakeButton(central, "cmdRemoveCard");
  cmdViewCard_ = MakeButton(central, "cmdViewCard");
  CmdCalibrate_ = MakeButton(central, "CmdCalibrate");
  CmdVerify_ = MakeButton(central, "CmdVerify");

  // The card panel.
  panelFrame_ = new QFrame(central);
  panelFrame_->setObjectName("CardPanel");
  panelFrame_->setFrameShape(QFrame::StyledPanel);
  panelFrame_->setFrameShadow(QFrame::Sunken);
  panelFrame_->hide();
  panelFrame_->installEventFilter(this);
  lblAddOrDel_ = new QLabel(panelFrame_);
  lblAddOrDel_->setObjectName("lblAddOrDel");
  lblAddOrDel_->setTextFormat(Qt::PlainText);
  QFont bold = lblAddOrDel_->font();
  bold.setBold(true);
  lblAddOrDel_->setFont(bold);
  cboChannel_ = MakeList(panelFrame_, "cboChannel");
  cboChannel_->setMaxVisibleItems(16);
  for (int i = 1; i <= 4; ++i) {
    auto* box = new QCheckBox(panelFrame_);
    box->setObjectName(ArrayName("ctCheck1", i));
    ctCheck1_[static_cast<std::size_t>(i)] = box;
  }
  lblInfo00_ = new QLabel(panelFrame_);
  lblInfo00_->setObjectName("lblInfo00");
  lblInfo00_->setTextFormat(Qt::PlainText);
  lblInfo00_->setWordWrap(true);
  lblInfo00_->setFont(bold);
  QPalette red = lblInfo00_->palette();
  red.setColor(QPalette::WindowText, QColor(static_cast<QRgb>(MainForm::kInfoTextRgb)));
  lblInfo00_->setPalette(red);
  cmdOK_ = MakeButton(panelFrame_, "cmdOK");
  cmdCancel_ = MakeButton(panelFrame_, "cmdCancel");
  cmdOK_->setToolTip("OK (Enter)");
  cmdCancel_->setToolTip("Cancel (Esc)");

  auto* panelLayout = new QVBoxLayout(panelFrame_);
  panelLayout->setContentsMargins(10, 10, 10, 10);
  panelLayout->setSpacing(6);
  panelLayout->addWidget(lblAddOrDel_);
  panelLayout->addWidget(cboChannel_);
  panelLayout->addSpacing(4);
  for (int i = 1; i <= 4; ++i) panelLayout->addWidget(ctCheck1_[static_cast<std::size_t>(i)]);
  panelLayout->addWidget(lblInfo00_);
  panelLayout->addSpacing(4);
  auto* okCancel = new QHBoxLayout;
  okCancel->setSpacing(6);
  okCancel->addWidget(cmdOK_);
  okCancel->addWidget(cmdCancel_);
  panelLayout->addLayout(okCancel);

  auto* side = new QVBoxLayout;
  side->setSpacing(8);
  side->addSpacing(8);  // level with the grid below the frame's caption
  side->addWidget(cmdAddCard_);
  side->addWidget(cmdRemoveCard_);
  side->addWidget(cmdViewCard_);
  side->addWidget(CmdCalibrate_);
  side->addWidget(CmdVerify_);
  side->addSpacing(12);
  side->addWidget(panelFrame_);
  side->addStretch(1);

  auto* sideBox = new QWidget(central);
  // As wide as the panel's longest caption needs at the font in use.
  const int captionRoom = QFontMetrics(bold).horizontalAdvance("Remove Card From Base") +
                          2 * 10 + 2 * panelFrame_->frameWidth() + 4;
  sideBox->setFixedWidth(std::max(kSideWidth, captionRoom));
  sideBox->setLayout(side);
  side->setContentsMargins(0, 0, 0, 0);

  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(10, 8, 10, 10);
  layout->setSpacing(12);
  layout->addWidget(Frame3D1_, 1);
  layout->addWidget(sideBox);

  tmrDirections_ = new QTimer(this);
  tmrDirections_->setObjectName("tmrDirections");
  connect(tmrDirections_, &QTimer::timeout, this, [] {});  // its tick does nothing

  connect(cmdAddCard_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.AddCardClick(); }); });
  connect(cmdRemoveCard_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.RemoveCardClick(); }); });
  connect(cmdViewCard_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.ViewCardClick(); }); });
  connect(CmdCalibrate_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.CalibrateClick(); }); });
  connect(CmdVerify_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.VerifyClick(); }); });
  connect(cmdOK_, &QPushButton::clicked, this, [this] { Forward([this] { form_.OKClick(); }); });
  connect(cmdCancel_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_.CancelClick(); }); });
  for (int i = 1; i <= 4; ++i) {
    connect(ctCheck1_[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
            [this, i] { Forward([this, i] { form_.CardBoxClick(i); }); });
  }
  connect(cboChannel_, &QComboBox::activated, this, [this](int index) {
    Forward([this, index] {
      form_.cboChannel.Select(index);
      form_.ChannelListClick();
    });
  });
  connect(cboCoupling_, &QComboBox::activated, this, [this](int index) {
    Forward([this, index] {
      form_.cboCoupling.Select(index);
      form_.CouplingListClick();
    });
  });
  connect(cboFIlter_, &QComboBox::activated, this, [this](int index) {
    Forward([this, index] {
      form_.cboFIlter.Select(index);
      form_.FilterListClick();
    });
  });
  connect(grdChannel_, &QTableWidget::cellClicked, this, &MainWindow::OnGridClicked);
  connect(grdChannel_, &QTableWidget::cellDoubleClicked, this, &MainWindow::OnGridDoubleClicked);
  connect(grdChannel_, &GridView::cellReached, this, &MainWindow::OnGridClicked);
  connect(grdChannel_, &GridView::keyReleased, this, [this] { OnGridKeyReleased(); });
}

void MainWindow::OnGridClicked(int tableRow, int col) {
  Forward([this, tableRow, col] { form_.GridClick(GridView::RecordRow(tableRow), col); });
}

void MainWindow::OnGridDoubleClicked(int /*tableRow*/, int /*col*/) {
  Forward([this] { form_.GridDblClick(); });
}

// A key that moved the current cell has already been taken as a click on the
// cell it reached (GridView::cellReached).
void MainWindow::OnGridKeyReleased() {
  Forward([this] { form_.GridKeyUp(); });
}

void MainWindow::Redraw() {
  setWindowTitle(ToQt(form_.caption));
  Draw(Frame3D1_, form_.Frame3D1);
  grdChannel_->Draw(form_.grdChannel);
  Draw(cmdAddCard_, form_.cmdAddCard);
  Draw(cmdRemoveCard_, form_.cmdRemoveCard);
  Draw(cmdViewCard_, form_.cmdViewCard);
  Draw(CmdCalibrate_, form_.CmdCalibrate);
  Draw(CmdVerify_, form_.CmdVerify);
  Draw(cmdOK_, form_.cmdOK);
  // The Options menu keeps Alt+O; the panel's OK is pressed with Enter.
  if (!cmdOK_->shortcut().isEmpty()) cmdOK_->setShortcut(QKeySequence());
  Draw(cmdCancel_, form_.cmdCancel);
  Draw(cboChannel_, form_.cboChannel);
  Draw(lblAddOrDel_, form_.lblAddOrDel);
  Draw(lblInfo00_, form_.lblInfo00);
  for (int i = 1; i <= 4; ++i) {
    Draw(ctCheck1_[static_cast<std::size_t>(i)], form_.ctCheck1[static_cast<std::size_t>(i)]);
  }
  Draw(cboFIlter_, form_.cboFIlter);
  Draw(lblFilterOption_, form_.lblFilterOption);
  Draw(cboCoupling_, form_.cboCoupling);
  Draw(lblDCACcoupling_, form_.lblDCACcoupling);
  PlaceInPlaceList(cboFIlter_, lblFilterOption_, form_.cboFIlter, kColFilter);
  PlaceInPlaceList(cboCoupling_, lblDCACcoupling_, form_.cboCoupling, kColCoupling);
  PlacePanelFrame();

  if (form_.tmrDirections.enabled && form_.tmrDirections.intervalMs > 0) {
    if (tmrDirections_->interval() != form_.tmrDirections.intervalMs) {
      tmrDirections_->setInterval(form_.tmrDirections.intervalMs);
    }
    if (!tmrDirections_->isActive()) tmrDirections_->start();
  } else {
    tmrDirections_->stop();
  }

  for (const MenuBinding& m : menus_) Draw(m.menu, form_.*(m.entry));
  for (const CommandBinding& c : commands_) Draw(c.action, form_.*(c.entry));
  RedrawRecentFiles();
}

// An in-place list sits over the current cell of its column; its caption
// sits just above it, or below when the cell is the top row on view.
void MainWindow::PlaceInPlaceList(QComboBox* list, QLabel* caption, const Control& state, int col) {
  if (!state.visible) return;
  QWidget* cells = grdChannel_->viewport();
  const QRect cell = grdChannel_->CellRect(form_.grdChannel.row, col, cells);
  if (cell.isEmpty() || !cells->rect().intersects(cell)) {
    list->hide();
    caption->hide();
    return;
  }
  const int height = std::max(cell.height(), list->minimumSizeHint().height());
  const int width = std::max(cell.width(), list->sizeHint().width());
  const QRect box(cell.x(), cell.center().y() - height / 2, width, height);
  list->setGeometry(box);
  list->raise();
  caption->adjustSize();
  const int above = box.top() - caption->height() - 1;
  const int y = above >= 0 ? above : box.bottom() + 2;
  caption->move(box.left(), y);
  caption->raise();
}

// The card panel's frame is drawn while any of its controls is shown.
void MainWindow::PlacePanelFrame() {
  bool any = form_.cmdOK.visible || form_.cmdCancel.visible || form_.cboChannel.visible ||
             form_.lblAddOrDel.visible || form_.lblInfo00.visible;
  for (int i = 1; i <= 4; ++i) any = any || form_.ctCheck1[static_cast<std::size_t>(i)].visible;
  if (any != panelFrame_->isHidden()) return;
  const bool focusInside = panelFrame_->isAncestorOf(QApplication::focusWidget());
  panelFrame_->setVisible(any);
  if (!any) {
    if (focusInside) grdChannel_->setFocus(Qt::OtherFocusReason);
    return;
  }
  // The keyboard goes to the panel as it opens: to the first card box when
  // adding, to OK when removing.
  QWidget* first = cmdOK_;
  for (int i = 4; i >= 1; --i) {
    QCheckBox* box = ctCheck1_[static_cast<std::size_t>(i)];
    if (box->isVisibleTo(panelFrame_) && box->isEnabled()) first = box;
  }
  if (!first->isVisibleTo(panelFrame_) || !first->isEnabled()) first = cboChannel_;
  first->setFocus(Qt::OtherFocusReason);
}

// In the card panel Enter presses OK and Escape presses Cancel, as in a
// dialog box, whichever of the panel's controls has the focus.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panelFrame_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    QPushButton* button = nullptr;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) button = cmdOK_;
    if (key == Qt::Key_Escape) button = cmdCancel_;
    if (button != nullptr && button->isVisible() && button->isEnabled()) {
      button->click();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::Load() {
  form_.LoadMain();
  // The grid is as wide from the start as its in-place lists' entries and a
  // calibration date need, so that no column widens when they show.
  const auto texts = [](const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items) list << ToQt(item);
    return list;
  };
  grdChannel_->ReserveWidth(kColFilter, texts(form_.cboFIlter.items));
  grdChannel_->ReserveWidth(kColCoupling, texts(form_.cboCoupling.items));
  grdChannel_->ReserveWidth(kColCalibrated, {ToQt(CalibrationDate(2026, 12, 28))});
  Redraw();
  grdChannel_->setMinimumWidth(grdChannel_->ColumnsWidth() +
                               grdChannel_->verticalScrollBar()->sizeHint().width() +
                               2 * grdChannel_->frameWidth() + 2);
  // Open at the size that shows the sixteen base channels whole; the
  // technician may make it smaller.
  const auto gridHeight = [this](int rows) {
    return grdChannel_->horizontalHeader()->sizeHint().height() +
           rows * grdChannel_->verticalHeader()->defaultSectionSize() +
           2 * grdChannel_->frameWidth() + 2;
  };
  grdChannel_->setMinimumHeight(gridHeight(kBaseChannels));
  resize(sizeHint());
  grdChannel_->setMinimumHeight(gridHeight(6));
  if (form_.closeRequested) {
    close();
    return false;
  }
  return true;
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !unloading_ && isVisible()) {
    if (handlerDepth_ > 0) {
      activatePending_ = true;
    } else {
      Forward([this] { form_.ActivateMain(); });
    }
  }
  return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closed by its frame with unsaved changes to a named file: the
  // technician may keep the program running.
  if (!unloading_ && handlerDepth_ == 0 && !form_.QueryClose()) {
    event->ignore();
    Redraw();
    return;
  }
  if (!unloading_) {
    unloading_ = true;
    tmrDirections_->stop();
    form_.UnloadMain();
  }
  // The program ends with its last window, through the application's
  // quit-on-last-window-closed; a scripted run keeps its event loop going.
  event->accept();
}

}  // namespace vernium::qtui
