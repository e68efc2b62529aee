#pragma once
// Showing a text in a drop-down list: the text in its edit part and, when
// the list holds an entry spelled the same but for letter case (the grid's
// "Bypass" is the list's "ByPass"), that entry selected.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace vernium {

inline int MatchingEntry(const ComboBox& combo, std::string_view text) {
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      auto lower = [](char ch) {
        return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
      };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  };
  for (std::size_t i = 0; i < combo.items.size(); ++i) {
    if (same(combo.items[i], text)) return static_cast<int>(i);
  }
  return -1;
}

inline void ShowInCombo(ComboBox& combo, const std::string& text) {
  combo.listIndex = MatchingEntry(combo, text);
  combo.text = text;
}

}  // namespace vernium
