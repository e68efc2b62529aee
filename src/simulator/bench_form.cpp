#include "simulator/bench_form.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <cmath>
#include <cstdio>

#include "model/card_designators.h"
#include "model/numeric_text.h"
#include "simulator/simulated_unit.h"

namespace vernium {

namespace {

std::string Fixed(double value, int decimals, bool sign = false) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, sign ? "%+.*f" : "%.*f", decimals, value);
  return buffer;
}

std::string ValueText(Trimpot trimpot, double value) {
  switch (trimpot) {
    case Trimpot::Excitation:
      return Fixed(value, 4) + " V";
    case Trimpot::Offset:
      return Fixed(value, 4, true) + " V";
    case Trimpot::InputGain:
      return "\xC3\x97 " + Fixed(value, 2);
    case Trimpot::ScaleGain:
      return "\xC3\x97 " + Fixed(value, 4);
  }
  return {};
}

// The number a field holds, blanks around it allowed; nothing for any
// other text.
std::optional<double> NumberIn(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  double value = 0.0;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool IsSgc10(SimCardModel card) { return card == SimCardModel::SGC10; }

// Cards on a base channel: the SGC10 carries two channels, the SGC50
// family eight.
int ChannelsPerCard(SimCardModel card) { return IsSgc10(card) ? 2 : 8; }

PartControl Part(PartKind kind, std::string caption, std::string first, std::string second) {
  PartControl part;
  part.kind = kind;
  part.caption = std::move(caption);
  part.positions = {std::move(first), std::move(second)};
  return part;
}

int Position(bool second) { return second ? 1 : 0; }

}  // namespace

SimulatedBench* BenchOf(AcqLibObject* library) {
  auto* unit = dynamic_cast<SimulatedAcqLib*>(library);
  return unit != nullptr ? &unit->Bench() : nullptr;
}

std::vector<BenchChannel> RackChannels() {
  std::vector<BenchChannel> rack;
  for (int n = 16; n <= 271; ++n) {
    const SimCardModel card = CardModelAt(n);
    if (card == SimCardModel::None) continue;
    const int within = (n - 16) % 16;
    const int perCard = ChannelsPerCard(card);
    rack.push_back({n, card,
                    std::to_string((n - 16) / 16) + "-" + std::to_string(within / perCard) + "-" +
                        std::to_string(within % perCard)});
  }
  return rack;
}

BenchForm::BenchForm(SimulatedBench& bench, std::function<int()> gridChannel)
    : bench_(bench), gridChannel_(std::move(gridChannel)), rack_(RackChannels()) {
  caption = std::string(kBenchCaption);
  lblBenchChannel.caption = "&Channel:";
  chkFollowGrid.caption = "&Follow the main window";
  chkFollowGrid.checked = true;
  fraTrimpots.caption = "Trimpots";
  dialExcitation.caption = "Excitation";
  dialOffset.caption = "Offset";
  dialInputGain.caption = "Input Gain";
  dialScaleGain.caption = "Scale Gain";
  fraLoad.caption = "Applied Load";
  cmdZeroLoad.caption = "&Zero";
  const int maxTenths = static_cast<int>(std::lround(kRatedLoad * kBenchMaxLoadShare * 10.0));
  sldLoad.maximum = maxTenths;
  lblLoadRange.caption = "0 to " + GeneralFormat(static_cast<float>(kRatedLoad * kBenchMaxLoadShare)) + " (rated " +
                         GeneralFormat(static_cast<float>(kRatedLoad)) + ")";
  fraParts.caption = "Jumpers and Switches";
  optFilter = Part(PartKind::Jumper, "Filter", "BYPASS", "FILTER");
  chkFilterResistor = Part(PartKind::Fitted, "Filter Gain", "FITTED", "REMOVED");
  optCoupling = Part(PartKind::Jumper, "Coupling", "DC", "AC");
  chkShunt = Part(PartKind::Fitted, "Shunt", "ON", "OFF");
  chkShunt.designator = "SHUNT";
  optCalNorm = Part(PartKind::Switch, "Cal/Norm", "NORM", "CAL");
  optCalNorm.designator = "CAL/NORM";
  optCal1 = Part(PartKind::Switch, "Shunt Cal", "RUN", "CAL");
  optCal1.designator = "CAL1";
  optCal2 = Part(PartKind::Switch, "Test Points", "RUN", "CAL");
  optCal2.designator = "CAL2";
  fraMeters.caption = "Voltmeters";
  fraFaults.caption = "Faults";
  chkOffline.caption = "Unit &offline";
  for (std::string_view name : LibraryOperationNames()) cboFaultOperation.AddItem(std::string(name));
  cboFaultOperation.Select(static_cast<int>(
      std::find(cboFaultOperation.items.begin(), cboFaultOperation.items.end(), "acqAdcArm") -
      cboFaultOperation.items.begin()));
  txtFaultCode.text = "5";
  cmdFailNext.caption = "Fail &next call";
  cmdStallTransfer.caption = "&Stall next transfer";
  cmdClearFaults.caption = "C&lear faults";
}

void BenchForm::Load() {
  cboBenchChannel.Clear();
  for (const BenchChannel& c : rack_) {
    cboBenchChannel.AddItem(c.label + "   ch " + std::to_string(c.channel) + "   " +
                            std::string(CardModelName(c.card)));
  }
  chkOffline.checked = !bench_.IsOnline();
  Select(rack_.empty() ? -1 : 0);
  MeterTick();
}

void BenchForm::MeterTick() {
  if (chkFollowGrid.checked && gridChannel_) {
    const int wanted = gridChannel_();
    if (wanted != channel_) {
      const auto it = std::find_if(rack_.begin(), rack_.end(),
                                   [wanted](const BenchChannel& c) { return c.channel == wanted; });
      if (it != rack_.end()) Select(static_cast<int>(it - rack_.begin()));
    }
  }
  Refresh();
}

void BenchForm::BenchChannelClick() {
  chkFollowGrid.checked = false;
  Select(cboBenchChannel.listIndex);
}

void BenchForm::FollowGridClick() { MeterTick(); }

void BenchForm::Select(int index) {
  if (index < 0 || index >= static_cast<int>(rack_.size())) {
    channel_ = 0;
    cboBenchChannel.Select(-1);
  } else {
    cboBenchChannel.Select(index);
    channel_ = rack_[static_cast<std::size_t>(index)].channel;
  }
  shownTurns_.fill(-1.0);
  shownLoad_ = -1.0;
  Refresh();
}

DialControl& BenchForm::Dial(Trimpot trimpot) {
  switch (trimpot) {
    case Trimpot::Excitation: return dialExcitation;
    case Trimpot::Offset: return dialOffset;
    case Trimpot::InputGain: return dialInputGain;
    case Trimpot::ScaleGain: return dialScaleGain;
  }
  return dialExcitation;
}

CheckedTextBox& BenchForm::DialTurns(Trimpot trimpot) {
  switch (trimpot) {
    case Trimpot::Excitation: return txtExcitationTurns;
    case Trimpot::Offset: return txtOffsetTurns;
    case Trimpot::InputGain: return txtInputGainTurns;
    case Trimpot::ScaleGain: return txtScaleGainTurns;
  }
  return txtExcitationTurns;
}

std::vector<std::pair<std::string_view, PartControl*>> BenchForm::Parts() {
  return {{"optFilter", &optFilter},   {"chkFilterResistor", &chkFilterResistor},
          {"optCoupling", &optCoupling}, {"chkShunt", &chkShunt},
          {"optCalNorm", &optCalNorm}, {"optCal1", &optCal1},
          {"optCal2", &optCal2}};
}

void BenchForm::TurnDial(Trimpot trimpot, double turns) {
  if (channel_ == 0 || !std::isfinite(turns)) return;
  bench_.TurnTrimpot(channel_, trimpot, turns);
  Refresh();
}

void BenchForm::DialTurnsEntered(Trimpot trimpot) {
  if (channel_ == 0) return;
  CheckedTextBox& field = DialTurns(trimpot);
  const auto turns = NumberIn(field.text);
  if (!turns) {
    // The wiper stays; the text stays too, for the person to correct.
    field.refusal = std::string(kTurnsRefused);
    return;
  }
  bench_.SetTrimpot(channel_, trimpot, std::clamp(*turns, 0.0, kTrimpotTurns) / kTrimpotTurns);
  // The field shows where the wiper now stands, rounded as every position is.
  shownTurns_[static_cast<std::size_t>(trimpot)] = -1.0;
  Refresh();
}

void BenchForm::LoadEntered() {
  if (channel_ == 0) return;
  const auto load = NumberIn(txtLoad.text);
  if (!load) {
    // The load stays; the text stays too, for the person to correct.
    txtLoad.refusal = std::string(kLoadRefused);
    return;
  }
  bench_.SetLoad(channel_, std::clamp(*load, 0.0, kRatedLoad * kBenchMaxLoadShare));
  shownLoad_ = -1.0;
  Refresh();
}

void BenchForm::LoadSliderMoved() {
  if (channel_ == 0) return;
  bench_.SetLoad(channel_, std::clamp(sldLoad.value, sldLoad.minimum, sldLoad.maximum) / 10.0);
  Refresh();
}

void BenchForm::ZeroLoadClick() {
  if (channel_ == 0) return;
  bench_.SetLoad(channel_, 0.0);
  Refresh();
}

void BenchForm::PartClick(std::string_view name) {
  if (channel_ == 0) return;
  for (auto& [partName, part] : Parts()) {
    if (partName != name) continue;
    if (!part->visible || !part->enabled) return;
    const bool second = part->position == 0;  // the position it moves to
    if (part == &optFilter) {
      bench_.SetFilterJumper(channel_, second ? FilterJumper::Engaged : FilterJumper::Bypass);
    } else if (part == &chkFilterResistor) {
      bench_.SetFilterGainResistor(channel_, !second);
    } else if (part == &optCoupling) {
      bench_.SetCoupling(channel_, second ? Coupling::AC : Coupling::DC);
    } else if (part == &chkShunt) {
      bench_.SetShunt(channel_, !second);
    } else {
      const CalSwitch to = second ? CalSwitch::Cal : CalSwitch::Run;
      if (part == &optCalNorm) bench_.SetCalNorm(channel_, to);
      if (part == &optCal1) bench_.SetCal1(channel_, to);
      if (part == &optCal2) bench_.SetCal2(channel_, to);
    }
  }
  Refresh();
}

void BenchForm::OfflineClick() { bench_.SetOnline(!chkOffline.checked); }

void BenchForm::FailNextClick() {
  const auto number = NumberIn(txtFaultCode.text);
  const auto code = static_cast<AcqStatus>(number.value_or(0.0));
  if (!number || code != *number || code == kAcqOk ||
      !bench_.FailOperation(cboFaultOperation.text, code)) {
    lblFaultStatus.caption = "Give an operation and a code other than 0.";
    return;
  }
  lblFaultStatus.caption =
      "The next " + cboFaultOperation.text + " fails with code " + std::to_string(code) + ".";
}

void BenchForm::StallTransferClick() {
  bench_.SetTransferFault(TransferFault::Stall, 0);
  lblFaultStatus.caption = "The next transfer stalls.";
}

void BenchForm::ClearFaultsClick() {
  bench_.ClearFaults();
  lblFaultStatus.caption = "No faults ordered.";
}

void BenchForm::SetPartsFor(const SimChannel& ch) {
  const SimCardModel card = ch.card;
  const CardDesignators designators = DesignatorsOf(IsSgc10(card), ch.channel);
  chkFilterResistor.designator = designators.filterGainResistor;
  optFilter.designator = designators.filterJumper;
  optCoupling.designator = designators.couplingJumper;
  optFilter.position = Position(ch.filter == FilterJumper::Engaged);
  chkFilterResistor.position = Position(!ch.filterGainResistor);
  optCoupling.position = Position(ch.coupling == Coupling::AC);
  chkShunt.position = Position(!ch.benchShunt);
  optCalNorm.position = Position(ch.calNorm == CalSwitch::Cal);
  optCal1.position = Position(ch.cal1 == CalSwitch::Cal);
  optCal2.position = Position(ch.cal2 == CalSwitch::Cal);
  chkShunt.visible = card == SimCardModel::SGC10 || card == SimCardModel::SGC50;
  optCalNorm.visible = card == SimCardModel::SGC50A;
  optCal1.visible = optCal2.visible = card == SimCardModel::SGC50B;
}

void BenchForm::Refresh() {
  const auto ch = channel_ != 0 ? bench_.Channel(channel_) : std::nullopt;
  const auto back = channel_ != 0 ? bench_.Readback(channel_) : std::nullopt;
  const bool present = ch.has_value() && back.has_value();
  for (Trimpot t : kAllTrimpots) {
    DialControl& dial = Dial(t);
    CheckedTextBox& field = DialTurns(t);
    dial.enabled = field.enabled = present;
    if (!present) {
      dial.valueText.clear();
      field.text.clear();
      field.refusal.clear();
      continue;
    }
    const double position = ch->Position(t);
    dial.turns = position * kTrimpotTurns;
    dial.valueText = ValueText(t, TrimpotValue(ch->card, t, position));
    double& shown = shownTurns_[static_cast<std::size_t>(t)];
    if (shown != dial.turns) {
      field.text = Fixed(dial.turns, 3);
      field.refusal.clear();
      shown = dial.turns;
    }
  }
  txtLoad.enabled = sldLoad.enabled = cmdZeroLoad.enabled = present;
  for (auto& [name, part] : Parts()) part->enabled = present;
  if (!present) {
    txtLoad.text.clear();
    txtLoad.refusal.clear();
    lblVoltmeterExcitation.caption.clear();
    lblVoltmeterOutput.caption.clear();
    return;
  }
  ShowLoad(ch->load, ch->load != shownLoad_);
  SetPartsFor(*ch);
  lblVoltmeterExcitation.caption = Fixed(back->excitation, 4);
  lblVoltmeterOutput.caption = Fixed(back->outputVolts, 4);
}

void BenchForm::ShowLoad(double load, bool rewriteField) {
  sldLoad.value = static_cast<int>(std::lround(load * 10.0));
  if (rewriteField) {
    txtLoad.text = GeneralFormat(static_cast<float>(load));
    txtLoad.refusal.clear();
    shownLoad_ = load;
  }
}

}  // namespace vernium
