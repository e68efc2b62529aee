#pragma once
// Opening the real windows: each window is made by a factory registered for
// it, on first use, then run modally (exec) and hidden when it closes; it
// stays alive, hidden, until it is unloaded. A window nobody registered (one
// that does not exist yet) is not opened.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/windows.h"

namespace vernium::qtui {

class QtWindowOpener : public WindowOpener {
 public:
  using Factory = std::function<QDialog*()>;

  QtWindowOpener() = default;
  ~QtWindowOpener() override;
  QtWindowOpener(const QtWindowOpener&) = delete;
  QtWindowOpener& operator=(const QtWindowOpener&) = delete;

  // The factory makes the window with no parent of its own or with the
  // window it is opened from; the opener owns what it returns.
  void Register(WindowId id, Factory factory);
  bool IsRegistered(WindowId id) const { return factories_.count(id) != 0; }

  // Runs `standIn` the next time the window is to be shown modally; when it
  // returns true the window is not shown (what it was for is done).
  void StandInOnce(WindowId id, std::function<bool()> standIn);
  // The window opens modal to whichever window is in front when it is
  // shown: the modal window running last, else `fallback`.
  void OpenOverFront(WindowId id, QWidget* fallback) { overFront_[id] = fallback; }

  void ShowModal(WindowId id) override;
  void Show(WindowId id) override;
  void Hide(WindowId id) override;
  void Unload(WindowId id) override;
  // Rejects each window shown modally, the one in front first: each
  // window's reject is its Exit or Cancel. `onEnding` runs first.
  void EndModalWindows() override;
  void OnEndingModal(std::function<void()> onEnding) { onEnding_ = std::move(onEnding); }

  // Loads the window without showing it (made by its factory on first use);
  // nullptr when nobody registered it.
  QDialog* LoadHidden(WindowId id);
  // The window while it is loaded, else nullptr.
  QDialog* Loaded(WindowId id) const;

 private:
  std::map<WindowId, Factory> factories_;

  std::map<WindowId, QPointer<QDialog>> loaded_;
  std::map<WindowId, std::function<bool()>> standIns_;
  // The windows whose exec runs, the one in front last.
  std::vector<WindowId> running_;
  // Unloaded while their exec ran: deleted when it returns.
  std::vector<QDialog*> doomed_;
  std::function<void()> onEnding_;
  std::map<WindowId, QPointer<QWidget>> overFront_;
};

}  // namespace vernium::qtui
