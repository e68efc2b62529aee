#pragma once
// A fixed-size table indexed from Lo to Hi inclusive, as the configuration
// tables are (channels 16..273, base channels 0..15). Every access is checked.

#include <array>
#include <cstddef>

#include "model/invariant.h"

namespace vernium {

template <class T, int Lo, int Hi>
class IndexedTable {
  static_assert(Hi >= Lo);

 public:
  static constexpr int kLow = Lo;
  static constexpr int kHigh = Hi;
  static constexpr std::size_t kSize = static_cast<std::size_t>(Hi - Lo + 1);

  static constexpr bool InBounds(int index) { return index >= Lo && index <= Hi; }

  T& operator[](int index) {
    VERNIUM_EXPECTS(InBounds(index));
    return items_[static_cast<std::size_t>(index - Lo)];
  }
  const T& operator[](int index) const {
    VERNIUM_EXPECTS(InBounds(index));
    return items_[static_cast<std::size_t>(index - Lo)];
  }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::array<T, kSize> items_{};
};

}  // namespace vernium
