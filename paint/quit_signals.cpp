#include "paint/quit_signals.h"

#include <signal.h>

#include <initializer_list>

namespace paint {

namespace {

volatile sig_atomic_t signalled = 0;

void note(int) { signalled = 1; }

}  // namespace

void catchQuitSignals() {
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGHUP, SIGINT, SIGTERM}) sigaction(number, &action, nullptr);
}

bool quitSignalled() { return signalled != 0; }

}  // namespace paint
