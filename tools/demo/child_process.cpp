#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace velmar::demo {

std::optional<Child> Spawn(const std::vector<std::string>& argv, bool captureOutput) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (captureOutput && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        if (captureOutput) {
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
        }
        return std::nullopt;
    }
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(1);
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (captureOutput)
            ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execvp(args[0], args.data());
        const char* why = ::strerror(errno);
        for (const char* part :
             {"velmar-demo: cannot start ", const_cast<const char*>(args[0]), ": ", why, "\n"})
            (void)!::write(STDERR_FILENO, part, std::strlen(part));
        ::_exit(127);
    }
    Child child{pid, -1};
    if (captureOutput) {
        ::close(pipeFds[1]);
        child.Output = pipeFds[0];
    }
    return child;
}

std::optional<std::string> ReadFirstLine(const Child& child, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    while (child.Output >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd wait{child.Output, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char c = 0;
        const ssize_t n = ::read(child.Output, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt; // it ended
        if (c == '\n')
            return line;
        line.push_back(c);
    }
    return std::nullopt;
}

std::optional<int> Reap(Child& child) {
    if (child.Pid < 0)
        return std::nullopt;
    int status = 0;
    if (::waitpid(child.Pid, &status, WNOHANG) != child.Pid)
        return std::nullopt;
    child.Pid = -1;
    if (child.Output >= 0)
        ::close(child.Output);
    child.Output = -1;
    return status;
}

int Stop(Child& child, std::chrono::milliseconds grace) {
    if (child.Pid < 0)
        return 0;
    ::kill(child.Pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + grace;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto status = Reap(child))
            return *status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(child.Pid, SIGKILL);
    int status = 0;
    while (::waitpid(child.Pid, &status, 0) < 0 && errno == EINTR) {
    }
    child.Pid = -1;
    if (child.Output >= 0)
        ::close(child.Output);
    child.Output = -1;
    return status;
}

} // namespace velmar::demo
