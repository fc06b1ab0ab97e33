#include "support/FailingSink.h"

namespace lmx::test {

bool FailingSink::Write(std::string_view bytes) {
    if (left_ <= 0) return false;
    --left_;
    data.append(bytes);
    return true;
}

} // namespace lmx::test
