#include "storage/history_database.h"

#include <sqlite3.h>

#include <nlohmann/json.hpp>
#include <optional>

namespace vernium {
namespace {

using nlohmann::json;

// The schema, one step a version: step i brings a file at version i to
// version i + 1. The first kept the calibrations; the second added the
// checks with known loads and the sensor library.
constexpr const char* kMigrations[] = {
    "CREATE TABLE calibrations ("
    " id INTEGER PRIMARY KEY,"
    " kind TEXT NOT NULL,"
    " recorded_at TEXT NOT NULL,"
    " unit TEXT NOT NULL,"
    " channel INTEGER NOT NULL,"
    " channel_label TEXT NOT NULL,"
    " card_type TEXT NOT NULL,"
    " method TEXT NOT NULL,"
    " parameters TEXT NOT NULL,"
    " calc_input_gain REAL, calc_scale_gain REAL, calc_offset REAL,"
    " meas_input_gain REAL, meas_scale_gain REAL, meas_offset REAL, filter_gain INTEGER,"
    " m REAL, b REAL, line_m REAL, line_b REAL);"
    "CREATE INDEX calibrations_by_label ON calibrations(channel_label, recorded_at);",

    "ALTER TABLE calibrations ADD COLUMN points TEXT;"
    "ALTER TABLE calibrations ADD COLUMN fit TEXT;"
    "ALTER TABLE calibrations ADD COLUMN tolerance REAL;"
    "ALTER TABLE calibrations ADD COLUMN verdict TEXT;"
    "ALTER TABLE calibrations ADD COLUMN passed INTEGER;"
    "ALTER TABLE calibrations ADD COLUMN operator TEXT;"
    "ALTER TABLE calibrations ADD COLUMN certificate TEXT;"
    "CREATE TABLE sensors ("
    " name TEXT PRIMARY KEY,"
    " serial_number TEXT NOT NULL,"
    " excitation TEXT NOT NULL,"
    " sensitivity TEXT NOT NULL,"
    " full_load TEXT NOT NULL,"
    " units TEXT NOT NULL,"
    " shunt_cal_value TEXT NOT NULL);",
};
static_assert(std::size(kMigrations) == HistoryDatabase::kSchemaVersion);

// Waits this long for another writer (a second Vernium) to finish.
constexpr int kBusyTimeoutMs = 250;

// A prepared statement, finalized when it goes.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  bool Ready() const { return stmt_ != nullptr; }
  int Step() { return sqlite3_step(stmt_); }

  void Bind(int i, const std::string& text) {
    sqlite3_bind_text(stmt_, i, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  void Bind(int i, double value) { sqlite3_bind_double(stmt_, i, value); }
  void Bind(int i, int value) { sqlite3_bind_int(stmt_, i, value); }
  void Bind(int i, const std::optional<double>& value) {
    if (value)
      Bind(i, *value);
    else
      sqlite3_bind_null(stmt_, i);
  }

  std::string Text(int i) const {
    const auto* text = sqlite3_column_text(stmt_, i);
    return text != nullptr ? reinterpret_cast<const char*>(text) : std::string();
  }
  double Real(int i) const { return sqlite3_column_double(stmt_, i); }
  float Single(int i) const { return static_cast<float>(Real(i)); }
  int Int(int i) const { return sqlite3_column_int(stmt_, i); }
  std::int64_t Int64(int i) const { return sqlite3_column_int64(stmt_, i); }
  bool Null(int i) const { return sqlite3_column_type(stmt_, i) == SQLITE_NULL; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

json OptionalNumber(const std::optional<double>& value) {
  return value ? json(*value) : json(nullptr);
}
std::optional<double> OptionalNumber(const json& value) {
  if (!value.is_number()) return std::nullopt;
  return value.get<double>();
}

json Parameters(const ChannelConfig& r) {
  return {{"units", r.Units},
          {"excitation", r.Excitation},
          {"sensitivity", r.Sensitivity},
          {"full_load", r.FullLoad},
          {"max_load", r.MaxLoad},
          {"tare", r.Tare},
          {"pnt1_volts", r.Pnt1Volts},
          {"pnt1_value", r.Pnt1Value},
          {"pnt2_volts", r.Pnt2Volts},
          {"pnt2_value", r.Pnt2Value},
          {"shunt_cal_value", r.ShuntCalValue},
          {"dc_coupled", IsTrue(r.DCCoupled)},
          {"filter_on", IsTrue(r.FilterOn)},
          {"filter_option", r.FilterOption},
          {"gain_x2", IsTrue(r.GainX2)}};
}

void ReadParameters(const json& p, ChannelConfig& r) {
  auto single = [&p](const char* key, float fallback) {
    return p.contains(key) && p[key].is_number() ? p[key].get<float>() : fallback;
  };
  auto flag = [&p](const char* key, Bool16 fallback) {
    return p.contains(key) && p[key].is_boolean() ? ToBool16(p[key].get<bool>()) : fallback;
  };
  r.Units = p.value("units", r.Units);
  r.Excitation = single("excitation", r.Excitation);
  r.Sensitivity = single("sensitivity", r.Sensitivity);
  r.FullLoad = single("full_load", r.FullLoad);
  r.MaxLoad = single("max_load", r.MaxLoad);
  r.Tare = single("tare", r.Tare);
  r.Pnt1Volts = single("pnt1_volts", r.Pnt1Volts);
  r.Pnt1Value = single("pnt1_value", r.Pnt1Value);
  r.Pnt2Volts = single("pnt2_volts", r.Pnt2Volts);
  r.Pnt2Value = single("pnt2_value", r.Pnt2Value);
  r.ShuntCalValue = single("shunt_cal_value", r.ShuntCalValue);
  r.DCCoupled = flag("dc_coupled", r.DCCoupled);
  r.FilterOn = flag("filter_on", r.FilterOn);
  r.GainX2 = flag("gain_x2", r.GainX2);
  r.FilterOption = p.value("filter_option", r.FilterOption);
}

json Points(const std::vector<PointCheck>& points) {
  json out = json::array();
  for (const PointCheck& c : points) {
    out.push_back({{"applied", c.point.applied},
                   {"volts", c.point.volts},
                   {"railed", c.railed},
                   {"record_load", c.recordLoad},
                   {"record_error", c.recordError},
                   {"file_load", OptionalNumber(c.fileLoad)},
                   {"file_error", OptionalNumber(c.fileError)},
                   {"verified_load", OptionalNumber(c.verifiedLoad)},
                   {"verified_error", OptionalNumber(c.verifiedError)}});
  }
  return out;
}

std::vector<PointCheck> ReadPoints(const json& points) {
  std::vector<PointCheck> out;
  if (!points.is_array()) return out;
  for (const json& p : points) {
    PointCheck c;
    c.point.applied = p.value("applied", 0.0);
    c.point.volts = p.value("volts", 0.0);
    c.railed = p.value("railed", false);
    c.recordLoad = p.value("record_load", 0.0);
    c.recordError = p.value("record_error", 0.0);
    c.fileLoad = OptionalNumber(p.value("file_load", json()));
    c.fileError = OptionalNumber(p.value("file_error", json()));
    c.verifiedLoad = OptionalNumber(p.value("verified_load", json()));
    c.verifiedError = OptionalNumber(p.value("verified_error", json()));
    out.push_back(c);
  }
  return out;
}

json Fit(const HistoryEntry& e) {
  const VerifyResult& r = e.result;
  json fit = {{"linearity", r.linearityPercent},         {"zero_error", r.zeroErrorPercent},
              {"span_error", r.spanErrorPercent},        {"file_warning", r.fileWarning},
              {"ac_before", OptionalNumber(e.acBefore)}, {"ac_after", OptionalNumber(e.acAfter)}};
  if (r.verified) {
    fit["m"] = r.verified->m;
    fit["b"] = r.verified->b;
  }
  return fit;
}

void ReadFit(const json& fit, HistoryEntry& e) {
  if (!fit.is_object()) return;
  VerifyResult& r = e.result;
  r.linearityPercent = fit.value("linearity", 0.0);
  r.zeroErrorPercent = fit.value("zero_error", 0.0);
  r.spanErrorPercent = fit.value("span_error", 0.0);
  r.fileWarning = fit.value("file_warning", std::string());
  e.acBefore = OptionalNumber(fit.value("ac_before", json()));
  e.acAfter = OptionalNumber(fit.value("ac_after", json()));
  if (fit.contains("m") && fit.contains("b")) {
    r.verified = LoadLine{fit.value("m", 0.0), fit.value("b", 0.0)};
  }
}

json ParseOrNull(const std::string& text) {
  return json::parse(text, nullptr, /*allow_exceptions=*/false);
}

}  // namespace

HistoryDatabase::HistoryDatabase(std::filesystem::path file) : file_(std::move(file)) {}

HistoryDatabase::~HistoryDatabase() {
  Close();
}

void HistoryDatabase::Close() {
  if (db_ != nullptr) sqlite3_close_v2(db_);
  db_ = nullptr;
}

std::string HistoryDatabase::Error() const {
  return db_ != nullptr ? sqlite3_errmsg(db_) : "cannot open the file";
}

std::string HistoryDatabase::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return "";
  std::string reason = message != nullptr ? message : Error();
  sqlite3_free(message);
  return reason;
}

std::string HistoryDatabase::Open() {
  if (db_ != nullptr) return "";
  // The data folder is made with its first file; a folder that cannot be
  // made shows in the open's own reason.
  std::error_code ignored;
  std::filesystem::create_directories(file_.parent_path(), ignored);
  const int rc = sqlite3_open_v2(file_.string().c_str(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::string reason = rc == SQLITE_OK ? "" : Error();
  if (reason.empty()) {
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // journal_mode answers with a row; WAL once set stays with the file.
    reason = Exec("PRAGMA journal_mode=WAL");
  }
  if (reason.empty()) reason = Exec("PRAGMA synchronous=FULL");
  if (reason.empty()) reason = Migrate();
  if (!reason.empty()) Close();
  return reason;
}

int HistoryDatabase::SchemaVersion() {
  if (db_ == nullptr) return 0;
  Statement version(db_, "PRAGMA user_version");
  return version.Ready() && version.Step() == SQLITE_ROW ? version.Int(0) : 0;
}

std::string HistoryDatabase::Migrate() {
  Statement version(db_, "PRAGMA user_version");
  if (!version.Ready() || version.Step() != SQLITE_ROW) return Error();
  const int at = version.Int(0);
  if (at > kSchemaVersion) {
    return "it was written by a newer version of Vernium (history version " + std::to_string(at) +
           ")";
  }
  for (int step = at; step < kSchemaVersion; ++step) {
    // Each step and its version number commit together.
    std::string reason = Exec("BEGIN IMMEDIATE");
    if (reason.empty()) reason = Exec(kMigrations[step]);
    if (reason.empty()) {
      reason = Exec(("PRAGMA user_version=" + std::to_string(step + 1)).c_str());
    }
    if (reason.empty()) reason = Exec("COMMIT");
    if (!reason.empty()) {
      Exec("ROLLBACK");
      return reason;
    }
  }
  return "";
}

std::string HistoryDatabase::Append(HistoryEntry& e) {
  if (std::string reason = Open(); !reason.empty()) return reason;
  Statement insert(
      db_,
      "INSERT INTO calibrations (kind, recorded_at, unit, channel, channel_label, card_type,"
      " method, parameters, calc_input_gain, calc_scale_gain, calc_offset, meas_input_gain,"
      " meas_scale_gain, meas_offset, filter_gain, m, b, line_m, line_b, points, fit, tolerance,"
      " verdict, passed, operator, certificate)"
      " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
  if (!insert.Ready()) return Error();
  const bool check = e.IsVerification();
  const ChannelConfig& r = e.record;
  int i = 0;
  insert.Bind(++i, std::string(check ? "verification" : "calibration"));
  insert.Bind(++i, e.recordedAt);
  insert.Bind(++i, e.unit);
  insert.Bind(++i, e.channel);
  insert.Bind(++i, r.ChannelLabel);
  insert.Bind(++i, r.CardType);
  insert.Bind(++i, e.method);
  insert.Bind(++i, Parameters(r).dump());
  for (float value : {e.calc.InputGain, e.calc.ScalingGain, e.calc.Offset, e.actual.InputGain,
                      e.actual.ScalingGain, e.actual.Offset}) {
    insert.Bind(++i, static_cast<double>(value));
  }
  insert.Bind(++i, static_cast<int>(e.actual.FilterGain));
  insert.Bind(++i, static_cast<double>(r.M));
  insert.Bind(++i, static_cast<double>(r.B));
  insert.Bind(++i, e.scalingLine ? std::optional<double>(e.scalingLine->m) : std::nullopt);
  insert.Bind(++i, e.scalingLine ? std::optional<double>(e.scalingLine->b) : std::nullopt);
  insert.Bind(++i, check ? Points(e.result.points).dump() : std::string());
  insert.Bind(++i, check ? Fit(e).dump() : std::string());
  insert.Bind(++i, e.tolerancePercent);
  insert.Bind(++i, e.result.verdict);
  insert.Bind(++i, e.result.passed ? 1 : 0);
  insert.Bind(++i, e.operatorName);
  insert.Bind(++i, e.certificate);

  std::string reason = Exec("BEGIN IMMEDIATE");
  if (!reason.empty()) return reason;
  if (insert.Step() != SQLITE_DONE) {
    reason = Error();
    Exec("ROLLBACK");
    return reason;
  }
  const std::int64_t id = sqlite3_last_insert_rowid(db_);
  if (reason = Exec("COMMIT"); !reason.empty()) {
    Exec("ROLLBACK");
    return reason;
  }
  e.id = id;
  return "";
}

std::string HistoryDatabase::Entries(std::vector<HistoryEntry>& out) {
  out.clear();
  if (std::string reason = Open(); !reason.empty()) return reason;
  Statement select(
      db_,
      "SELECT id, kind, recorded_at, unit, channel, channel_label, card_type, method, parameters,"
      " calc_input_gain, calc_scale_gain, calc_offset, meas_input_gain, meas_scale_gain,"
      " meas_offset, filter_gain, m, b, line_m, line_b, points, fit, tolerance, verdict, passed,"
      " operator, certificate FROM calibrations ORDER BY id DESC");
  if (!select.Ready()) return Error();
  int rc = SQLITE_ROW;
  std::int64_t id = 0;
  // An entry whose stored parameters, points or fit are not what was written
  // (another program changed them) makes the history unusable, as a damaged
  // file does, rather than ending the program.
  try {
    while ((rc = select.Step()) == SQLITE_ROW) {
      HistoryEntry e;
      int i = 0;
      e.id = id = select.Int64(i++);
      e.kind =
          select.Text(i++) == "verification" ? HistoryKind::Verification : HistoryKind::Calibration;
      e.recordedAt = select.Text(i++);
      e.unit = select.Text(i++);
      e.channel = select.Int(i++);
      e.record.ChannelLabel = select.Text(i++);
      e.record.CardType = select.Text(i++);
      e.method = select.Text(i++);
      ReadParameters(ParseOrNull(select.Text(i++)), e.record);
      e.calc.InputGain = select.Single(i++);
      e.calc.ScalingGain = select.Single(i++);
      e.calc.Offset = select.Single(i++);
      e.actual.InputGain = select.Single(i++);
      e.actual.ScalingGain = select.Single(i++);
      e.actual.Offset = select.Single(i++);
      e.actual.FilterGain = static_cast<std::int16_t>(select.Int(i++));
      e.record.M = select.Single(i++);
      e.record.B = select.Single(i++);
      if (!select.Null(i) && !select.Null(i + 1)) {
        e.scalingLine = LoadLine{select.Real(i), select.Real(i + 1)};
      }
      i += 2;
      e.result.points = ReadPoints(ParseOrNull(select.Text(i++)));
      ReadFit(ParseOrNull(select.Text(i++)), e);
      e.tolerancePercent = select.Real(i++);
      e.result.verdict = select.Text(i++);
      e.result.passed = select.Int(i++) != 0;
      e.operatorName = select.Text(i++);
      e.certificate = select.Text(i++);
      out.push_back(std::move(e));
    }
  } catch (const json::exception& damaged) {
    out.clear();
    return "entry " + std::to_string(id) + " is damaged (" + damaged.what() + ")";
  }
  return rc == SQLITE_DONE ? "" : Error();
}

std::string HistoryDatabase::CertificateCount(int& count) {
  count = 0;
  if (std::string reason = Open(); !reason.empty()) return reason;
  Statement select(db_, "SELECT COUNT(*) FROM calibrations WHERE certificate <> ''");
  if (!select.Ready() || select.Step() != SQLITE_ROW) return Error();
  count = select.Int(0);
  return "";
}

std::string HistoryDatabase::Sensors(std::vector<Sensor>& out) {
  out.clear();
  if (std::string reason = Open(); !reason.empty()) return reason;
  Statement select(db_,
                   "SELECT name, serial_number, excitation, sensitivity, full_load, units,"
                   " shunt_cal_value FROM sensors ORDER BY name");
  if (!select.Ready()) return Error();
  int rc = SQLITE_ROW;
  while ((rc = select.Step()) == SQLITE_ROW) {
    out.push_back(Sensor{select.Text(0), select.Text(1), select.Text(2), select.Text(3),
                         select.Text(4), select.Text(5), select.Text(6)});
  }
  return rc == SQLITE_DONE ? "" : Error();
}

std::string HistoryDatabase::SaveSensor(const Sensor& s) {
  if (std::string reason = Open(); !reason.empty()) return reason;
  Statement save(db_,
                 "INSERT OR REPLACE INTO sensors (name, serial_number, excitation, sensitivity,"
                 " full_load, units, shunt_cal_value) VALUES (?,?,?,?,?,?,?)");
  if (!save.Ready()) return Error();
  int i = 0;
  for (const std::string* text : {&s.name, &s.serialNumber, &s.excitation, &s.sensitivity,
                                  &s.fullLoad, &s.units, &s.shuntCalValue}) {
    save.Bind(++i, *text);
  }
  return save.Step() == SQLITE_DONE ? "" : Error();
}

std::string HistoryDatabase::RemoveSensor(const std::string& name) {
  if (std::string reason = Open(); !reason.empty()) return reason;
  Statement remove(db_, "DELETE FROM sensors WHERE name = ?");
  if (!remove.Ready()) return Error();
  remove.Bind(1, name);
  return remove.Step() == SQLITE_DONE ? "" : Error();
}

}  // namespace vernium
