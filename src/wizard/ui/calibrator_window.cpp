#include "wizard/ui/calibrator_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "platform/ui/control_binding.h"
#include "platform/ui/scrolling_body.h"
#include "wizard/ui/guidance_view.h"

// The card pictures live in a resource compiled into the UI library; a
// static library's resources have to be registered by hand before first use.
static void RegisterCardPictures() {
  Q_INIT_RESOURCE(card_pictures);
}

namespace vernium::qtui {

namespace {
void ResourcesOnce() {
  static const bool registered = [] {
    RegisterCardPictures();
    return true;
  }();
  (void)registered;
}
}  // namespace

namespace {

// Card picture sizes in twips (their SVG view boxes).
constexpr std::array<QSizeF, 3> kPictureTwips{QSizeF(1800, 1500), QSizeF(1800, 1500),
                                              QSizeF(2100, 1400)};

int Pixels(double twips) {
  return static_cast<int>(twips / 15.0 * CalibratorWindow::kPictureZoom + 0.5);
}

// The highlight laid over the trimpot to turn: a bright ring that shows on
// the dark board at a glance.
class PotMarker : public QWidget {
 public:
  explicit PotMarker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
    p.setBrush(QColor(255, 214, 0, 70));
    p.setPen(QPen(QColor(255, 170, 0), 3));
    p.drawRoundedRect(r, 4, 4);
  }
};

// The picture with the channel's names written in: each text element with
// an id the form fills (the card type, the designators) gets its text, and
// on the SGC50 family the parts drawn as "x21" get the channel's place.
QByteArray NamedPicture(const QByteArray& svg, const CardPictureTexts& t) {
  QString text = QString::fromUtf8(svg);
  auto name = [&text](const char* id, const std::string& value) {
    if (value.empty()) return;
    const QRegularExpression element(
        QStringLiteral("(<text id=\"%1\"[^>]*>)[^<]*(</text>)").arg(QLatin1String(id)));
    text.replace(element,
                 QStringLiteral("\\1") + ToQt(value).toHtmlEscaped() + QStringLiteral("\\2"));
  };
  name("cardType", t.cardType);
  name("filterJumper", t.channel.filterJumper);
  name("couplingJumper", t.channel.couplingJumper);
  name("filterGainResistor", t.channel.filterGainResistor);
  name("otherFilterJumper", t.otherChannel.filterJumper);
  name("otherCouplingJumper", t.otherChannel.couplingJumper);
  name("otherFilterGainResistor", t.otherChannel.filterGainResistor);
  if (!t.partPrefix.empty()) {
    text.replace(QRegularExpression(QStringLiteral(">x(\\d\\d)<")),
                 QStringLiteral(">") + ToQt(t.partPrefix) + QStringLiteral("\\1<"));
  }
  return text.toUtf8();
}

}  // namespace

CalibratorWindow::CalibratorWindow(Session& session, CalibratorState& state,
                                   const PreCalState& preCal, Grid& grdChannel,
                                   MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      poster_(this, [this] { Redraw(); }),
      runner_(poster_),
      form_(std::make_unique<CalibratorForm>(session, state, preCal, grdChannel, messages,
                                             runner_)) {
  ResourcesOnce();
  setObjectName("Calibrator");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  fraCalibrator_ = Named<QGroupBox>(this, "fraCalibrator");
  auto* pictures = Named<QWidget>(fraCalibrator_, "CardPictures");
  QSize area;
  for (int i = 0; i < 3; ++i) {
    const auto at = static_cast<std::size_t>(i);
    QFile file(QString(":/cards/%1.svg").arg(i));
    if (file.open(QIODevice::ReadOnly)) pictureSvg_[at] = file.readAll();
    auto* picture = new QSvgWidget(pictures);
    picture->load(pictureSvg_[at]);
    picture->setObjectName(ArrayName("picPots", i));
    picture->setFixedSize(Pixels(kPictureTwips[at].width()), Pixels(kPictureTwips[at].height()));
    area = area.expandedTo(picture->size());
    picPots_[at] = picture;
    picPotOn_[at] = new PotMarker(picture);
    picPotOn_[at]->setObjectName(ArrayName("picPotOn", i));
  }
  pictures->setFixedSize(area);
  lblOverlayChan_ = Named<QLabel>(picPots_[kPicSgc50], "lblOverlayChan");
  lblOverlayChan_->setAlignment(Qt::AlignCenter);
  lblOverlayChan_->setStyleSheet("color: white; font-weight: bold;");
  auto* pictureLayout = new QVBoxLayout(fraCalibrator_);
  pictureLayout->addWidget(pictures, 0, Qt::AlignCenter);

  fraSetting_ = Named<QGroupBox>(this, "fraSetting");
  Label3_ = Named<QLabel>(fraSetting_, "Label3");
  lblgage_ = Named<QLabel>(fraSetting_, "lblgage");
  lblVolts_ = Named<QLabel>(fraSetting_, "lblVolts");
  Label1_ = Named<QLabel>(fraSetting_, "Label1");
  lblTarget_ = Named<QLabel>(fraSetting_, "lblTarget");
  Label2_ = Named<QLabel>(fraSetting_, "Label2");
  for (QLabel* value : {lblgage_, lblTarget_}) {
    QFont big = value->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    big.setFamily("monospace");
    value->setFont(big);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("-0.0000"));
  }
  auto* setting = new QGridLayout(fraSetting_);
  setting->addWidget(Label3_, 0, 0);
  setting->addWidget(lblgage_, 0, 1);
  setting->addWidget(lblVolts_, 0, 2);
  setting->addWidget(Label1_, 1, 0);
  setting->addWidget(lblTarget_, 1, 1);
  setting->addWidget(Label2_, 1, 2);

  fraInstructions_ = Named<QGroupBox>(this, "fraInstructions");
  lblDirections_ = Named<QLabel>(fraInstructions_, "lblDirections");
  lblDirections_->setWordWrap(true);
  lblDirections_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDirections_->setTextFormat(Qt::PlainText);
  lblDirections_->setMinimumSize(360, 150);
  auto* instructions = new QVBoxLayout(fraInstructions_);
  instructions->addWidget(lblDirections_);
  // At the completion, what was reached, in the trend's place.
  lblSummary_ = Named<QLabel>(this, "lblSummary");
  lblSummary_->setWordWrap(true);
  lblSummary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblSummary_->setTextFormat(Qt::PlainText);
  lblSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblStep_ = Named<QLabel>(this, "lblStep");
  lblStep_->setMinimumWidth(lblStep_->fontMetrics().horizontalAdvance("Step 6 of 6") + 4);

  // Enter presses Next while it is enabled, or the button that has the focus.
  cmdPrevious_ = Named<QPushButton>(this, "cmdPrevious");
  cmdNext_ = Named<QPushButton>(this, "cmdNext");
  cmdNext_->setDefault(true);
  cmdExitMain_ = Named<QPushButton>(this, "cmdExitMain");
  cmdVerify_ = Named<QPushButton>(this, "cmdVerify");
  connect(cmdVerify_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->VerifyClick(); }); });
  connect(cmdPrevious_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->PreviousClick(); }); });
  connect(cmdNext_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->NextClick(); }); });
  connect(cmdExitMain_, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->ExitMainClick(); }); });

  tmrGage_ = new QTimer(this);  // not a widget: named by hand
  tmrGage_->setObjectName("tmrGage");
  connect(tmrGage_, &QTimer::timeout, this,
          [this] { Forward([this] { form_->GageTimerTick(); }); });

  // Under the reading, how it stands against the target; under the card,
  // its trend. Stacked, so that the window fits a 1024-pixel screen.
  guidance_ = new GuidancePanel(this);
  guidance_->setObjectName("fraGuidance");
  trend_ = new TrendPlot(this);
  // Both keep their room while hidden, so that the window is the same size
  // on every step and its buttons stay where they are.
  for (QWidget* shownOnLiveSteps : {static_cast<QWidget*>(guidance_), static_cast<QWidget*>(trend_),
                                    static_cast<QWidget*>(lblSummary_)}) {
    QSizePolicy keep = shownOnLiveSteps->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    shownOnLiveSteps->setSizePolicy(keep);
  }
  auto* reading = new QVBoxLayout;
  reading->addWidget(fraSetting_, 0, Qt::AlignLeft);
  reading->addWidget(guidance_);
  auto* right = new QVBoxLayout;
  right->addLayout(reading);
  right->addWidget(fraInstructions_, 1);
  auto* left = new QVBoxLayout;
  left->addWidget(fraCalibrator_);
  auto* underCard = new QGridLayout;
  underCard->addWidget(trend_, 0, 0);
  underCard->addWidget(lblSummary_, 0, 0);
  left->addLayout(underCard);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblStep_);
  buttons->addStretch(1);
  buttons->addWidget(cmdVerify_);
  buttons->addWidget(cmdPrevious_);
  buttons->addWidget(cmdNext_);
  buttons->addWidget(cmdExitMain_);
  // The card, the reading and the directions scroll on a small screen; the
  // buttons stay in view.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  top->setContentsMargins(0, 0, 0, 0);
  ScrollingBody(this, layout)->setLayout(top);
  layout->addLayout(buttons);

  Redraw();
  OpenAtWholeSize(this);
}

CalibratorWindow::~CalibratorWindow() {
  tmrGage_->stop();
  form_->StopRead();
}

template <typename Handler>
void CalibratorWindow::Forward(Handler&& handler) {
  handler();
  Redraw();
  if (form_->closeRequested && isVisible()) done(QDialog::Accepted);
}

void CalibratorWindow::Place(QWidget* widget, const PlacedPicture& place) {
  widget->setGeometry(Pixels(place.left), Pixels(place.top), Pixels(place.width),
                      Pixels(place.height));
}

void CalibratorWindow::NamePictureParts(const CardPictureTexts& texts) {
  if (texts == namedParts_) return;
  namedParts_ = texts;
  for (std::size_t i = 0; i < picPots_.size(); ++i) {
    picPots_[i]->load(NamedPicture(pictureSvg_[i], texts));
  }
}

void CalibratorWindow::Redraw() {
  const CalibratorState& s = form_->state();
  setWindowTitle(ToQt(s.caption));
  Draw(fraCalibrator_, s.fraCalibrator);
  for (std::size_t i = 0; i < 3; ++i) {
    DrawCommon(picPots_[i], s.picPots[i]);
    DrawCommon(picPotOn_[i], s.picPotOn[i]);
    Place(picPotOn_[i], s.picPotOn[i]);
  }
  NamePictureParts(s.picPotsTexts);
  Place(lblOverlayChan_, s.lblOverlayChan);
  lblOverlayChan_->setText(ToQt(s.lblOverlayChanCaption));
  Draw(fraSetting_, s.fraSetting);
  Draw(Label3_, s.Label3);
  Draw(lblgage_, s.lblgage);
  Draw(lblVolts_, s.lblVolts);
  Draw(Label1_, s.Label1);
  Draw(lblTarget_, s.lblTarget);
  Draw(Label2_, s.Label2);
  Draw(fraInstructions_, s.fraInstructions);
  // The directions break their lines with CR LF; a label wants LF alone.
  Label directions = s.lblDirections;
  std::string& text = directions.caption;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  Draw(lblDirections_, directions);
  Draw(lblSummary_, s.lblSummary);
  Draw(lblStep_, s.lblStep);
  Draw(cmdPrevious_, s.cmdPrevious);
  Draw(cmdNext_, s.cmdNext);
  Draw(cmdExitMain_, s.cmdExitMain);
  Draw(cmdVerify_, s.cmdVerify);
  const TurnAdvice advice = form_->Advice();
  guidance_->SetAdvice(advice);
  trend_->SetTrend(form_->Guidance(), advice.shown);
  if (s.tmrGage.enabled && !tmrGage_->isActive()) tmrGage_->start(s.tmrGage.intervalMs);
  if (!s.tmrGage.enabled && tmrGage_->isActive()) tmrGage_->stop();
}

void CalibratorWindow::showEvent(QShowEvent* event) {
  // The window loads afresh each time it opens for a channel.
  form_->Load();
  Redraw();
  QDialog::showEvent(event);
}

void CalibratorWindow::closeEvent(QCloseEvent* event) {
  // Closing by the frame leaves the wizard the way Exit does.
  if (!form_->closeRequested) {
    event->ignore();
    Forward([this] { form_->ExitMainClick(); });
    return;
  }
  QDialog::closeEvent(event);
}

void CalibratorWindow::reject() {
  if (!form_->closeRequested) {
    Forward([this] { form_->ExitMainClick(); });
    return;
  }
  QDialog::reject();
}

}  // namespace vernium::qtui
