#include "shell/ui/main_window.h"

namespace vernium {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Main");
  setWindowTitle("Strain Gage Calibration");
  resize(640, 420);
}

}  // namespace vernium
