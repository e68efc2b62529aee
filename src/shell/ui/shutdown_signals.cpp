#include "shell/ui/shutdown_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vernium::qtui {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The pipe the handler writes to: [0] read by the notifier, [1] written by
// the handler. One pair for the process, as signal handlers are.
int g_pipe[2] = {-1, -1};

extern "C" void OnShutdownSignal(int /*signal*/) {
  const char byte = 1;
  // Nothing else is safe in a signal handler; a full pipe already holds a
  // shut-down request.
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

ShutdownSignals::ShutdownSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) return;
  ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  struct sigaction action {};
  action.sa_handler = OnShutdownSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
  notifier_.reset();
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
  for (int& end : g_pipe) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}

void ShutdownSignals::Watch(std::function<void()> shutDown) {
  if (g_pipe[0] < 0) return;
  shutDown_ = std::move(shutDown);
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Arrived(); });
}

void ShutdownSignals::Arrived() {
  char bytes[16];
  [[maybe_unused]] const ssize_t read = ::read(g_pipe[0], bytes, sizeof bytes);
  // Once is enough: a second signal during the shut-down changes nothing.
  notifier_->setEnabled(false);
  if (shutDown_) shutDown_();
}

}  // namespace vernium::qtui
