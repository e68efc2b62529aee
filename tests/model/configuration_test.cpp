#include "model/configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vernium {
namespace {

TEST(ChannelFromLabel, MapsLabelAndCardTypeToChannel) {
  struct Row {
    const char* label;
    std::string_view cardType;
    int channel;
  };
  const Row rows[] = {{"3-1-5", kSGC50A, 77},  {"3-1-1", kSGC10, 67},  {"2-1-0", kSGC10, 50},
                      {"2-1-0", kSGC50, 56},   {"0-0-0", kSGC50B, 16}, {"15-7-1", kSGC10, 271},
                      {"15-1-7", kSGC50, 271}, {"0", kNoCard, 31},     {"15", kNoCard, 271},
                      {"No Card", kNoCard, 0}, {"1-0-3", "other", 0}};
  for (const Row& r : rows) EXPECT_EQ(ChannelFromLabel(r.label, r.cardType), r.channel) << r.label;
}

TEST(IndexedTableDeathTest, IndexOutsideTheTableStopsTheProgram) {
  Configuration config;
  EXPECT_DEATH(config.Channels[15].M = 1.f, "invariant broken");
  EXPECT_DEATH(config.Channels[274].M = 1.f, "invariant broken");
  EXPECT_DEATH(config.Base[0].ChanLabel[16] = "x", "invariant broken");
  config.Channels[273].M = 1.f;  // the last record exists
  EXPECT_EQ(config.Channels[273].M, 1.f);
}

}  // namespace
}  // namespace vernium
