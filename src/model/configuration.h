#pragma once
// The configuration model: which cards sit on which base channel, every card
// channel's application parameters, the gains computed for it and the gains
// reached on the card. Built empty at start-up, lives in memory for the run.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/indexed_table.h"

namespace vernium {

// Booleans in the records are 16-bit integers: true is -1, false is 0, and
// any non-zero value reads as true.
using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue16 = -1;
inline constexpr Bool16 kFalse16 = 0;
constexpr Bool16 ToBool16(bool value) { return value ? kTrue16 : kFalse16; }
constexpr bool IsTrue(Bool16 value) { return value != 0; }

// Card type texts.
inline constexpr std::string_view kNoCard = "No Card";
inline constexpr std::string_view kSGC10 = "SGC10";
inline constexpr std::string_view kSGC50 = "SGC50";
inline constexpr std::string_view kSGC50A = "SGC50A";
inline constexpr std::string_view kSGC50B = "SGC50B";

// True for "SGC50", "SGC50A" and "SGC50B": eight channels a card.
bool IsSgc50Family(std::string_view cardType);
// True for any of the four card types (not "No Card" or other text).
bool IsCardType(std::string_view cardType);

// Filter option texts. The combo box spells the by-pass state "ByPass", the
// base-channel table and the grid "Bypass"; both mean by-pass.
inline constexpr std::string_view kFilterComboBypass = "ByPass";
inline constexpr std::string_view kFilterBypass = "Bypass";
inline constexpr std::string_view kFilterX1 = "On, optional gain X1";
inline constexpr std::string_view kFilterX2 = "On, standard gain X2";

inline constexpr std::string_view kCouplingDC = "DC";
inline constexpr std::string_view kCouplingAC = "AC";

// Expansion channels of the cards.
inline constexpr int kFirstChannel = 16;
inline constexpr int kLastChannel = 271;
inline constexpr int kBaseChannels = 16;
inline constexpr int kSlots = 16;

struct ChannelConfig {
  float M = 0.0f;
  float B = 0.0f;
  std::string ChannelLabel;
  std::string FilterOption;
  Bool16 Active = kFalse16;
  std::string Calibrated = "No";
  std::string CardType = std::string(kNoCard);
  std::string Units = "Pounds";
  float Excitation = 10.0f;
  float Sensitivity = 0.002f;
  float FullLoad = 1000.0f;
  float MaxLoad = 800.0f;
  float Tare = 65.0f;
  Bool16 FilterOn = kFalse16;
  Bool16 GainX2 = kTrue16;
  Bool16 DCCoupled = kTrue16;
  float Pnt1Volts = 0.0f;
  float Pnt1Value = 0.0f;
  float Pnt2Volts = 0.02f;
  float Pnt2Value = 1000.0f;
  float ShuntCalValue = 0.0f;
};

struct CalcSettings {
  float InputGain = 0.0f;
  float ScalingGain = 0.0f;
  float Offset = 0.0f;
};

struct ActualSettings {
  float InputGain = 0.0f;
  float ScalingGain = 0.0f;
  float Offset = 0.0f;
  std::int16_t FilterGain = 0;
};

// The line a passing check with known loads found for a channel: load =
// m x volts + b, in the channel's units. `passed` is cleared whenever the
// channel loses its calibration, so a recalibrated card is checked again
// before its verified line can be handed on.
// `method` names the way the channel was last calibrated ("Nameplate",
// "Two Point", "Shunt Cal"), for the certificate.
struct VerifiedLine {
  bool passed = false;
  float m = 0.0f;
  float b = 0.0f;
  std::string method;
};

using SlotTexts = IndexedTable<std::string, 0, kSlots - 1>;

struct BaseChannel {
  std::string Name;
  SlotTexts ChanLabel;
  SlotTexts Filter;
  SlotTexts Coupling;
  SlotTexts CalStatus;
  SlotTexts CardType;
  std::int16_t ChanCount = 0;
};

using ChannelTable = IndexedTable<ChannelConfig, 16, 273>;
using CalcTable = IndexedTable<CalcSettings, 16, 273>;
using ActualTable = IndexedTable<ActualSettings, 16, 273>;
using VerifiedTable = IndexedTable<VerifiedLine, 16, 273>;
using BaseTable = IndexedTable<BaseChannel, 0, kBaseChannels - 1>;

// The process-wide configuration: one object owned by the application shell
// and passed to whatever reads or writes it.
struct Configuration {
  ChannelTable Channels;
  CalcTable Calc;
  ActualTable Actual;
  VerifiedTable Verified;
  BaseTable Base;

  std::int16_t CurrentChannel = 16;
  std::int16_t CurrentRow = 1;
  std::int16_t CurrentCol = 1;
  std::int16_t GridRowCount = 0;
  Bool16 NoCardsFlag = kTrue16;
  Bool16 Reinitializing = kFalse16;
};

// Start-up initialisation of the base-channel and channel tables: every base
// channel empty, every channel "No Card", not calibrated.
void InitTables(Configuration& config);

// Restores one channel's record to its reset values (keeping its card type
// when asked) and zeroes its calculated and actual settings and its
// verified line.
void ResetChannel(Configuration& config, int chan, bool keepCardType);

// The expansion channel of a grid label b-c-k for a card type; a bare base
// channel label gives that base channel's last expansion channel; anything
// else gives 0.
std::int16_t ChannelFromLabel(std::string_view label, std::string_view cardType);

// Brings CurrentChannel back to 16 when it lies outside 16..271.
void ClampCurrentChannel(Configuration& config);

// The base channel a label names: its leading number up to the first "-".
int BaseOfLabel(std::string_view label);

// The eleven texts the application-parameter form shows for a channel.
struct ParameterFormTexts {
  std::string txtExcite;
  std::string txtSense;
  std::string txtUnits;
  std::string txtFullLoad;
  std::string txtMaxLoad;
  std::string txtOffset;
  std::string txtPnt1mVolts;
  std::string txtPnt1Value;
  std::string txtPnt2mVolts;
  std::string txtPnt2Value;
  std::string txtShuntCalValue;
};

ParameterFormTexts ParameterFormTextsFor(const ChannelConfig& channel);

}  // namespace vernium
