#pragma once
// Scenario files: plain text, one step per line, read like a technician's
// actions ("click cmdAddCard", "expect grdChannel.rows == 23"). This part
// only reads the text into steps; the runner carries them out.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vernium::scenario {

// One word of a step: a bare word or a double-quoted string (with \r, \n,
// \" and \\ escapes).
struct Token {
  std::string text;
  bool quoted = false;
  bool operator==(const Token&) const = default;
};

struct Step {
  int line = 0;          // 1-based line number in its file
  std::string source;    // the line as written, trimmed
  std::vector<Token> tokens;

  const std::string& Verb() const { return tokens.front().text; }
  // The i-th token's text, or empty when there is none.
  std::string Arg(std::size_t i) const { return i < tokens.size() ? tokens[i].text : std::string(); }
};

struct ParseError {
  int line = 0;
  std::string message;
};

struct Script {
  std::vector<Step> steps;
  std::vector<ParseError> errors;
};

// Splits one line into tokens; "#" outside a string starts a comment, except
// where it starts the word after `choose NAME` (the entry index, `#INDEX`).
// Returns nullopt with a message for an unterminated string or a bad escape.
std::optional<std::vector<Token>> Tokenize(std::string_view line, std::string* error);

// Reads a whole scenario; lines that cannot be read, or whose verb is not
// known, become errors (the runner fails the scenario on them).
Script ParseScript(std::string_view text);

// A control reference: name, name(index) or name[row,col], optionally
// followed by .prop (as in "lblOutVolts(2).text").
struct ControlRef {
  std::string name;           // e.g. "ctCheck1(2)" — the Qt object name
  std::optional<int> row;     // grid cell
  std::optional<int> col;
  std::string property;       // after the last '.', or empty
};

std::optional<ControlRef> ParseControlRef(std::string_view text, bool withProperty);

}  // namespace vernium::scenario
