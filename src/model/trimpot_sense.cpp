#include "model/trimpot_sense.h"

#include "model/configuration.h"

namespace vernium {

namespace {

constexpr TurnSense R = TurnSense::ClockwiseRaises;
constexpr TurnSense L = TurnSense::ClockwiseLowers;

struct CardSenses {
  std::string_view cardType;
  std::array<TurnSense, 4> byTrimpot;  // excitation, offset, input gain, scale gain
};

// Every card of the family has its trimpots wired the same way round.
constexpr std::array<CardSenses, 4> kSenses{{
    {kSGC10, {R, L, R, R}},
    {kSGC50, {R, L, R, R}},
    {kSGC50A, {R, L, R, R}},
    {kSGC50B, {R, L, R, R}},
}};

}  // namespace

TurnSense ClockwiseSense(std::string_view cardType, Trimpot trimpot) {
  for (const CardSenses& card : kSenses) {
    if (card.cardType == cardType) return card.byTrimpot[static_cast<std::size_t>(trimpot)];
  }
  return TurnSense::Unknown;
}

}  // namespace vernium
