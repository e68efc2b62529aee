#pragma once
// Message boxes during a scenario: never shown on screen. Each box takes the
// answer the scenario queued with "answer"; a box with no answer queued is
// noted so the step that caused it fails, naming the box.

#include <deque>
#include <utility>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace vernium::scenario {

class ScenarioMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                 MsgButtons buttons) override {
    ShownMessage box{std::string(text), std::string(title), icon, buttons};
    shown_.push_back(box);
    if (answers_.empty()) {
      unexpected_.push_back(box);
      return buttons == MsgButtons::YesNo ? MsgAnswer::No
             : buttons == MsgButtons::OKCancel || buttons == MsgButtons::SaveDiscardCancel
                 ? MsgAnswer::Cancel
                 : MsgAnswer::OK;
    }
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  void Queue(MsgAnswer answer) { answers_.push_back(answer); }
  // Boxes shown since the last expectation about messages.
  std::vector<ShownMessage> TakeShown() { return std::exchange(shown_, {}); }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  std::vector<ShownMessage> TakeUnexpected() { return std::exchange(unexpected_, {}); }
  std::size_t QueuedAnswers() const { return answers_.size(); }
  void DropQueuedAnswers() { answers_.clear(); }

 private:
  std::vector<ShownMessage> shown_;
  std::vector<ShownMessage> unexpected_;
  std::deque<MsgAnswer> answers_;
};

}  // namespace vernium::scenario
