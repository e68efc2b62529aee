#include "platform/ui/qt_window_opener.h"

#include <algorithm>

namespace vernium::qtui {

QtWindowOpener::~QtWindowOpener() {
  for (auto& [id, window] : loaded_) delete window.data();
}

void QtWindowOpener::Register(WindowId id, Factory factory) {
  factories_[id] = std::move(factory);
}

QDialog* QtWindowOpener::LoadHidden(WindowId id) {
  QDialog* window = Loaded(id);
  if (window == nullptr) {
    const auto factory = factories_.find(id);
    if (factory == factories_.end() || !factory->second) return nullptr;
    window = factory->second();
    if (window == nullptr) return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    loaded_[id] = window;
  }
  return window;
}

void QtWindowOpener::Show(WindowId id) {
  QDialog* window = LoadHidden(id);
  if (window == nullptr) return;
  window->setWindowModality(Qt::NonModal);
  window->show();
  window->raise();
  window->activateWindow();
}

void QtWindowOpener::StandInOnce(WindowId id, std::function<bool()> standIn) {
  standIns_[id] = std::move(standIn);
}

void QtWindowOpener::ShowModal(WindowId id) {
  if (const auto it = standIns_.find(id); it != standIns_.end()) {
    const auto standIn = std::move(it->second);
    standIns_.erase(it);
    if (standIn && standIn()) return;
  }
  QDialog* window = LoadHidden(id);
  if (window == nullptr) return;
  if (const auto over = overFront_.find(id); over != overFront_.end()) {
    QWidget* front = running_.empty() ? over->second.data() : Loaded(running_.back());
    if (front != nullptr && front != window && window->parentWidget() != front) {
      window->setParent(front, window->windowFlags());
    }
  }
  // Modal to the window it is opened over, not to the whole program, so that
  // other top-level windows (the simulated bench) stay usable beside it.
  window->setWindowModality(window->parentWidget() != nullptr ? Qt::WindowModal
                                                             : Qt::ApplicationModal);
  running_.push_back(id);
  window->exec();
  running_.erase(std::find(running_.rbegin(), running_.rend(), id).base() - 1);
  // Unloaded while it ran (the program ending under it): it goes now that
  // nothing on the stack uses it.
  if (const auto doomed = std::find(doomed_.begin(), doomed_.end(), window);
      doomed != doomed_.end()) {
    doomed_.erase(doomed);
    delete window;
    return;
  }
  window->hide();
}

void QtWindowOpener::EndModalWindows() {
  if (onEnding_) onEnding_();
  const std::vector<WindowId> running = running_;
  for (auto it = running.rbegin(); it != running.rend(); ++it) {
    if (QDialog* window = Loaded(*it)) window->reject();
  }
}

void QtWindowOpener::Hide(WindowId id) {
  if (QDialog* window = Loaded(id)) window->hide();
}

void QtWindowOpener::Unload(WindowId id) {
  const auto it = loaded_.find(id);
  if (it == loaded_.end()) return;
  QDialog* window = it->second.data();
  loaded_.erase(it);
  if (window == nullptr) return;
  window->hide();
  if (std::find(running_.begin(), running_.end(), id) != running_.end()) {
    doomed_.push_back(window);
    return;
  }
  delete window;
}

QDialog* QtWindowOpener::Loaded(WindowId id) const {
  const auto it = loaded_.find(id);
  return it == loaded_.end() ? nullptr : it->second.data();
}

}  // namespace vernium::qtui
