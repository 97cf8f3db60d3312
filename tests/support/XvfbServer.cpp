#include "support/XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace VEKTest {

XvfbServer::XvfbServer(const std::vector<std::string>& screens) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(fds[1])};
    for (std::size_t i = 0; i < screens.size(); ++i) {
        args.insert(args.end(), {"-screen", std::to_string(i), screens[i]});
    }
    args.insert(args.end(), {"+extension", "GLX", "+extension", "RANDR", "-nolisten", "tcp"});
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    close(fds[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd waiting{fds[0], POLLIN, 0};
    char c;
    while (pid_ > 0 && poll(&waiting, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) {
        name_ = ":" + number;
    }
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

}  // namespace VEKTest
