#include "scenario_runner/scenario_script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace vernium::scenario {
namespace {

constexpr std::array<std::string_view, 22> kVerbs = {
    "click", "dblclick", "check", "uncheck", "choose", "type",   "set",   "key",
    "focus", "leave",    "menu",  "close",   "answer", "wait",   "expect", "bench",
    "technician", "adjust", "picture", "add",   "file",   "data"};

// The card panel's check boxes, in the order the panel lists the cards.
constexpr std::array<std::string_view, 4> kCardBoxes = {"SGC10", "SGC50", "SGC50A", "SGC50B"};

// `add TYPE card at ROW_CELL` is what a technician does to add one card:
// click the row, AddCard, tick the card's box, OK. It becomes those four
// steps, each reported on the line that asked for them.
std::optional<std::string> ExpandAddCard(const Step& step, std::vector<Step>& steps) {
  const auto box = std::find(kCardBoxes.begin(), kCardBoxes.end(), step.Arg(1));
  if (step.tokens.size() != 5 || box == kCardBoxes.end() || step.Arg(2) != "card" ||
      step.Arg(3) != "at") {
    return "add SGC10|SGC50|SGC50A|SGC50B card at grdChannel[ROW,COL]";
  }
  const std::string check = "ctCheck1(" + std::to_string(box - kCardBoxes.begin() + 1) + ")";
  for (const auto& [verb, control] : {std::pair<std::string, std::string>{"click", step.Arg(4)},
                                      {"click", "cmdAddCard"},
                                      {"check", check},
                                      {"click", "cmdOK"}}) {
    steps.push_back({step.line, step.source, {Token{verb, false}, Token{control, false}}});
  }
  return std::nullopt;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::optional<int> ToInt(std::string_view s) {
  int value = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return std::nullopt;
  return value;
}

// In `choose NAME #INDEX` the word right after the list's name is the index
// of an entry, not a comment.
bool StartsChooseIndex(const std::vector<Token>& tokens, std::string_view line, std::size_t i) {
  return tokens.size() == 2 && tokens[0] == Token{"choose", false} && !tokens[1].quoted &&
         i + 1 < line.size() && !std::isspace(static_cast<unsigned char>(line[i + 1]));
}

}  // namespace

std::optional<std::vector<Token>> Tokenize(std::string_view line, std::string* error) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '#' && !StartsChooseIndex(tokens, line, i)) {
      break;
    } else if (c == '"') {
      Token t{"", true};
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d != '\\') {
          t.text += d;
          continue;
        }
        if (i >= line.size()) break;
        const char e = line[i++];
        switch (e) {
          case 'r': t.text += '\r'; break;
          case 'n': t.text += '\n'; break;
          case '"': t.text += '"'; break;
          case '\\': t.text += '\\'; break;
          default:
            if (error) *error = std::string("unknown escape \\") + e;
            return std::nullopt;
        }
      }
      if (!closed) {
        if (error) *error = "unterminated string";
        return std::nullopt;
      }
      tokens.push_back(std::move(t));
    } else {
      Token t;
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) &&
             line[i] != '"') {
        t.text += line[i++];
      }
      tokens.push_back(std::move(t));
    }
  }
  return tokens;
}

Script ParseScript(std::string_view text) {
  Script script;
  int lineNo = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t end = text.find('\n', pos);
    const std::string_view raw =
        text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? text.size() + 1 : end + 1;
    ++lineNo;
    std::string error;
    auto tokens = Tokenize(raw, &error);
    if (!tokens) {
      script.errors.push_back({lineNo, error});
      continue;
    }
    if (tokens->empty()) continue;
    Step step{lineNo, std::string(Trim(raw)), std::move(*tokens)};
    if (step.tokens.front().quoted ||
        std::find(kVerbs.begin(), kVerbs.end(), step.Verb()) == kVerbs.end()) {
      script.errors.push_back({lineNo, "unknown step \"" + step.Verb() + "\""});
      continue;
    }
    if (step.Verb() == "add") {
      if (auto usage = ExpandAddCard(step, script.steps)) script.errors.push_back({lineNo, *usage});
      continue;
    }
    script.steps.push_back(std::move(step));
  }
  return script;
}

std::optional<ControlRef> ParseControlRef(std::string_view text, bool withProperty) {
  ControlRef ref;
  std::string_view rest = text;
  if (withProperty) {
    const auto dot = rest.rfind('.');
    const auto closing = rest.find_last_of(")]");
    if (dot != std::string_view::npos && (closing == std::string_view::npos || dot > closing)) {
      ref.property = std::string(rest.substr(dot + 1));
      rest = rest.substr(0, dot);
    }
  }
  if (rest.empty()) return std::nullopt;
  const auto bracket = rest.find('[');
  if (bracket != std::string_view::npos) {
    if (rest.back() != ']') return std::nullopt;
    const std::string_view inside = rest.substr(bracket + 1, rest.size() - bracket - 2);
    const auto comma = inside.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    ref.row = ToInt(Trim(inside.substr(0, comma)));
    ref.col = ToInt(Trim(inside.substr(comma + 1)));
    if (!ref.row || !ref.col) return std::nullopt;
    rest = rest.substr(0, bracket);
  } else if (const auto paren = rest.find('('); paren != std::string_view::npos) {
    if (rest.back() != ')' || !ToInt(rest.substr(paren + 1, rest.size() - paren - 2))) {
      return std::nullopt;
    }
  }
  for (char c : rest.substr(0, rest.find('('))) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return std::nullopt;
  }
  ref.name = std::string(rest);
  return ref;
}

}  // namespace vernium::scenario
