#include "cli/Interrupt.h"

#include <csignal>

#include "platform/OutputFile.h"

namespace tamvek::cli::interrupt {
namespace {

std::atomic<bool> cancelled{false};
std::atomic<int> which{0};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

extern "C" void onSignal(int signal) {
    if (cancelled.load()) {
        // The second one: no more waiting, and nothing half written stays.
        platform::removeUnfinishedFiles();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    which.store(signal);
    cancelled.store(true);
}

}  // namespace

void listen() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read that waits on a pipe (standard input) ends at once.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

const std::atomic<bool>& flag() {
    return cancelled;
}

bool heard() {
    return cancelled.load();
}

int exitStatus() {
    return 128 + which.load();
}

std::string message(const std::string& what) {
    const char* name = which.load() == SIGINT ? "Ctrl-C" : "SIGTERM";
    return std::string("tamvek-cli: abgebrochen (") + name + "): " + what;
}

}  // namespace tamvek::cli::interrupt
