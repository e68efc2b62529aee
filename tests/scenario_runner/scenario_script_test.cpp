#include "scenario_runner/scenario_script.h"

#include <gtest/gtest.h>

namespace vernium::scenario {
namespace {

std::vector<std::string> Texts(const std::vector<Token>& tokens) {
  std::vector<std::string> out;
  for (const auto& t : tokens) out.push_back(t.text);
  return out;
}

TEST(Tokenize, SplitsWordsStringsAndComments) {
  std::string error;
  auto tokens = Tokenize(R"(  expect message "Allowed  only  eight(8)  SGC10 " title "Attention!" # note)",
                         &error);
  ASSERT_TRUE(tokens.has_value()) << error;
  EXPECT_EQ(Texts(*tokens), (std::vector<std::string>{"expect", "message",
                                                      "Allowed  only  eight(8)  SGC10 ", "title",
                                                      "Attention!"}));
  EXPECT_FALSE((*tokens)[1].quoted);
  EXPECT_TRUE((*tokens)[2].quoted);
}

TEST(Tokenize, UnderstandsEscapes) {
  auto tokens = Tokenize(R"(set txtUnits "a\r\nb \"q\" \\")", nullptr);
  ASSERT_TRUE(tokens.has_value());
  EXPECT_EQ((*tokens)[2].text, "a\r\nb \"q\" \\");
}

TEST(Tokenize, HashInsideAStringIsText) {
  auto tokens = Tokenize(R"(choose cboChannel "Channel #3" # comment)", nullptr);
  ASSERT_TRUE(tokens.has_value());
  ASSERT_EQ(tokens->size(), 3u);
  EXPECT_EQ((*tokens)[2].text, "Channel #3");
}

// The word right after `choose NAME` may be an entry's index, #INDEX; a "#"
// anywhere else still starts a comment.
TEST(Tokenize, ChooseTakesAHashWordAfterTheListNameAsTheIndex) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"choose cboCoupling #1", {"choose", "cboCoupling", "#1"}},
      {"choose cboFIlter #2 # the X2 entry", {"choose", "cboFIlter", "#2"}},
      {"choose cboCoupling # no index", {"choose", "cboCoupling"}},
      {"choose cboCoupling \"AC\" #1", {"choose", "cboCoupling", "AC"}},
      {"click cmdOK #1", {"click", "cmdOK"}},
      {"choose #1", {"choose"}}};
  for (const auto& [line, expected] : cases) {
    const auto tokens = Tokenize(line, nullptr);
    ASSERT_TRUE(tokens.has_value()) << line;
    EXPECT_EQ(Texts(*tokens), expected) << line;
  }
}

TEST(Tokenize, RefusesBrokenStrings) {
  for (const char* line : {R"(set x "open)", R"(set x "bad \q escape")", R"(set x "ends \)"}) {
    std::string error;
    EXPECT_FALSE(Tokenize(line, &error).has_value()) << line;
    EXPECT_FALSE(error.empty());
  }
}

TEST(ParseScript, KeepsLineNumbersAndReportsUnknownSteps) {
  const Script script = ParseScript(
      "# start-up\n"
      "click cmdAddCard\n"
      "\n"
      "frobnicate x\n"
      "expect grdChannel.rows == 23\n"
      "\"quoted\" verb\n");
  ASSERT_EQ(script.steps.size(), 2u);
  EXPECT_EQ(script.steps[0].line, 2);
  EXPECT_EQ(script.steps[0].source, "click cmdAddCard");
  EXPECT_EQ(script.steps[1].line, 5);
  ASSERT_EQ(script.errors.size(), 2u);
  EXPECT_EQ(script.errors[0].line, 4);
  EXPECT_EQ(script.errors[1].line, 6);
}

TEST(ParseScript, AddingACardIsTheFourStepsOfThePanel) {
  const Script script = ParseScript(
      "add SGC50A card at grdChannel[3,1]\n"
      "add SGC60 card at grdChannel[3,1]\n"
      "add SGC10 card\n");
  std::vector<std::string> steps;
  for (const Step& s : script.steps) steps.push_back(s.Verb() + " " + s.Arg(1));
  EXPECT_EQ(steps, (std::vector<std::string>{"click grdChannel[3,1]", "click cmdAddCard",
                                             "check ctCheck1(3)", "click cmdOK"}));
  EXPECT_EQ(script.steps.back().line, 1);
  ASSERT_EQ(script.errors.size(), 2u);
  EXPECT_EQ(script.errors[1].line, 3);
}

struct RefCase {
  const char* text;
  bool withProperty;
  const char* name;
  int row;  // -1 none
  int col;
  const char* property;
  friend std::ostream& operator<<(std::ostream& os, const RefCase& c) { return os << c.text; }
};

class ControlRefTest : public ::testing::TestWithParam<RefCase> {};

TEST_P(ControlRefTest, ReadsNameIndexCellAndProperty) {
  const auto& c = GetParam();
  const auto ref = ParseControlRef(c.text, c.withProperty);
  ASSERT_TRUE(ref.has_value());
  EXPECT_EQ(ref->name, c.name);
  EXPECT_EQ(ref->row.value_or(-1), c.row);
  EXPECT_EQ(ref->col.value_or(-1), c.col);
  EXPECT_EQ(ref->property, c.property);
}

INSTANTIATE_TEST_SUITE_P(
    Refs, ControlRefTest,
    ::testing::Values(RefCase{"cmdAddCard", false, "cmdAddCard", -1, -1, ""},
                      RefCase{"ctCheck1(2)", false, "ctCheck1(2)", -1, -1, ""},
                      RefCase{"grdChannel[3,2]", false, "grdChannel", 3, 2, ""},
                      RefCase{"grdChannel[ 12 , 5 ]", false, "grdChannel", 12, 5, ""},
                      RefCase{"cmdOK.enabled", true, "cmdOK", -1, -1, "enabled"},
                      RefCase{"lblOutVolts(3).text", true, "lblOutVolts(3)", -1, -1, "text"},
                      RefCase{"grdChannel.rows", true, "grdChannel", -1, -1, "rows"},
                      RefCase{"Command1(0)", true, "Command1(0)", -1, -1, ""}));

TEST(ControlRef, RefusesMalformedReferences) {
  for (const char* text : {"", "grdChannel[3]", "grdChannel[a,b]", "ctCheck1(x)", "bad-name",
                           "grdChannel[1,2"}) {
    EXPECT_FALSE(ParseControlRef(text, false).has_value()) << text;
  }
}

}  // namespace
}  // namespace vernium::scenario
