#include "calibration/numeric_fields.h"

#include "calibration/message_catalogue.h"
#include "calibration/single_precision.h"
#include "model/numeric_text.h"

namespace vernium {

bool KeyFilter(int keyCode, std::string_view text) {
  if (keyCode >= '0' && keyCode <= '9') return true;
  if (keyCode == kKeyBackspace) return true;
  if (keyCode == '.') return text.find('.') == std::string_view::npos;
  return false;
}

const NumericField* FindNumericField(std::string_view name) {
  for (const NumericField& field : kNumericFields) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

std::string RangeText(const NumericField& field, std::string_view units) {
  const std::string_view unit = field.unit.empty() ? units : field.unit;
  std::string text = GeneralFormat(field.lower) + " to " + GeneralFormat(field.upper);
  if (!unit.empty()) text += " " + std::string(unit);
  return text;
}

bool OutOfRange(const NumericField& field, std::string_view text) {
  return ValidateRange(text, field).outOfRange;
}

RangeCheck ValidateRange(std::string_view text, float upper, float lower) {
  // Compared in single precision, as the bounds are held.
  const float x = ToSingle(LeadingNumber(text));
  if (x < lower) return {true, GeneralFormat(lower), true};
  if (x <= upper) return {false, std::string(text), false};
  return {true, GeneralFormat(upper), true};
}

RangeCheck ValidateRange(std::string_view text, const NumericField& field) {
  return ValidateRange(text, field.upper, field.lower);
}

RangeCheck ValidateRange(MessageBoxes& boxes, std::string_view text, const NumericField& field) {
  RangeCheck check = ValidateRange(text, field);
  if (check.outOfRange) ShowMessage(boxes, kMsgOutOfRange);
  return check;
}

std::string UnitsRule(std::string_view text) {
  // Count characters, not bytes: a UTF-8 continuation byte (10xxxxxx) belongs
  // to the character before it.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0u) != 0x80u) {
      if (characters == kUnitsLength) return std::string(text.substr(0, i));
      ++characters;
    }
  }
  return std::string(text);
}

bool BreaksScalingRecord(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return c == ',' || c == '=' || byte < 0x20 || byte == 0x7F;
}

bool UnitsKeyFilter(int keyCode) {
  return keyCode == kKeyBackspace || keyCode > 0x7F || !BreaksScalingRecord(static_cast<char>(keyCode));
}

std::string WithoutRecordBreaks(std::string_view units) {
  std::string kept;
  for (char c : units) {
    if (!BreaksScalingRecord(c)) kept += c;
  }
  return kept;
}

}  // namespace vernium
