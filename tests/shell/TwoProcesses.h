#pragma once
// Runs the same work in two processes at once, for the files that several
// programs share (the run log, the serial counter).
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace quarvin::test {

// Runs work(0) and work(1) in two child processes; true when both exit with 0.
inline bool InTwoProcesses(const std::function<int(int worker)>& work) {
    pid_t children[2];
    for (int worker = 0; worker < 2; ++worker)
        if ((children[worker] = ::fork()) == 0) ::_exit(work(worker));
    bool bothDone = true;
    for (pid_t child : children) {
        int status = 0;
        bothDone = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                   WEXITSTATUS(status) == 0 && bothDone;
    }
    return bothDone;
}

} // namespace quarvin::test
