#include "model/configuration.h"

#include <cstddef>
#include <string>

#include "model/numeric_text.h"

namespace vernium {

bool IsSgc50Family(std::string_view cardType) {
  return cardType == kSGC50 || cardType == kSGC50A || cardType == kSGC50B;
}

bool IsCardType(std::string_view cardType) {
  return cardType == kSGC10 || IsSgc50Family(cardType);
}

void InitTables(Configuration& config) {
  for (int b = 0; b < kBaseChannels; ++b) {
    BaseChannel& base = config.Base[b];
    base.Name = std::to_string(b);
    base.ChanCount = 0;
    for (int s = 0; s < kSlots; ++s) {
      base.ChanLabel[s] = kNoCard;
      base.Filter[s] = kFilterBypass;
      base.CalStatus[s] = "No";
      base.CardType[s] = kNoCard;
      base.Coupling[s] = kCouplingDC;
    }
  }
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    ChannelConfig& channel = config.Channels[n];
    channel.CardType = kNoCard;
    channel.Calibrated = "No";
    channel.ChannelLabel = kNoCard;
    config.Verified[n] = VerifiedLine{};
  }
}

void ResetChannel(Configuration& config, int chan, bool keepCardType) {
  ChannelConfig fresh;
  if (keepCardType) fresh.CardType = config.Channels[chan].CardType;
  config.Channels[chan] = fresh;
  config.Calc[chan] = CalcSettings{};
  config.Actual[chan] = ActualSettings{};
  config.Verified[chan] = VerifiedLine{};
}

std::int16_t ChannelFromLabel(std::string_view label, std::string_view cardType) {
  double parts[3] = {0.0, 0.0, 0.0};
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t dash = label.find('-', start);
    parts[i] = LeadingNumber(label.substr(start, dash == std::string_view::npos ? label.npos : dash - start));
    if (dash == std::string_view::npos) break;
    start = dash + 1;
  }
  const auto p0 = static_cast<int>(parts[0]);
  const auto p1 = static_cast<int>(parts[1]);
  const auto p2 = static_cast<int>(parts[2]);
  if (cardType == kSGC10) return static_cast<std::int16_t>(16 * p0 + 2 * p1 + p2 + 16);
  if (IsSgc50Family(cardType)) return static_cast<std::int16_t>(16 * p0 + 8 * p1 + p2 + 16);
  if (label.size() < 3) return static_cast<std::int16_t>((p0 + 1) * 16 + 15);
  return 0;
}

void ClampCurrentChannel(Configuration& config) {
  if (config.CurrentChannel < kFirstChannel || config.CurrentChannel > kLastChannel) {
    config.CurrentChannel = kFirstChannel;
  }
}

int BaseOfLabel(std::string_view label) {
  return static_cast<int>(LeadingNumber(label.substr(0, label.find('-'))));
}

ParameterFormTexts ParameterFormTextsFor(const ChannelConfig& channel) {
  ParameterFormTexts t;
  t.txtExcite = GeneralFormat(channel.Excitation);
  t.txtSense = GeneralFormat(channel.Sensitivity * 1000.0f);
  t.txtUnits = channel.Units;
  t.txtFullLoad = GeneralFormat(channel.FullLoad);
  t.txtMaxLoad = GeneralFormat(channel.MaxLoad);
  t.txtOffset = GeneralFormat(channel.Tare);
  t.txtPnt1mVolts = GeneralFormat(channel.Pnt1Volts * 1000.0f);
  t.txtPnt1Value = GeneralFormat(channel.Pnt1Value);
  t.txtPnt2mVolts = GeneralFormat(channel.Pnt2Volts * 1000.0f);
  t.txtPnt2Value = GeneralFormat(channel.Pnt2Value);
  t.txtShuntCalValue = GeneralFormat(channel.ShuntCalValue);
  return t;
}

}  // namespace vernium
