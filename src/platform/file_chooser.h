#pragma once
// The desktop's file dialog, asked for the name of a file to open or to save
// as. Windows reach it through this interface; a scripted run answers it.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vernium {

enum class FileAction { Open, Save };

// What the dialog is asked: its caption, the kind of file it lists (a Qt
// style filter, "Vernium configuration (*.vernium)") and the name it offers
// first (a folder, a file name or a full path; may be empty).
struct FileQuestion {
  FileAction action = FileAction::Open;
  std::string caption;
  std::string filter;
  std::string suggested;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The file chosen, or nothing when the dialog was cancelled. A Save dialog
  // has already asked before replacing an existing file.
  virtual std::optional<std::string> Choose(const FileQuestion& question) = 0;
};

// Answers from a queue, in order, and keeps every question asked; with no
// answer queued a dialog is cancelled.
class QueuedFileChooser : public FileChooser {
 public:
  std::optional<std::string> Choose(const FileQuestion& question) override {
    asked_.push_back(question);
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }
  // Queues a file name, or a cancelled dialog (nothing).
  void Queue(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  std::vector<FileQuestion> TakeAsked() { return std::exchange(asked_, {}); }
  std::size_t QueuedAnswers() const { return answers_.size(); }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<FileQuestion> asked_;
};

}  // namespace vernium
