// An X server of its own for a test that opens real windows: Xvfb on a display it picks
// itself (-displayfd), stopped when the object goes.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

class Xvfb {
 public:
  // screen: width x height x depth of its one screen.
  explicit Xvfb(const char* screen = "640x480x24") {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0",
                          screen, "-nolisten",  "tcp",      nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    if (posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
      m_pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    // "N\n" once the server is ready, perhaps in two writes; the pipe stays open while the
    // server runs, since a write into a closed pipe would end it.
    m_pipe = fds[0];
    std::string number;
    char c;
    while (m_pid && read(m_pipe, &c, 1) == 1 && c != '\n') number += c;
    if (!number.empty()) m_display = ":" + number;
  }
  ~Xvfb() {
    close(m_pipe);
    if (!m_pid) return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
  const std::string& Name() const { return m_display; }

 private:
  pid_t m_pid = 0;
  int m_pipe = -1;
  std::string m_display;
};
