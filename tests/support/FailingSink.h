#pragma once
// An output sink that accepts a given number of writes, then refuses every one after.
#include "core/OutputSink.h"

#include <string>

namespace lmx::test {

class FailingSink final : public IOutSink {
public:
    explicit FailingSink(int acceptedWrites) : left_(acceptedWrites) {}
    bool Write(std::string_view bytes) override;
    std::string data;

private:
    int left_;
};

} // namespace lmx::test
