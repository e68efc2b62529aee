#pragma once
// Modal message boxes: how Vernium tells the technician something or asks a
// question. Windows get one of these passed in; the Qt implementation shows a
// real box, the scripted one answers from a queue and records every box.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vernium {

enum class MsgIcon { None, Information, Critical, Exclamation, Question };
// SaveDiscardCancel is the desktop's question before unsaved changes would
// be lost.
enum class MsgButtons { OK, OKCancel, YesNo, SaveDiscardCancel };
enum class MsgAnswer { OK, Cancel, Yes, No, Save, Discard };

// The application title, shown on boxes that have no title of their own.
inline constexpr std::string_view kAppTitle = "Vernium";

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and blocks until it is closed; returns the button pressed.
  virtual MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                         MsgButtons buttons) = 0;
};

// One box as it was shown.
struct ShownMessage {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::OK;
};

// Answers boxes from a queue of scripted answers; with the queue empty it
// answers OK (or Yes, or Cancel to Save / Discard / Cancel) and notes that
// the box was unexpected.
class ScriptedMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                 MsgButtons buttons) override;

  void QueueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  int UnansweredCount() const { return unanswered_; }
  void Clear() {
    shown_.clear();
    answers_.clear();
    unanswered_ = 0;
  }

 private:
  std::vector<ShownMessage> shown_;
  std::deque<MsgAnswer> answers_;
  int unanswered_ = 0;
};

}  // namespace vernium
