#pragma once
// The main window "Main", caption "Strain Gage Calibration".

#include <QMainWindow>

namespace vernium {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace vernium
