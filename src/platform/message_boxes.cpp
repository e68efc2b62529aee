#include "platform/message_boxes.h"

namespace vernium {

MsgAnswer ScriptedMessageBoxes::Show(std::string_view text, std::string_view title, MsgIcon icon,
                                     MsgButtons buttons) {
  shown_.push_back({std::string(text), std::string(title), icon, buttons});
  if (answers_.empty()) {
    ++unanswered_;
    if (buttons == MsgButtons::SaveDiscardCancel) return MsgAnswer::Cancel;
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  const MsgAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace vernium
