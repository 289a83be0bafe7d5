#pragma once
// A private X server for the tests that need a real window.
#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

inline const char* const xvfb = "/usr/bin/Xvfb";

// A private X server on a display number it picks itself, so that parallel
// runs never meet.
struct xserver {
    pid_t pid = -1;
    std::string display;
    bool start() {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            execl(xvfb, xvfb, "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                  (char*)nullptr);
            _exit(127);
        }
        close(fds[1]);
        // The number arrives, with a newline, once the server takes clients.
        std::string number;
        char c;
        pollfd p{fds[0], POLLIN, 0};
        while (poll(&p, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) return false;
        display = ":" + number;
        return true;
    }
    ~xserver() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};
