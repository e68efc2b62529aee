#pragma once
// Message boxes shown with QMessageBox, modal to the window that raised them
// and to no other.

#include <QPointer>
#include <vector>

#include "platform/message_boxes.h"

class QMessageBox;

namespace vernium {

class QtMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                 MsgButtons buttons) override;

  // As the program ends: the boxes open now close as if Esc were pressed,
  // and every box from now on takes that answer without showing (OK, Cancel,
  // or No), so that nothing waits for a person who is gone.
  void EndQuietly();

 private:
  bool quiet_ = false;
  std::vector<QPointer<QMessageBox>> open_;
};

}  // namespace vernium
