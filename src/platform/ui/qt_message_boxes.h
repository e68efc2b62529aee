#pragma once
// Message boxes shown with QMessageBox, modal to the active window.

#include "platform/message_boxes.h"

class QWidget;

namespace vernium {

class QtMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                 MsgButtons buttons) override;
};

}  // namespace vernium
