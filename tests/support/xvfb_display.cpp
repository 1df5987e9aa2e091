// Starting and ending the test's Xvfb, and running helper programs (xdotool) against it.
#include "tests/support/xvfb_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace {

int spawn(const std::vector<std::string>& arguments, posix_spawn_file_actions_t* actions, pid_t* pid) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return posix_spawnp(pid, argv[0], actions, nullptr, argv.data(), environ);
}

}  // namespace

XvfbDisplay::~XvfbDisplay() {
  if (serverPid > 0) {
    kill(serverPid, SIGTERM);
    int status = 0;
    while (waitpid(serverPid, &status, 0) < 0 && errno == EINTR) {
    }
  }
}

std::string XvfbDisplay::Start(int width, int height, const std::vector<std::string>& options) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return std::string("pipe: ") + std::strerror(errno);

  // -displayfd: the server picks a free display number and writes it to the pipe when it is ready.
  // -noreset: without it the server resets (and centres the pointer) when its last client leaves.
  std::vector<std::string> arguments = {
      "Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-noreset", "-nolisten", "tcp",
      "-screen", "0", std::to_string(width) + "x" + std::to_string(height) + "x24"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawnError = spawn(arguments, &actions, &serverPid);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawnError != 0) {
    serverPid = -1;
    close(pipeFds[0]);
    return std::string("cannot start Xvfb: ") + std::strerror(spawnError);
  }

  std::string number;
  pollfd readable{pipeFds[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos) {
    if (poll(&readable, 1, 20000) <= 0) break;
    char buffer[16];
    const ssize_t count = read(pipeFds[0], buffer, sizeof buffer);
    if (count <= 0) break;
    number.append(buffer, static_cast<std::size_t>(count));
  }
  close(pipeFds[0]);
  if (number.empty() || number.find('\n') == std::string::npos) return "Xvfb did not report its display";
  displayName = ":" + number.substr(0, number.find('\n'));
  setenv("DISPLAY", displayName.c_str(), 1);
  return "";
}

int RunProgram(const std::vector<std::string>& arguments) {
  pid_t pid = -1;
  if (spawn(arguments, nullptr, &pid) != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
