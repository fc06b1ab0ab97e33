#pragma once
// SIGINT, SIGTERM and SIGHUP end lumivex-convert at once with 130, 143 or 129, after removing the
// temporary files it holds: a result, a --rejects file or a log never reaches its name half-made,
// and no source is touched afterwards.
#include "common/SystemPort.h"

#include <memory>
#include <string>

namespace lmx::cli {

// The real system, which also keeps the list of temporary files to remove.
class SignalCleanup final : public SystemPort {
public:
    // Blocks the three signals in the calling thread, and in every thread it starts later, and
    // waits for them on a thread of its own. To be made before any other thread.
    SignalCleanup();

    void TempCreated(const std::string& path) override;
    bool TempSettled(const std::string& path, const std::function<bool()>& step) override;

    struct State;

private:
    // Shared with the waiting thread, which may outlive this object by the time the program ends.
    std::shared_ptr<State> state_;
};

} // namespace lmx::cli
