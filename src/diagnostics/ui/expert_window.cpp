#include "diagnostics/ui/expert_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "diagnostics/ui/strip_chart.h"
#include "platform/ui/control_binding.h"
#include "platform/ui/scrolling_body.h"

// The drawings live in a resource compiled into the UI library; a static
// library's resources have to be registered by hand before first use.
static void RegisterExpertPictures() {
  Q_INIT_RESOURCE(expert_pictures);
}

namespace vernium::qtui {

namespace {

void ResourcesOnce() {
  static const bool registered = [] {
    RegisterExpertPictures();
    return true;
  }();
  (void)registered;
}

// The signal-chain drawing, in pixels, and where each label lies on it.
constexpr QSize kChainSize(820, 340);
constexpr int kRow = 18;

struct Spot {
  int x, y, w, h;
};
// Captions of the three trimpots, two lines each over their trimpot.
constexpr Spot kGainAdjust{190, 2, 90, 30};
constexpr Spot kOffsetAdjust{290, 2, 90, 30};
constexpr Spot kScaleAdjust{530, 2, 90, 30};
// Gains and offset under their stages.
constexpr Spot kInputGainCaption{180, 172, 110, kRow};
constexpr Spot kInputGain{195, 190, 80, kRow};
constexpr Spot kOffsetCaption{285, 172, 110, kRow};
constexpr Spot kOffset{300, 190, 80, kRow};
constexpr Spot kScaleGainCaption{520, 172, 110, kRow};
constexpr Spot kScalingGain{535, 190, 80, kRow};
// The card output at its terminal.
constexpr Spot kOutput{722, 162, 76, kRow};
// The bridge with its extremes, under the bridge.
constexpr Spot kBridgeCaption{8, 222, 56, kRow};
constexpr Spot kCurBridge{66, 222, 76, kRow};
constexpr Spot kMaxCaption{8, 246, 56, kRow};
constexpr Spot kMaxBridge{66, 246, 76, kRow};
constexpr Spot kMinCaption{8, 270, 56, kRow};
constexpr Spot kMinBridge{66, 270, 76, kRow};
// The test points' readouts, at the end of their leaders.
constexpr Spot kInputRef{415, 254, 180, kRow};
constexpr Spot kInputRefVolts{600, 254, 64, kRow};
constexpr Spot kShort{415, 279, 180, kRow};
constexpr Spot kShortVolts{600, 279, 64, kRow};
constexpr Spot kScaleRef{415, 304, 180, kRow};
constexpr Spot kScaleRefVolts{600, 304, 64, kRow};

void Put(QWidget* widget, const Spot& at) { widget->setGeometry(at.x, at.y, at.w, at.h); }

// A reading looks like an instrument's display: a framed, right-aligned
// number in a fixed-width face.
void StyleReading(QLabel* label) {
  QFont mono = label->font();
  mono.setFamily("monospace");
  mono.setStyleHint(QFont::TypeWriter);
  mono.setBold(true);
  label->setFont(mono);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setStyleSheet(
      "QLabel { background: #ffffff; border: 1px solid #a8a8a0; padding: 0 3px; color: #101060; }");
}

}  // namespace

QString RailPicturePath(int pictureIndex) {
  ResourcesOnce();
  if (pictureIndex < kRailPictureClear || pictureIndex > kRailPictureStop) {
    pictureIndex = kRailPictureClear;
  }
  return QStringLiteral(":/diagnostics/%1.svg").arg(pictureIndex);
}

QLabel* ExpertWindow::Caption(QWidget* parent, const char* name) {
  return Named<QLabel>(parent, name);
}

QLabel* ExpertWindow::Value(QWidget* parent, const char* name) {
  auto* label = Named<QLabel>(parent, name);
  StyleReading(label);
  return label;
}

ExpertWindow::ExpertWindow(Session& session, const PreCalState& preCal, const Grid& grdChannel,
                           MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      poster_(this, [this] { Redraw(); }),
      runner_(poster_),
      form_(std::make_unique<ExpertForm>(session, preCal, grdChannel, messages, runner_)) {
  ResourcesOnce();
  setObjectName("frmExpert");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // Channel and averaging.
  lblChannelCaption_ = Caption(this, "lblChannelCaption");
  txtChannel_ = Named<QLineEdit>(this, "txtChannel");
  lblAverageCaption_ = Caption(this, "lblAverageCaption");
  txtAverage_ = Named<QLineEdit>(this, "txtAverage");
  for (QLineEdit* edit : {txtChannel_, txtAverage_}) edit->setMaximumWidth(90);
  connect(txtChannel_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_->state().txtChannel.text = FromQt(text); });
  connect(txtAverage_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_->state().txtAverage.text = FromQt(text); });
  auto* fields = new QHBoxLayout;
  fields->addWidget(lblChannelCaption_);
  fields->addWidget(txtChannel_);
  fields->addSpacing(24);
  fields->addWidget(lblAverageCaption_);
  fields->addWidget(txtAverage_);
  fields->addStretch(1);

  // The signal chain with its readings.
  fraDebug_ = Named<QGroupBox>(this, "fraDebug");
  picChain_ = new QSvgWidget(":/diagnostics/chain.svg", fraDebug_);
  picChain_->setObjectName("picChain");
  picChain_->setFixedSize(kChainSize);
  auto* debugLayout = new QVBoxLayout(fraDebug_);
  debugLayout->addWidget(picChain_, 0, Qt::AlignCenter);
  // The frame's title takes a line of its own that its minimum height leaves
  // out: room for it under the drawing, so the drawing is never cut.
  debugLayout->addSpacing(fraDebug_->fontMetrics().height());
  auto caption = [this](const char* name, const Spot& at, Qt::Alignment align) {
    QLabel* label = Caption(picChain_, name);
    label->setAlignment(align);
    Put(label, at);
    return label;
  };
  auto value = [this](const char* name, const Spot& at) {
    QLabel* label = Value(picChain_, name);
    Put(label, at);
    return label;
  };
  const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  lblGainAdjust_ = caption("lblGainAdjust", kGainAdjust, centred);
  lblOffsetAdjust_ = caption("lblOffsetAdjust", kOffsetAdjust, centred);
  lblScaleAdjust_ = caption("lblScaleAdjust", kScaleAdjust, centred);
  for (QLabel* adjust : {lblGainAdjust_, lblOffsetAdjust_, lblScaleAdjust_}) {
    adjust->setWordWrap(true);
  }
  lblInputGainCaption_ = caption("lblInputGainCaption", kInputGainCaption, centred);
  lblInputGain_ = value("lblInputGain", kInputGain);
  lblOffsetCaption_ = caption("lblOffsetCaption", kOffsetCaption, centred);
  lblOffset_ = value("lblOffset", kOffset);
  lblScaleGainCaption_ = caption("lblScaleGainCaption", kScaleGainCaption, centred);
  lblScalingGain_ = value("lblScalingGain", kScalingGain);
  lblBridgeCaption_ = caption("lblBridgeCaption", kBridgeCaption, right);
  lblCurBridge_ = value("lblCurBridge", kCurBridge);
  lblMaxCaption_ = caption("lblMaxCaption", kMaxCaption, right);
  lblMaxBridge_ = value("lblMaxBridge", kMaxBridge);
  lblMinCaption_ = caption("lblMinCaption", kMinCaption, right);
  lblMinBridge_ = value("lblMinBridge", kMinBridge);
  lblInputRef_ = caption("lblInputRef", kInputRef, left);
  lblShortCaption_ = caption("lblShortCaption", kShort, left);
  lblScaleRef_ = caption("lblScaleRef", kScaleRef, left);
  const std::array<Spot, 4> voltsAt{kOutput, kShortVolts, kScaleRefVolts, kInputRefVolts};
  for (int i = 0; i < 4; ++i) {
    const auto at = static_cast<std::size_t>(i);
    lblOutVolts_[at] = Value(picChain_, "");
    lblOutVolts_[at]->setObjectName(ArrayName("lblOutVolts", i));
    Put(lblOutVolts_[at], voltsAt[at]);
  }

  // The valid input range.
  fraInputRange_ = Named<QGroupBox>(this, "fraInputRange");
  auto* range = new QGridLayout(fraInputRange_);
  lblBypass_ = Caption(fraInputRange_, "lblBypass");
  lblFilter_ = Caption(fraInputRange_, "lblFilter");
  lblMaximumCaption_ = Caption(fraInputRange_, "lblMaximumCaption");
  lblMinimumCaption_ = Caption(fraInputRange_, "lblMinimumCaption");
  lblRangeCaption_ = Caption(fraInputRange_, "lblRangeCaption");
  lblBypass_->setAlignment(Qt::AlignCenter);
  lblFilter_->setAlignment(Qt::AlignCenter);
  range->addWidget(lblBypass_, 0, 1);
  range->addWidget(lblFilter_, 0, 2);
  range->addWidget(lblMaximumCaption_, 1, 0);
  range->addWidget(lblMinimumCaption_, 2, 0);
  range->addWidget(lblRangeCaption_, 3, 0);
  for (int i = 0; i < 2; ++i) {
    const auto at = static_cast<std::size_t>(i);
    lblMaximum_[at] = Value(fraInputRange_, "");
    lblMaximum_[at]->setObjectName(ArrayName("lblMaximum", i));
    lblMinimum_[at] = Value(fraInputRange_, "");
    lblMinimum_[at]->setObjectName(ArrayName("lblMinimum", i));
    lblRange_[at] = Value(fraInputRange_, "");
    lblRange_[at]->setObjectName(ArrayName("lblRange", i));
    for (QLabel* v : {lblMaximum_[at], lblMinimum_[at], lblRange_[at]}) v->setMinimumWidth(76);
    range->addWidget(lblMaximum_[at], 1, i + 1);
    range->addWidget(lblMinimum_[at], 2, i + 1);
    range->addWidget(lblRange_[at], 3, i + 1);
  }
  auto* mv = new QLabel("mV", fraInputRange_);
  range->addWidget(mv, 4, 1, 1, 2, Qt::AlignCenter);

  // The status and its rail picture.
  imgRail_ = new QSvgWidget(this);
  imgRail_->setObjectName("imgRail");
  imgRail_->setFixedSize(48, 48);
  lblStatus_ = Named<QLabel>(this, "lblStatus");
  lblStatus_->setWordWrap(true);
  lblStatus_->setMinimumHeight(48);
  QFont statusFont = lblStatus_->font();
  statusFont.setBold(true);
  lblStatus_->setFont(statusFont);
  auto* status = new QHBoxLayout;
  status->addWidget(imgRail_, 0, Qt::AlignTop);
  status->addWidget(lblStatus_, 1);

  // The buttons.
  auto makeButton = [this](const char* name) {
    auto* button = Named<QPushButton>(this, name);
    button->setAutoDefault(false);
    return button;
  };
  cmdUpdate_ = makeButton("cmdUpdate");
  cmdRun_ = makeButton("cmdRun");
  cmdStop_ = makeButton("cmdStop");
  cmdReset_ = makeButton("cmdReset");
  cmdExit_ = makeButton("cmdExit");
  connect(cmdUpdate_, &QPushButton::clicked, this, [this] { Forward([this] { form_->UpdateClick(); }); });
  connect(cmdRun_, &QPushButton::clicked, this, [this] { Forward([this] { form_->RunClick(); }); });
  connect(cmdStop_, &QPushButton::clicked, this, [this] { Forward([this] { form_->StopClick(); }); });
  connect(cmdReset_, &QPushButton::clicked, this, [this] { Forward([this] { form_->ResetClick(); }); });
  connect(cmdExit_, &QPushButton::clicked, this, [this] { Forward([this] { form_->ExitClick(); }); });

  tmrRail_ = new QTimer(this);  // not a widget: named by hand
  tmrRail_->setObjectName("tmrRail");
  connect(tmrRail_, &QTimer::timeout, this, [this] { Forward([this] { form_->RailTimerTick(); }); });

  // The signal chain across the top; under it the strip chart with the
  // input range and the status beside it; the buttons along the bottom. So
  // the window is no wider than the drawing and fits a 1024 x 768 screen.
  auto* side = new QVBoxLayout;
  side->addWidget(fraInputRange_);
  side->addSpacing(8);
  side->addLayout(status);
  side->addStretch(1);
  strip_ = new StripChart(this);
  auto* lower = new QHBoxLayout;
  lower->addWidget(strip_, 1);
  lower->addSpacing(8);
  lower->addLayout(side);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {cmdUpdate_, cmdRun_, cmdStop_, cmdReset_, cmdExit_}) {
    buttons->addWidget(button);
  }
  // On a screen smaller than the window everything but the buttons scrolls.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  auto* content = new QVBoxLayout(ScrollingBody(this, layout));
  content->setContentsMargins(0, 0, 0, 0);
  content->addLayout(fields);
  content->addWidget(fraDebug_, 1);
  content->addLayout(lower);
  layout->addLayout(buttons);

  Redraw();
  OpenAtWholeSize(this);
}

ExpertWindow::~ExpertWindow() {
  tmrRail_->stop();
  form_->StopJob();
}

void ExpertWindow::Redraw() {
  const ExpertState& s = form_->state();
  const ReadingControls& r = s.readings;
  setWindowTitle(ToQt(s.caption));
  Draw(lblChannelCaption_, s.lblChannelCaption);
  Draw(txtChannel_, s.txtChannel);
  Draw(lblAverageCaption_, s.lblAverageCaption);
  Draw(txtAverage_, s.txtAverage);
  Draw(cmdUpdate_, s.cmdUpdate);
  Draw(cmdRun_, s.cmdRun);
  Draw(cmdStop_, s.cmdStop);
  Draw(cmdReset_, s.cmdReset);
  Draw(cmdExit_, s.cmdExit);
  Draw(fraInputRange_, s.fraInputRange);
  Draw(lblBypass_, s.lblBypass);
  Draw(lblFilter_, s.lblFilter);
  Draw(lblMaximumCaption_, s.lblMaximumCaption);
  Draw(lblMinimumCaption_, s.lblMinimumCaption);
  Draw(lblRangeCaption_, s.lblRangeCaption);
  for (std::size_t i = 0; i < 2; ++i) {
    Draw(lblMaximum_[i], r.lblMaximum[i]);
    Draw(lblMinimum_[i], r.lblMinimum[i]);
    Draw(lblRange_[i], r.lblRange[i]);
  }
  Draw(lblStatus_, s.lblStatus);
  strip_->SetHistory(form_->Strip());
  DrawCommon(imgRail_, r.imgRail);
  if (r.imgRail.pictureIndex != railShown_) {
    railShown_ = r.imgRail.pictureIndex;
    imgRail_->load(RailPicturePath(railShown_));
  }
  Draw(fraDebug_, s.fraDebug);
  Draw(lblBridgeCaption_, s.lblBridgeCaption);
  Draw(lblMinCaption_, s.lblMinCaption);
  Draw(lblMaxCaption_, s.lblMaxCaption);
  Draw(lblCurBridge_, r.lblCurBridge);
  Draw(lblMinBridge_, r.lblMinBridge);
  Draw(lblMaxBridge_, r.lblMaxBridge);
  Draw(lblInputGainCaption_, s.lblInputGainCaption);
  Draw(lblOffsetCaption_, s.lblOffsetCaption);
  Draw(lblScaleGainCaption_, s.lblScaleGainCaption);
  Draw(lblInputGain_, r.lblInputGain);
  Draw(lblOffset_, r.lblOffset);
  Draw(lblScalingGain_, r.lblScalingGain);
  Draw(lblGainAdjust_, s.lblGainAdjust);
  Draw(lblOffsetAdjust_, s.lblOffsetAdjust);
  Draw(lblScaleAdjust_, s.lblScaleAdjust);
  Draw(lblInputRef_, s.lblInputRef);
  Draw(lblScaleRef_, s.lblScaleRef);
  Draw(lblShortCaption_, s.lblShortCaption);
  for (std::size_t i = 0; i < 4; ++i) Draw(lblOutVolts_[i], r.lblOutVolts[i]);
  if (s.tmrRail.enabled && !tmrRail_->isActive()) tmrRail_->start(s.tmrRail.intervalMs);
  if (!s.tmrRail.enabled && tmrRail_->isActive()) tmrRail_->stop();
}

void ExpertWindow::showEvent(QShowEvent* event) {
  // The window loads afresh each time it opens for a channel.
  form_->Load();
  Redraw();
  QDialog::showEvent(event);
}

void ExpertWindow::closeEvent(QCloseEvent* event) {
  // Closing by the frame leaves the window the way Exit does.
  if (!form_->closeRequested) {
    event->ignore();
    Forward([this] { form_->ExitClick(); });
    return;
  }
  QDialog::closeEvent(event);
}

void ExpertWindow::reject() {
  if (!form_->closeRequested) {
    Forward([this] { form_->ExitClick(); });
    return;
  }
  QDialog::reject();
}

}  // namespace vernium::qtui
