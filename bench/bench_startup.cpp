// Start-up time: from the launch of a fresh Vernium process until the device
// selection window is shown, on the simulated unit and the offscreen
// platform. The program launches itself ten times (each child starts the
// real windows and reports from the device window's show event, then quits)
// and prints the median:
//   startup_to_device_window_ms: N
// An optional argument gives another number of runs.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "simulator/simulated_unit.h"
#include "acquisition/ui/device_window.h"
#include "shell/ui/vernium_app.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--child";
constexpr char kShownLine[] = "shown\n";

// One start of the program: reports on stdout as the device selection
// window is shown, then ends at once (nothing is written, no device kept).
int RunChild(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vernium");
  vernium::SimulatedAcqLib unit;
  vernium::qtui::VerniumApp vernium(unit);
  vernium.OnDeviceWindowMade([](vernium::qtui::DeviceWindow& window) {
    QObject::connect(&window, &vernium::qtui::DeviceWindow::shown, &window, [] {
      const ssize_t written = ::write(STDOUT_FILENO, kShownLine, sizeof kShownLine - 1);
      std::_Exit(written == static_cast<ssize_t>(sizeof kShownLine - 1) ? 0 : 1);
    });
  });
  vernium.Start();
  std::fprintf(stderr, "bench_startup: the device selection window was never shown\n");
  return 1;
}

// Launches one child and returns the milliseconds until it reported, or a
// negative value when it failed.
double TimeOneStart(const std::string& self) {
  int out[2];
  if (::pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  std::vector<char> path(self.begin(), self.end());
  path.push_back('\0');
  std::vector<char> flag(kChildFlag, kChildFlag + std::strlen(kChildFlag) + 1);
  char* args[] = {path.data(), flag.data(), nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, path.data(), &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(out[0]);
    return -1;
  }
  std::string received;
  char buffer[64];
  while (received.find('\n') == std::string::npos) {
    const ssize_t n = ::read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    received.append(buffer, static_cast<std::size_t>(n));
  }
  const auto shown = std::chrono::steady_clock::now();
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (received != kShownLine || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(shown - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0) return RunChild(argc, argv);

  int runs = 10;
  if (argc > 1) runs = std::max(1, std::atoi(argv[1]));
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) {
    std::fprintf(stderr, "bench_startup: cannot find its own program file\n");
    return 1;
  }
  self[length] = '\0';

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = TimeOneStart(self);
    if (ms < 0) {
      std::fprintf(stderr, "bench_startup: run %d failed\n", i + 1);
      return 1;
    }
    std::fprintf(stderr, "run %d: %.1f ms\n", i + 1, ms);
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  const std::size_t mid = times.size() / 2;
  const double median = times.size() % 2 == 1 ? times[mid] : (times[mid - 1] + times[mid]) / 2.0;
  std::printf("startup_to_device_window_ms: %.0f\n", median);
  return 0;
}
