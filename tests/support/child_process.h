// Runs a check in a child process, so that a check that never returns, uses
// too much memory or aborts fails that one test instead of the whole binary,
// and so that the child's own limits and peak memory can be set and read.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#endif

namespace easel_test {

// Whether memory limits and peak memory mean what they say in this build:
// not under AddressSanitizer (it reserves terabytes of address space and
// inflates resident memory) nor under Valgrind.
inline bool memoryIsMeasurable() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#endif
#endif
#ifdef RUNNING_ON_VALGRIND
    if (RUNNING_ON_VALGRIND) return false;
#endif
    return true;
}

// What became of the child.
struct ChildOutcome {
    bool exited = false;    // it returned from check (rather than being killed)
    bool passed = false;    // check returned true
    int signal = 0;         // the signal that ended it, if one did
    long peakGrowthKb = 0;  // its peak resident memory beyond what it started with
};

// Runs check() in a child that is killed after seconds (SIGALRM) and, when
// addressSpaceBytes > 0, may map no more than that beyond what it has.
inline ChildOutcome runInChild(const std::function<bool()>& check, unsigned seconds,
                               long long addressSpaceBytes = 0) {
    int pipeEnds[2] = {-1, -1};
    ChildOutcome outcome;
    if (pipe(pipeEnds) != 0) return outcome;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        alarm(seconds);
        if (addressSpaceBytes > 0) {
            long pages = 0;
            if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
                std::fclose(statm);
            }
            const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) +
                                 static_cast<rlim_t>(addressSpaceBytes);
            const rlimit r{limit, limit};
            setrlimit(RLIMIT_AS, &r);
        }
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const bool ok = check();
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        const long growth = after.ru_maxrss - before.ru_maxrss;
        (void)!write(pipeEnds[1], &growth, sizeof growth);
        _exit(ok ? 0 : 1);
    }
    close(pipeEnds[1]);
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    long growth = 0;
    if (read(pipeEnds[0], &growth, sizeof growth) == static_cast<ssize_t>(sizeof growth)) {
        outcome.peakGrowthKb = growth;
    }
    close(pipeEnds[0]);
    outcome.exited = pid > 0 && WIFEXITED(status);
    outcome.passed = outcome.exited && WEXITSTATUS(status) == 0;
    outcome.signal = pid > 0 && WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return outcome;
}

}  // namespace easel_test
