#include "storage/history_form.h"

#include <algorithm>
#include <map>
#include <optional>

#include "model/numeric_text.h"
#include "platform/configuration_printer.h"
#include "platform/file_chooser.h"
#include "platform/message_boxes.h"
#include "storage/configuration_file.h"
#include "storage/history_keeper.h"
#include "storage/scales_export.h"

namespace vernium {
namespace {

std::string Number(double value) {
  return GeneralFormat(static_cast<float>(value));
}

std::string LineText(double m, double b) {
  return "m=" + Number(m) + ", b=" + Number(b);
}

std::string CheckSummary(const HistoryEntry& e) {
  std::string text = e.recordedAt.substr(0, 16) + ": " + e.result.verdict;
  if (e.result.verified) {
    text += ", zero error " + Signed(e.result.zeroErrorPercent, 2) + " %, span error " +
            Signed(e.result.spanErrorPercent, 2) + " % of span";
  }
  return text;
}

}  // namespace

std::vector<CheckPair> AsFoundAsLeft(const std::vector<HistoryEntry>& entries) {
  struct Channel {
    std::optional<std::size_t> lastCheck;  // since the last calibration
    std::optional<std::size_t> found;      // the check before that calibration
    std::optional<std::size_t> calibration;
    bool left = false;  // its as-left is taken
  };
  std::map<std::pair<std::string, std::string>, Channel> channels;  // by unit and label
  std::vector<CheckPair> pairs;
  for (std::size_t i = entries.size(); i-- > 0;) {  // oldest first
    const HistoryEntry& e = entries[i];
    Channel& c = channels[{e.unit, e.record.ChannelLabel}];
    if (e.IsVerification()) {
      if (c.calibration && c.found && !c.left) pairs.push_back({*c.found, *c.calibration, i});
      c.left = c.left || c.calibration.has_value();
      c.lastCheck = i;
    } else {
      // Calibrated again with no check between: the channel was last found
      // as the check before the first of them.
      if (c.lastCheck) c.found = c.lastCheck;
      c.calibration = i;
      c.left = false;
      c.lastCheck.reset();
    }
  }
  return pairs;
}

std::string HistoryCsv(const std::vector<const HistoryEntry*>& entries) {
  std::string out =
      "recorded_at,entry,unit,channel,card_type,method,units,excitation_V,sensitivity_mV_V,"
      "full_load,max_load,tare,point1_mV,point1_value,point2_mV,point2_value,shunt_cal_value,"
      "calc_input_gain,calc_scale_gain,calc_offset_V,meas_input_gain,meas_scale_gain,"
      "meas_offset_V,M,B,file_m,file_b,verified_m,verified_b,linearity_pct,zero_error_pct,"
      "span_error_pct,tolerance_pct,verdict,points,operator,certificate\r\n";
  for (const HistoryEntry* e : entries) {
    const ChannelConfig& r = e->record;
    const bool check = e->IsVerification();
    std::vector<std::string> f = {e->recordedAt,
                                  check ? "verification" : "calibration",
                                  e->unit,
                                  r.ChannelLabel,
                                  r.CardType,
                                  e->method,
                                  r.Units,
                                  Number(r.Excitation),
                                  Number(r.Sensitivity * 1000.0f),
                                  Number(r.FullLoad),
                                  Number(r.MaxLoad),
                                  Number(r.Tare),
                                  Number(r.Pnt1Volts * 1000.0f),
                                  Number(r.Pnt1Value),
                                  Number(r.Pnt2Volts * 1000.0f),
                                  Number(r.Pnt2Value),
                                  Number(r.ShuntCalValue),
                                  Number(e->calc.InputGain),
                                  Number(e->calc.ScalingGain),
                                  Number(e->calc.Offset),
                                  Number(e->actual.InputGain),
                                  Number(e->actual.ScalingGain),
                                  Number(e->actual.Offset),
                                  Number(r.M),
                                  Number(r.B)};
    f.push_back(e->scalingLine ? Number(e->scalingLine->m) : "");
    f.push_back(e->scalingLine ? Number(e->scalingLine->b) : "");
    const bool fit = check && e->result.verified.has_value();
    f.push_back(fit ? Number(e->result.verified->m) : "");
    f.push_back(fit ? Number(e->result.verified->b) : "");
    f.push_back(fit ? Fixed(e->result.linearityPercent, 3) : "");
    f.push_back(fit ? Fixed(e->result.zeroErrorPercent, 3) : "");
    f.push_back(fit ? Fixed(e->result.spanErrorPercent, 3) : "");
    f.push_back(check ? Fixed(e->tolerancePercent, 2) : "");
    f.push_back(check ? e->result.verdict : "");
    std::string points;
    for (const PointCheck& p : e->result.points) {
      points += (points.empty() ? "" : ";") + Number(p.point.applied) + "@" +
                FormatNumber(p.point.volts, "0.0000") + "V";
    }
    f.push_back(points);
    f.push_back(e->operatorName);
    f.push_back(e->certificate);
    for (std::size_t i = 0; i < f.size(); ++i) out += (i ? "," : "") + CsvField(f[i]);
    out += "\r\n";
  }
  return out;
}

HistoryForm::HistoryForm(HistoryKeeper& keeper, MessageBoxes& messages, FileChooser& files,
                         ConfigurationPrinter& printer)
    : keeper_(keeper), messages_(messages), files_(files), printer_(printer) {
  s_.lblChannelFilter.caption = "Channel:";
  s_.cmdReprint.caption = "&Reprint Certificate...";
  s_.cmdExport.caption = "&Export CSV...";
  s_.cmdClose.caption = "&Close";
  s_.grdHistory.Resize(1, kHistoryCols);
  s_.grdHistory.cells[0] = {"",        "Date and time", "Channel",     "Card",
                            "Entry",   "Method",        "Record M, B", "Verified m, b",
                            "Verdict", "Check",         "Certificate"};
  s_.grdHistory.colWidthsTwips = {400, 2200, 900, 1000, 1300, 1200, 2000, 2000, 1400, 1400, 2400};
}

void HistoryForm::Load() {
  closeRequested = false;
  entries_ = keeper_.Entries();
  pairs_ = AsFoundAsLeft(entries_);
  const std::string filter = s_.cboChannelFilter.text;
  // The labels in channel order, as the main window's grid lists them.
  std::map<int, std::string> labels;
  for (const HistoryEntry& e : entries_) labels.emplace(e.channel, e.record.ChannelLabel);
  ComboBox& combo = s_.cboChannelFilter;
  combo.Clear();
  combo.AddItem(std::string(kAllChannels));
  for (const auto& [channel, label] : labels) {
    if (std::find(combo.items.begin(), combo.items.end(), label) == combo.items.end()) {
      combo.AddItem(label);
    }
  }
  const auto kept = std::find(combo.items.begin(), combo.items.end(), filter);
  combo.Select(kept != combo.items.end() ? static_cast<int>(kept - combo.items.begin()) : 0);
  Fill();
}

void HistoryForm::ChannelFilterClick() {
  if (s_.cboChannelFilter.listIndex < 0) s_.cboChannelFilter.Select(0);
  s_.cboChannelFilter.Select(s_.cboChannelFilter.listIndex);
  Fill();
}

void HistoryForm::Fill() {
  const bool all = s_.cboChannelFilter.listIndex <= 0;
  listed_.clear();
  for (const HistoryEntry& e : entries_) {
    if (all || e.record.ChannelLabel == s_.cboChannelFilter.text) listed_.push_back(&e);
  }
  Grid& grid = s_.grdHistory;
  grid.Resize(static_cast<int>(listed_.size()) + 1, kHistoryCols);
  for (std::size_t i = 0; i < listed_.size(); ++i) {
    const HistoryEntry& e = *listed_[i];
    const auto index = static_cast<std::size_t>(&e - entries_.data());
    bool found = false, left = false;
    for (const CheckPair& p : pairs_) {
      found = found || p.asFound == index;
      left = left || p.asLeft == index;
    }
    const std::string role = left && found ? "as left / as found"
                             : left        ? "as left"
                             : found       ? "as found"
                                           : "";
    const bool fit = e.IsVerification() && e.result.verified.has_value();
    grid.cells[i + 1] = {std::to_string(i + 1),
                         e.recordedAt,
                         e.record.ChannelLabel,
                         e.record.CardType,
                         e.IsVerification() ? "Verification" : "Calibration",
                         e.method,
                         "M=" + Number(e.record.M) + ", B=" + Number(e.record.B),
                         fit ? LineText(e.result.verified->m, e.result.verified->b) : "",
                         e.IsVerification() ? e.result.verdict.substr(0, 4) : "",
                         role,
                         e.certificate};
  }
  grid.row = grid.rowSel = 0;
  ShowSelected();
}

void HistoryForm::GridClick(int row, int rowSel) {
  Grid& grid = s_.grdHistory;
  if (row < 1 || row >= grid.Rows()) row = rowSel = 0;
  grid.row = row;
  grid.rowSel = std::clamp(rowSel, row, std::max(row, grid.Rows() - 1));
  ShowSelected();
}

const HistoryEntry* HistoryForm::Selected() const {
  const int row = s_.grdHistory.row;
  if (row < 1 || row > static_cast<int>(listed_.size())) return nullptr;
  return listed_[static_cast<std::size_t>(row - 1)];
}

std::string HistoryForm::PairText(std::size_t index) const {
  for (const CheckPair& p : pairs_) {
    if (p.asFound != index && p.calibration != index && p.asLeft != index) continue;
    const HistoryEntry& cal = entries_[p.calibration];
    return "As found " + CheckSummary(entries_[p.asFound]) + "\nRecalibrated " +
           cal.recordedAt.substr(0, 16) + " (" + cal.method + "), M=" + Number(cal.record.M) +
           ", B=" + Number(cal.record.B) + "\nAs left " + CheckSummary(entries_[p.asLeft]);
  }
  return "";
}

void HistoryForm::ShowSelected() {
  const HistoryEntry* e = Selected();
  s_.cmdReprint.enabled = e != nullptr && e->IsVerification() && !e->certificate.empty() &&
                          e->result.verified.has_value();
  s_.cmdExport.enabled = !listed_.empty();
  if (e == nullptr) {
    s_.lblDetails.caption = !keeper_.HasFolder()
                                ? "There is no data folder for this run, so nothing is kept in the "
                                  "history (see --data-dir)."
                            : listed_.empty() ? "Nothing has been kept in the history yet."
                                              : "Select an entry to see it in full.";
    return;
  }
  const ChannelConfig& r = e->record;
  std::string text =
      (e->IsVerification() ? "Verification of " : "Calibration of ") + r.ChannelLabel + " (" +
      r.CardType + ") on " + e->recordedAt + (e->unit.empty() ? "" : ", unit " + e->unit) + "\n" +
      e->method + ": excitation " + Number(r.Excitation) + " V, tare " + Number(r.Tare) +
      " to maximum " + Number(r.MaxLoad) + " " + r.Units + "; input gain " +
      FormatNumber(e->actual.InputGain, "0.000") + " (calculated " +
      FormatNumber(e->calc.InputGain, "0.000") + "), scale gain " +
      FormatNumber(e->actual.ScalingGain, "0.000") + " (calculated " +
      FormatNumber(e->calc.ScalingGain, "0.000") + ")\n" + "Record M=" + Number(r.M) +
      ", B=" + Number(r.B) +
      (e->scalingLine ? "; scaling file " + LineText(e->scalingLine->m, e->scalingLine->b) : "");
  if (e->IsVerification()) {
    text += "\n" + e->result.verdict + " (" + std::to_string(e->result.points.size()) +
            " points, tolerance " + Fixed(e->tolerancePercent, 2) + " % of span" +
            (e->operatorName.empty() ? "" : ", operator " + e->operatorName) + ")";
  }
  if (const std::string pair = PairText(static_cast<std::size_t>(e - entries_.data()));
      !pair.empty()) {
    text += "\n\n" + pair;
  }
  s_.lblDetails.caption = text;
}

void HistoryForm::ReprintClick() {
  const HistoryEntry* e = Selected();
  if (e == nullptr || !s_.cmdReprint.enabled) return;
  printer_.PrintDocument(CertificateLines(*e),
                         "Calibration Certificate " + e->record.ChannelLabel + ".pdf");
}

void HistoryForm::ExportClick() {
  if (listed_.empty()) return;
  std::vector<const HistoryEntry*> chosen = listed_;
  const Grid& grid = s_.grdHistory;
  if (grid.row >= 1) {
    const auto first = static_cast<std::size_t>(grid.row - 1);
    const auto last = std::min(static_cast<std::size_t>(grid.rowSel), listed_.size());
    chosen.assign(listed_.begin() + static_cast<std::ptrdiff_t>(first),
                  listed_.begin() + static_cast<std::ptrdiff_t>(std::max(last, first + 1)));
  }
  const auto file = files_.Choose(FileQuestion{FileAction::Save, "Export Calibration History",
                                               "CSV files (*.csv)", "calibration-history.csv"});
  if (!file) return;
  std::filesystem::path path = *file;
  if (!path.has_extension()) path += ".csv";
  if (const std::string problem = WriteFileAtomically(path, HistoryCsv(chosen)); !problem.empty()) {
    messages_.Show(
        "The history cannot be written to \"" + path.filename().string() + "\": " + problem + ".",
        kHistoryTitle, MsgIcon::Exclamation, MsgButtons::OK);
  }
}

}  // namespace vernium
