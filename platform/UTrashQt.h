#pragma once
#include "core/UPorts.h"

namespace lmx {

// The freedesktop trash, through QtCore (no display needed).
class QtTrash : public ITrash {
public:
    bool MoveToTrash(const std::string& path) override;
};

} // namespace lmx
