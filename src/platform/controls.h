#pragma once
// The state of a window's controls, held by the window's form object in the
// core under the control's own name. The Qt window draws each widget from
// this state and forwards the widget's events to the form's handlers.

#include <string>
#include <vector>

#include "model/invariant.h"

namespace vernium {

struct Control {
  bool enabled = true;
  bool visible = true;
};

// Buttons, labels, frames and windows: a caption (with & marking the access
// key where the control has one).
struct Button : Control {
  std::string caption;
};
struct Label : Control {
  std::string caption;
};
struct Frame : Control {
  std::string caption;
};

struct CheckBox : Control {
  std::string caption;
  bool checked = false;
};

struct OptionButton : Control {
  std::string caption;
  bool value = false;  // on
};

struct TextBox : Control {
  std::string text;
  int selStart = 0;
  int selLength = 0;
};

// A drop-down list or list box: its entries, the selected index (-1 none)
// and, for a combo box, the text shown in its edit part.
struct ComboBox : Control {
  std::vector<std::string> items;
  int listIndex = -1;
  std::string text;

  void Clear() {
    items.clear();
    listIndex = -1;
    text.clear();
  }
  void AddItem(std::string item) { items.push_back(std::move(item)); }
  // Selects an entry and shows its text.
  void Select(int index) {
    VERNIUM_EXPECTS(index >= -1 && index < static_cast<int>(items.size()));
    listIndex = index;
    text = index >= 0 ? items[static_cast<std::size_t>(index)] : std::string();
  }
};
using ListBox = ComboBox;

struct MenuEntry : Control {
  std::string caption;
  std::string shortcut;  // "Ctrl+O" or empty
  bool checked = false;
  bool separator = false;
};

struct Picture : Control {
  int pictureIndex = 0;  // which picture it shows; 0 none
};

struct Timer {
  bool enabled = false;
  int intervalMs = 0;
};

// A grid of texts: row 0 is the header row, column 0 the header column.
struct Grid : Control {
  std::vector<std::vector<std::string>> cells;
  std::vector<int> colWidthsTwips;
  int row = 0;  // current cell
  int col = 0;
  int rowSel = 0;  // selection spans rows row..rowSel
  bool fontBold = false;

  int Rows() const { return static_cast<int>(cells.size()); }
  int Cols() const { return cells.empty() ? 0 : static_cast<int>(cells.front().size()); }
  void Resize(int rows, int cols) {
    VERNIUM_EXPECTS(rows >= 0 && cols >= 0);
    cells.resize(static_cast<std::size_t>(rows));
    for (auto& r : cells) r.resize(static_cast<std::size_t>(cols));
    colWidthsTwips.resize(static_cast<std::size_t>(cols), 0);
  }
  std::string& Cell(int r, int c) {
    VERNIUM_EXPECTS(r >= 0 && r < Rows() && c >= 0 && c < Cols());
    return cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  }
  const std::string& Cell(int r, int c) const {
    VERNIUM_EXPECTS(r >= 0 && r < Rows() && c >= 0 && c < Cols());
    return cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  }
};

}  // namespace vernium
