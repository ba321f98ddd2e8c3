#include "platform/sim/fltk/private_display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace lyn::sim::fltk {
namespace {

constexpr int kReadyTimeoutMs = 10000;
constexpr auto kStopTimeout = std::chrono::seconds(3);

// Runs in the child: becomes the server, writing its display number to the
// descriptor named in its arguments once clients can connect. Only
// async-signal-safe calls here: the parent may have threads.
[[noreturn]] void ExecServer(const char* const* argv, pid_t parent) {
  // The server goes with this process, however it ends (a run ends with
  // _Exit, running no destructor); a parent already gone is not waited for.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(1);
  const int null = open("/dev/null", O_RDWR);
  dup2(null, STDIN_FILENO);
  dup2(null, STDOUT_FILENO);
  dup2(null, STDERR_FILENO);
  execvp(argv[0], const_cast<char* const*>(argv));
  _exit(127);
}

// Reads the display number the server writes when it is ready; empty when
// it exits or stays silent too long.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadyTimeoutMs);
  while (number.empty() || number.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
    char buffer[16];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return {};
    number.append(buffer, static_cast<std::size_t>(n));
  }
  number.pop_back();
  return number;
}

void Stop(pid_t server) {
  kill(server, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
  while (waitpid(server, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(server, SIGKILL);
      waitpid(server, nullptr, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

PrivateDisplay::PrivateDisplay(int width, int height) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) throw std::runtime_error("cannot start Xvfb: no pipe");
  const std::string fd = std::to_string(pipeFds[1]);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  // -noreset: a client that only checks the display opens and closes a
  // connection; a server resetting after it would refuse the next one.
  const char* const argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",  "0",
                              screen.c_str(), "-nolisten",  "tcp",      "-noreset", nullptr};
  const pid_t parent = getpid();
  server_ = fork();
  if (server_ == 0) {
    close(pipeFds[0]);
    ExecServer(argv, parent);
  }
  close(pipeFds[1]);
  const std::string number = server_ > 0 ? ReadDisplayNumber(pipeFds[0]) : std::string();
  close(pipeFds[0]);
  if (number.empty()) {
    if (server_ > 0) Stop(server_);
    throw std::runtime_error("cannot start Xvfb for a private display (is it installed?)");
  }
  name_ = ":" + number;
  if (const char* previous = std::getenv("DISPLAY")) previous_ = previous;
  setenv("DISPLAY", name_.c_str(), 1);
}

PrivateDisplay::~PrivateDisplay() {
  Stop(server_);
  if (previous_) {
    setenv("DISPLAY", previous_->c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}

std::optional<std::string> MissingDisplay() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return "no display";
  Display* display = XOpenDisplay(name);
  if (display == nullptr) return "cannot open display '" + std::string(name) + "'";
  XCloseDisplay(display);
  return std::nullopt;
}

}  // namespace lyn::sim::fltk
