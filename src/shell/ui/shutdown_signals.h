#pragma once
// The desktop logging out (SIGTERM), the terminal Vernium was started from
// closing (SIGHUP) and Ctrl+C there (SIGINT) end the program through its
// normal shut-down, as File Exit does: the scaling file is written and the
// device closed. The signal handler only writes a byte to a pipe; a socket
// notifier on the pipe's other end runs the shut-down on the event loop.

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace vernium::qtui {

class ShutdownSignals : public QObject {
 public:
  // Catches the three signals from now on. A signal that comes before
  // Watch() waits in the pipe until then.
  ShutdownSignals();
  ~ShutdownSignals() override;
  ShutdownSignals(const ShutdownSignals&) = delete;
  ShutdownSignals& operator=(const ShutdownSignals&) = delete;

  // Runs `shutDown` on the event loop when one of the signals has come
  // (needs the application object).
  void Watch(std::function<void()> shutDown);

 private:
  void Arrived();

  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> shutDown_;
};

}  // namespace vernium::qtui
