#pragma once
// Where the windows open. The first time, each opens where the technician
// can see it beside the others: the main window at the left of the screen,
// the wizard at the top right and the simulated bench at the bottom right,
// so that on a wide screen the three stand side by side; the other windows
// open over the window they come from. Each window's size and place are then
// kept when it closes and given back the next time it opens, in this run and
// the next (the desktop's settings store); a place on a screen no longer
// there is brought back onto the screen. A window shown is always brought
// wholly onto the screen, its title bar included.

#include <QObject>
#include <QPointer>
#include <QMap>
#include <QSettings>
#include <memory>

class QWidget;

namespace vernium::qtui {

class WindowPlaces : public QObject {
  Q_OBJECT
 public:
  // The sides of the screen a window opens against, the first time.
  enum class Corner { Unplaced, TopLeft, TopRight, BottomRight };

  WindowPlaces() = default;
  ~WindowPlaces() override;

  // Keeps the places between runs in `store`; without one nothing is kept
  // beyond this run (the windows open at their first places in each run).
  void UseStore(std::unique_ptr<QSettings> store) { store_ = std::move(store); }

  // The store of the desktop's settings for the user.
  static std::unique_ptr<QSettings> UserStore();

  // Places `window` (by its object name) each time it is shown.
  void Track(QWidget* window, Corner corner = Corner::Unplaced);
  // Keeps the places of the windows shown now (the program ends).
  void KeepAll();

  // Brings the whole of `window`, its frame too, onto its screen: moved in,
  // and made smaller, as far as it allows, when it is larger than the screen.
  static void KeepOnScreen(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Keep(QWidget* window);
  void Place(QWidget* window);

  std::unique_ptr<QSettings> store_;
  QList<QPointer<QWidget>> tracked_;
  QMap<QString, Corner> corners_;
  QMap<QString, QByteArray> kept_;  // when there is no store
};

}  // namespace vernium::qtui
