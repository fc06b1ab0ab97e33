#include "CliSignals.h"

#include <algorithm>
#include <csignal>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace lmx::cli {

struct SignalCleanup::State {
    std::mutex mutex;
    std::vector<std::string> paths;
};

namespace {

sigset_t EndingSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

SignalCleanup::SignalCleanup() : state_(std::make_shared<State>()) {
    // A reader that went away makes a write fail (EPIPE), reported as such, instead of killing
    // the program with its temporary files left behind.
    std::signal(SIGPIPE, SIG_IGN);
    const sigset_t set = EndingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([state = state_, set] {
        int sig = 0;
        while (sigwait(&set, &sig) != 0) {
        }
        // The lock is never given back: a rename or removal in progress ends first, and none
        // starts afterwards.
        state->mutex.lock();
        for (const std::string& p : state->paths) ::unlink(p.c_str());
        ::_exit(128 + sig);
    }).detach();
}

void SignalCleanup::TempCreated(const std::string& path) {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    state_->paths.push_back(path);
}

bool SignalCleanup::TempSettled(const std::string& path, const std::function<bool()>& step) {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    const bool ok = step();
    auto& paths = state_->paths;
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    return ok;
}

} // namespace lmx::cli
