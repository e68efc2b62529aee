#include "storage/configuration_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>
#include <vector>

namespace vernium {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kFormatName = "vernium-configuration";
// Far larger than any configuration (about 300 kB with every channel in
// use); a larger file is not one.
constexpr std::uintmax_t kLargestFile = 16u << 20;

// Why a file's content cannot be taken; caught where the text is parsed.
struct Problem {
  std::string what;
};

// One field of a record, by its name in the model.
enum class Kind { Float, Flag, Int, Text, Bool };

template <class R>
struct Field {
  const char* name;
  Kind kind;
  float R::*f = nullptr;
  std::int16_t R::*i = nullptr;  // a flag (Bool16) or a 16-bit number
  std::string R::*s = nullptr;
  bool R::*b = nullptr;
};

template <class R>
Field<R> F(const char* name, float R::*m) {
  return {name, Kind::Float, m};
}
template <class R>
Field<R> F(const char* name, std::string R::*m) {
  return {name, Kind::Text, nullptr, nullptr, m};
}
template <class R>
Field<R> F(const char* name, bool R::*m) {
  return {name, Kind::Bool, nullptr, nullptr, nullptr, m};
}
template <class R>
Field<R> Flag(const char* name, std::int16_t R::*m) {
  return {name, Kind::Flag, nullptr, m};
}
template <class R>
Field<R> Int(const char* name, std::int16_t R::*m) {
  return {name, Kind::Int, nullptr, m};
}

const std::vector<Field<ChannelConfig>>& ChannelFields() {
  using C = ChannelConfig;
  static const std::vector<Field<C>> fields = {
      F("M", &C::M),
      F("B", &C::B),
      F("ChannelLabel", &C::ChannelLabel),
      F("FilterOption", &C::FilterOption),
      Flag("Active", &C::Active),
      F("Calibrated", &C::Calibrated),
      F("CardType", &C::CardType),
      F("Units", &C::Units),
      F("Excitation", &C::Excitation),
      F("Sensitivity", &C::Sensitivity),
      F("FullLoad", &C::FullLoad),
      F("MaxLoad", &C::MaxLoad),
      F("Tare", &C::Tare),
      Flag("FilterOn", &C::FilterOn),
      Flag("GainX2", &C::GainX2),
      Flag("DCCoupled", &C::DCCoupled),
      F("Pnt1Volts", &C::Pnt1Volts),
      F("Pnt1Value", &C::Pnt1Value),
      F("Pnt2Volts", &C::Pnt2Volts),
      F("Pnt2Value", &C::Pnt2Value),
      F("ShuntCalValue", &C::ShuntCalValue),
  };
  return fields;
}

const std::vector<Field<CalcSettings>>& CalcFields() {
  using C = CalcSettings;
  static const std::vector<Field<C>> fields = {
      F("InputGain", &C::InputGain), F("ScalingGain", &C::ScalingGain), F("Offset", &C::Offset)};
  return fields;
}

const std::vector<Field<ActualSettings>>& ActualFields() {
  using A = ActualSettings;
  static const std::vector<Field<A>> fields = {
      F("InputGain", &A::InputGain), F("ScalingGain", &A::ScalingGain), F("Offset", &A::Offset),
      Int("FilterGain", &A::FilterGain)};
  return fields;
}

const std::vector<Field<VerifiedLine>>& VerifiedFields() {
  using V = VerifiedLine;
  static const std::vector<Field<V>> fields = {F("passed", &V::passed), F("m", &V::m),
                                               F("b", &V::b), F("method", &V::method)};
  return fields;
}

using SlotsMember = SlotTexts BaseChannel::*;
struct SlotField {
  const char* name;
  SlotsMember member;
};
constexpr SlotField kSlotFields[] = {{"ChanLabel", &BaseChannel::ChanLabel},
                                     {"Filter", &BaseChannel::Filter},
                                     {"Coupling", &BaseChannel::Coupling},
                                     {"CalStatus", &BaseChannel::CalStatus},
                                     {"CardType", &BaseChannel::CardType}};

// ---- numbers ----

// A 32-bit value as the shortest decimal that reads back as the same float,
// so the file shows "0.002" where the record holds 0.002f. A value the JSON
// text cannot carry as a number is written as its name.
Json FloatValue(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  double shortest = 0.0;
  std::from_chars(text, end, shortest);
  if (static_cast<float>(shortest) != value) shortest = value;
  return shortest;
}

float ReadFloat(const Json& value, const std::string& where) {
  if (value.is_number()) {
    const double d = value.get<double>();
    constexpr double kLargest = std::numeric_limits<float>::max();
    // The largest float is written as its shortest text, 3.4028235e38,
    // which reads back a little above it.
    if (std::fabs(d) > kLargest) {
      if (std::fabs(d) <= 3.4028235e38) return static_cast<float>(std::copysign(kLargest, d));
      throw Problem{where + " is out of range"};
    }
    return static_cast<float>(d);
  }
  if (value == "NaN") return std::numeric_limits<float>::quiet_NaN();
  if (value == "Infinity") return std::numeric_limits<float>::infinity();
  if (value == "-Infinity") return -std::numeric_limits<float>::infinity();
  throw Problem{where + " is not a number"};
}

std::int16_t ReadInt16(const Json& value, const std::string& where) {
  if (!value.is_number_integer()) throw Problem{where + " is not a whole number"};
  const auto n = value.get<std::int64_t>();
  if (n < std::numeric_limits<std::int16_t>::min() ||
      n > std::numeric_limits<std::int16_t>::max()) {
    throw Problem{where + " is out of range"};
  }
  return static_cast<std::int16_t>(n);
}

const Json& Member(const Json& object, const char* name, const std::string& where) {
  const auto it = object.find(name);
  if (it == object.end()) throw Problem{where + " has no " + name};
  return *it;
}

// ---- records ----

template <class R>
Json RecordJson(const R& record, const std::vector<Field<R>>& fields) {
  Json out = Json::object();
  for (const Field<R>& field : fields) {
    switch (field.kind) {
      case Kind::Float:
        out[field.name] = FloatValue(record.*field.f);
        break;
      case Kind::Flag:
        out[field.name] = IsTrue(record.*field.i);
        break;
      case Kind::Int:
        out[field.name] = record.*field.i;
        break;
      case Kind::Text:
        out[field.name] = record.*field.s;
        break;
      case Kind::Bool:
        out[field.name] = record.*field.b;
        break;
    }
  }
  return out;
}

template <class R>
void ReadRecord(const Json& in, R& record, const std::vector<Field<R>>& fields,
                const std::string& where) {
  if (!in.is_object()) throw Problem{where + " is not a record"};
  for (const Field<R>& field : fields) {
    const Json& value = Member(in, field.name, where);
    const std::string what = where + " " + field.name;
    switch (field.kind) {
      case Kind::Float:
        record.*field.f = ReadFloat(value, what);
        break;
      case Kind::Int:
        record.*field.i = ReadInt16(value, what);
        break;
      case Kind::Flag:
      case Kind::Bool:
        if (!value.is_boolean()) throw Problem{what + " is neither true nor false"};
        if (field.kind == Kind::Flag) {
          record.*field.i = ToBool16(value.get<bool>());
        } else {
          record.*field.b = value.get<bool>();
        }
        break;
      case Kind::Text:
        if (!value.is_string()) throw Problem{what + " is not a text"};
        record.*field.s = value.get<std::string>();
        break;
    }
  }
}

template <class R>
bool SameRecord(const R& a, const R& b, const std::vector<Field<R>>& fields) {
  for (const Field<R>& field : fields) {
    switch (field.kind) {
      // Bit for bit, so that a value that is not a number still equals itself.
      case Kind::Float:
        if (std::bit_cast<std::uint32_t>(a.*field.f) != std::bit_cast<std::uint32_t>(b.*field.f)) {
          return false;
        }
        break;
      case Kind::Flag:
      case Kind::Int:
        if (a.*field.i != b.*field.i) return false;
        break;
      case Kind::Text:
        if (a.*field.s != b.*field.s) return false;
        break;
      case Kind::Bool:
        if (a.*field.b != b.*field.b) return false;
        break;
    }
  }
  return true;
}

bool SameBase(const BaseChannel& a, const BaseChannel& b) {
  if (a.Name != b.Name || a.ChanCount != b.ChanCount) return false;
  for (const SlotField& field : kSlotFields) {
    for (int s = 0; s < kSlots; ++s) {
      if ((a.*field.member)[s] != (b.*field.member)[s]) return false;
    }
  }
  return true;
}

Json BaseJson(const BaseChannel& base) {
  Json out = {{"Name", base.Name}, {"ChanCount", base.ChanCount}};
  for (const SlotField& field : kSlotFields) {
    Json texts = Json::array();
    for (const std::string& text : base.*field.member) texts.push_back(text);
    out[field.name] = std::move(texts);
  }
  return out;
}

std::string SlotLabel(int b, int slot, int perCard) {
  return std::to_string(b) + "-" + std::to_string(slot / perCard) + "-" +
         std::to_string(slot % perCard);
}

// The listed slots must be what the card panel makes: cards of one family,
// whole cards, each slot labelled by its place. The grid and every window
// work the channel numbers out of these labels.
void CheckListedSlots(const BaseChannel& base, int b, const std::string& where) {
  if (base.Name != std::to_string(b)) throw Problem{where + " has the wrong name"};
  if (base.ChanCount < 0 || base.ChanCount > kSlots) {
    throw Problem{where + " ChanCount is out of range"};
  }
  for (int s = base.ChanCount; s < kSlots; ++s) {
    if (base.CardType[s] != kNoCard) {
      throw Problem{where + " slot " + std::to_string(s) + " is not empty"};
    }
  }
  if (base.ChanCount == 0) return;
  const std::string& family = base.CardType[0];
  if (!IsCardType(family)) throw Problem{where + " lists an unknown card type"};
  const int perCard = family == kSGC10 ? 2 : 8;
  if (base.ChanCount % perCard != 0) throw Problem{where + " lists part of a card"};
  for (int s = 0; s < base.ChanCount; ++s) {
    const std::string& type = base.CardType[s];
    if (!IsCardType(type) || (type == kSGC10) != (family == kSGC10)) {
      throw Problem{where + " mixes card families"};
    }
    if (base.ChanLabel[s] != SlotLabel(b, s, perCard)) {
      throw Problem{where + " slot " + std::to_string(s) + " has the wrong label"};
    }
  }
}

void ReadBase(const Json& in, BaseChannel& base, int b) {
  const std::string where = "base channel " + std::to_string(b);
  if (!in.is_object()) throw Problem{where + " is not a record"};
  const Json& name = Member(in, "Name", where);
  if (!name.is_string()) throw Problem{where + " Name is not a text"};
  base.Name = name.get<std::string>();
  base.ChanCount = ReadInt16(Member(in, "ChanCount", where), where + " ChanCount");
  for (const SlotField& field : kSlotFields) {
    const Json& texts = Member(in, field.name, where);
    if (!texts.is_array() || texts.size() != static_cast<std::size_t>(kSlots)) {
      throw Problem{where + " " + field.name + " does not hold 16 texts"};
    }
    for (int s = 0; s < kSlots; ++s) {
      const Json& text = texts[static_cast<std::size_t>(s)];
      if (!text.is_string()) throw Problem{where + " " + field.name + " holds a non-text"};
      (base.*field.member)[s] = text.get<std::string>();
    }
  }
  CheckListedSlots(base, b, where);
}

ConfigurationDocument ReadDocument(const Json& root) {
  if (!root.is_object() || root.value("format", "") != kFormatName) {
    throw Problem{"it is not a Vernium configuration file"};
  }
  const Json& version = Member(root, "version", "the file");
  if (!version.is_number_integer() || version.get<std::int64_t>() < 1) {
    throw Problem{"its format version is damaged"};
  }
  if (version.get<std::int64_t>() > kConfigurationFormatVersion) {
    throw Problem{"it was saved by a newer version of Vernium (file format " +
                  std::to_string(version.get<std::int64_t>()) + "; this version reads format " +
                  std::to_string(kConfigurationFormatVersion) + " and older)"};
  }
  ConfigurationDocument doc;
  ConfigurationFacts& facts = doc.facts;
  const Json& unit = Member(root, "unit", "the file");
  const Json& verified = Member(root, "writeVerifiedScaling", "the file");
  if (!unit.is_string() || !verified.is_boolean()) throw Problem{"its options are damaged"};
  facts.unit = unit.get<std::string>();
  facts.writeVerified = verified.get<bool>();
  if (const auto it = root.find("sourceFile"); it != root.end() && it->is_string()) {
    facts.sourceFile = it->get<std::string>();
  }

  Configuration& c = doc.config;
  const Json& bases = Member(root, "baseChannels", "the file");
  if (!bases.is_array() || bases.size() != static_cast<std::size_t>(kBaseChannels)) {
    throw Problem{"it does not hold the 16 base channels"};
  }
  for (int b = 0; b < kBaseChannels; ++b)
    ReadBase(bases[static_cast<std::size_t>(b)], c.Base[b], b);

  const Json& channels = Member(root, "channels", "the file");
  constexpr int kCount = kLastChannel - kFirstChannel + 1;
  if (!channels.is_array() || channels.size() != static_cast<std::size_t>(kCount)) {
    throw Problem{"it does not hold the 256 channel records"};
  }
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    const Json& in = channels[static_cast<std::size_t>(n - kFirstChannel)];
    const std::string where = "channel " + std::to_string(n);
    if (!in.is_object() || in.value("channel", 0) != n) throw Problem{where + " is missing"};
    ReadRecord(in, c.Channels[n], ChannelFields(), where);
    ReadRecord(Member(in, "calculated", where), c.Calc[n], CalcFields(), where + " calculated");
    ReadRecord(Member(in, "actual", where), c.Actual[n], ActualFields(), where + " actual");
    ReadRecord(Member(in, "verified", where), c.Verified[n], VerifiedFields(), where + " verified");
  }

  const Json& selection = Member(root, "selection", "the file");
  if (!selection.is_object()) throw Problem{"its selection is damaged"};
  c.CurrentChannel =
      ReadInt16(Member(selection, "CurrentChannel", "the selection"), "CurrentChannel");
  c.CurrentRow = ReadInt16(Member(selection, "CurrentRow", "the selection"), "CurrentRow");
  c.CurrentCol = ReadInt16(Member(selection, "CurrentCol", "the selection"), "CurrentCol");
  const Json& noCards = Member(selection, "NoCardsFlag", "the selection");
  if (!noCards.is_boolean()) throw Problem{"its selection is damaged"};
  c.NoCardsFlag = ToBool16(noCards.get<bool>());
  ClampCurrentChannel(c);
  if (c.CurrentRow < 1) c.CurrentRow = 1;
  if (c.CurrentCol < 1 || c.CurrentCol > 5) c.CurrentCol = 1;
  return doc;
}

}  // namespace

std::string ConfigurationText(const Configuration& c, const ConfigurationFacts& facts) {
  Json root = {{"format", kFormatName},
               {"version", kConfigurationFormatVersion},
               {"unit", facts.unit},
               {"writeVerifiedScaling", facts.writeVerified}};
  if (!facts.sourceFile.empty()) root["sourceFile"] = facts.sourceFile;
  root["selection"] = {{"CurrentChannel", c.CurrentChannel},
                       {"CurrentRow", c.CurrentRow},
                       {"CurrentCol", c.CurrentCol},
                       {"NoCardsFlag", IsTrue(c.NoCardsFlag)}};
  Json bases = Json::array();
  for (const BaseChannel& base : c.Base) bases.push_back(BaseJson(base));
  root["baseChannels"] = std::move(bases);
  Json channels = Json::array();
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    Json record = {{"channel", n}};
    record.update(RecordJson(c.Channels[n], ChannelFields()));
    record["calculated"] = RecordJson(c.Calc[n], CalcFields());
    record["actual"] = RecordJson(c.Actual[n], ActualFields());
    record["verified"] = RecordJson(c.Verified[n], VerifiedFields());
    channels.push_back(std::move(record));
  }
  root["channels"] = std::move(channels);
  return root.dump(1) + "\n";
}

ReadConfiguration ParseConfigurationText(std::string_view text) {
  ReadConfiguration result;
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& e) {
    const bool cutShort = std::string_view(e.what()).find("end of input") != std::string_view::npos;
    result.problem = cutShort
                         ? "it ends too soon, after " + std::to_string(text.size()) +
                               " bytes: it has been cut short"
                         : "it is damaged: its text is malformed at byte " + std::to_string(e.byte);
    return result;
  }
  try {
    result.document = ReadDocument(root);
  } catch (const Problem& p) {
    result.problem = p.what;
  } catch (const Json::exception&) {
    result.problem = "it is damaged: an entry has the wrong kind of value";
  }
  return result;
}

ReadConfiguration ReadConfigurationFile(const std::filesystem::path& file) {
  ReadConfiguration result;
  std::error_code failed;
  if (!std::filesystem::exists(file, failed)) {
    result.problem = "there is no such file";
    return result;
  }
  if (!std::filesystem::is_regular_file(file, failed)) {
    result.problem = "it is not a file";
    return result;
  }
  if (std::filesystem::file_size(file, failed) > kLargestFile) {
    result.problem = "it is far too large to be a configuration";
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in) {
    result.problem = "it cannot be read";
    return result;
  }
  return ParseConfigurationText(text.str());
}

std::string WriteFileAtomically(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::path temporary = file;
  temporary += ".saving";
  // The new file keeps the old one's permissions.
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(file.c_str(), &old) == 0) mode = old.st_mode & 07777;
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return "a file cannot be made in its folder";
  auto abandon = [&temporary, fd](const char* why) {
    ::close(fd);
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return std::string(why);
  };
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return abandon("the file could not be written whole (is the disk full?)");
    done += static_cast<std::size_t>(n);
  }
  // On the disk before it takes the old file's place, so that a power cut
  // leaves the old file or the new one, never an empty one.
  if (::fsync(fd) != 0) return abandon("the file could not be written to the disk");
  if (::close(fd) != 0) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return "the file could not be written to the disk";
  }
  std::error_code failed;
  std::filesystem::rename(temporary, file, failed);
  if (failed) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return failed.message();
  }
  // The rename itself is kept by syncing the folder that holds it.
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

bool SameContent(const Configuration& a, const Configuration& b) {
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    if (!SameRecord(a.Channels[n], b.Channels[n], ChannelFields()) ||
        !SameRecord(a.Calc[n], b.Calc[n], CalcFields()) ||
        !SameRecord(a.Actual[n], b.Actual[n], ActualFields()) ||
        !SameRecord(a.Verified[n], b.Verified[n], VerifiedFields())) {
      return false;
    }
  }
  for (int i = 0; i < kBaseChannels; ++i) {
    if (!SameBase(a.Base[i], b.Base[i])) return false;
  }
  return true;
}

void TakeContent(Configuration& to, const Configuration& from) {
  to.Channels = from.Channels;
  to.Calc = from.Calc;
  to.Actual = from.Actual;
  to.Verified = from.Verified;
  to.Base = from.Base;
  to.CurrentChannel = from.CurrentChannel;
  to.CurrentRow = from.CurrentRow;
  to.CurrentCol = from.CurrentCol;
  to.NoCardsFlag = from.NoCardsFlag;
}

}  // namespace vernium
