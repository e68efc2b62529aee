#pragma once
// The "Simulated Bench" window: the technician's bench behind the simulated
// acquisition unit. For one card channel of the rack it shows the four
// multi-turn trimpots as dials, the load applied to the channel's load cell,
// the card's jumpers, filter-gain resistor, shunt and CAL switches as the
// card's own parts, and two bench voltmeters (excitation at the card's
// terminals, the card's output); a small panel orders faults from the unit.
//
// Every change goes straight to the SimulatedBench, under its lock, so the
// wizard and the diagnostics window, which read on their worker threads, see
// it at their next acquisition. Nothing here waits for a reading.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "simulator/simulated_bench.h"

namespace vernium {

class AcqLibObject;

// The bench of the library, when the library is the simulated unit.
SimulatedBench* BenchOf(AcqLibObject* library);

inline constexpr std::string_view kBenchCaption = "Simulated Bench";
// The highest load the slider and the field take, as a share of the load
// cell's rated load.
inline constexpr double kBenchMaxLoadShare = 1.2;
// Dial steps, in turns.
inline constexpr double kDialWheelStep = 0.05;  // a notch of the mouse wheel, an arrow key
inline constexpr double kDialFineStep = 0.005;  // an arrow key with Ctrl
// An arrow key with Alt: small enough to set the output to a fraction of a
// millivolt on the offset trimpot.
inline constexpr double kDialFinestStep = 0.0005;
inline constexpr double kDialPageStep = 1.0;    // Page Up/Down, a wheel notch with Shift
// How often the voltmeters read while the window shows.
inline constexpr int kBenchMeterIntervalMs = 80;

// A multi-turn trimpot: its position in turns from the low end of travel
// and the value that position gives.
struct DialControl : Control {
  std::string caption;    // "Excitation"
  std::string valueText;  // "4.2000 V", "x 234.00"
  double turns = 0.0;     // 0 .. kTrimpotTurns
};

// A dial's position or the load as typed. Text that is not a number is
// kept, marked refused, until a number is entered or the dial, the slider
// or the load moves it.
inline constexpr std::string_view kTurnsRefused = "Not a number of turns";
inline constexpr std::string_view kLoadRefused = "Not a load in sensor units";
struct CheckedTextBox : TextBox {
  std::string refusal;  // empty, or why the typed text was refused
};

// A part on the card with two positions: a jumper (three pins, the shunt
// over one pair), a switch, or a part that is fitted (position 0) or
// removed (position 1).
enum class PartKind { Jumper, Switch, Fitted };
struct PartControl : Control {
  PartKind kind = PartKind::Jumper;
  std::string caption;                   // what the part does: "Filter"
  std::string designator;                // as printed on the card: "JP504"
  std::array<std::string, 2> positions;  // the two positions' names
  int position = 0;                      // 0 or 1
};

struct SliderControl : Control {
  int minimum = 0;
  int maximum = 0;
  int value = 0;
};

// One line of the channel chooser.
struct BenchChannel {
  int channel = 0;  // expansion channel 16..271
  SimCardModel card = SimCardModel::None;
  std::string label;  // b-c-k on the rack
};

// The card channels of the rack, in channel order.
std::vector<BenchChannel> RackChannels();

class BenchForm {
 public:
  // `gridChannel` gives the expansion channel of the main grid's selected
  // row (0 when that row is no card channel); the chooser follows it until
  // the person picks a channel.
  BenchForm(SimulatedBench& bench, std::function<int()> gridChannel);

  // ---- controls ----
  std::string caption;
  Label lblBenchChannel;       // "Channel:"
  ComboBox cboBenchChannel;    // one entry per card channel of the rack
  CheckBox chkFollowGrid;      // follow the main window's selected channel
  Frame fraTrimpots;
  DialControl dialExcitation, dialOffset, dialInputGain, dialScaleGain;
  // The position of each dial as typed, turns from the low end.
  CheckedTextBox txtExcitationTurns, txtOffsetTurns, txtInputGainTurns, txtScaleGainTurns;
  Frame fraLoad;
  CheckedTextBox txtLoad;  // sensor units
  SliderControl sldLoad;  // tenths of a sensor unit
  Button cmdZeroLoad;
  Label lblLoadRange;  // "0 to 1200 (rated 1000)"
  Frame fraParts;
  PartControl optFilter, chkFilterResistor, optCoupling, chkShunt, optCalNorm, optCal1, optCal2;
  Frame fraMeters;
  Label lblVoltmeterExcitation, lblVoltmeterOutput;  // volts, 4 decimals
  Frame fraFaults;
  CheckBox chkOffline;
  ComboBox cboFaultOperation;  // the library operations
  TextBox txtFaultCode;
  Button cmdFailNext, cmdStallTransfer, cmdClearFaults;
  Label lblFaultStatus;

  // ---- handlers ----
  void Load();
  // The meters' timer: follows the grid, reads the bench and the meters.
  void MeterTick();
  void BenchChannelClick();  // after cboBenchChannel's list index changed
  void FollowGridClick();    // after chkFollowGrid was clicked
  // Turns a dial by a signed number of turns (drag, wheel, keys).
  void TurnDial(Trimpot trimpot, double turns);
  // Sets a dial to the position typed in its turns field (Enter, leaving it).
  void DialTurnsEntered(Trimpot trimpot);
  void LoadEntered();       // Enter in txtLoad, or leaving it
  void LoadSliderMoved();   // after sldLoad.value changed
  void ZeroLoadClick();
  void PartClick(std::string_view name);  // flips the part's position
  void OfflineClick();
  void FailNextClick();
  void StallTransferClick();
  void ClearFaultsClick();

  // The channel shown (0 when the rack has none).
  int Channel() const { return channel_; }
  DialControl& Dial(Trimpot trimpot);
  CheckedTextBox& DialTurns(Trimpot trimpot);
  // Parts by their control names, in display order.
  std::vector<std::pair<std::string_view, PartControl*>> Parts();

 private:
  void Select(int index);
  // Shows the channel's state: every dial, the load, the parts, the meters.
  // Typed fields are rewritten only when what they show has changed.
  void Refresh();
  void ShowLoad(double load, bool rewriteField);
  void SetPartsFor(const SimChannel& ch);

  SimulatedBench& bench_;
  std::function<int()> gridChannel_;
  std::vector<BenchChannel> rack_;
  int channel_ = 0;
  std::array<double, 4> shownTurns_{-1.0, -1.0, -1.0, -1.0};
  double shownLoad_ = -1.0;
};

}  // namespace vernium
