#pragma once
// The file dialog shown with QFileDialog, modal to the window in front and to
// no other, so that the bench beside it keeps taking input.

#include "platform/file_chooser.h"

namespace vernium {

class QtFileChooser : public FileChooser {
 public:
  std::optional<std::string> Choose(const FileQuestion& question) override;
};

}  // namespace vernium
