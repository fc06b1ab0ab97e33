#pragma once
// SIGINT, SIGTERM and SIGHUP end lumivex-convert at once with 130, 143 or 129, after removing the
// temporary files it holds: a result, a --rejects file or a log never reaches its name half-made,
// and no source is touched afterwards.
#include "common/UDurable.h"

#include <memory>
#include <string>

namespace lmx::cli {

class SignalCleanup final : public ITempFiles {
public:
    // Blocks the three signals in the calling thread, and in every thread it starts later, and
    // waits for them on a thread of its own. To be made before any other thread.
    SignalCleanup();

    void Add(const std::string& path) override;
    bool Settle(const std::string& path, const std::function<bool()>& step) override;

    struct State;

private:
    // Shared with the waiting thread, which may outlive this object by the time the program ends.
    std::shared_ptr<State> state_;
};

} // namespace lmx::cli
