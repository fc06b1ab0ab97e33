#pragma once
// The user's trash, as the freedesktop.org trash specification describes the home trash.
#include "core/Ports.h"

#include <string>

namespace lmx {

// $XDG_DATA_HOME/Trash (by default ~/.local/share/Trash) with its "files" and "info" folders,
// created when missing. Only a file on the same file system as that trash goes there, with its
// ".trashinfo" record; any other file, or any failure, answers false and leaves the file in place.
class HomeTrash final : public ITrash {
public:
    // dataHome: the user's data folder; empty means there is no trash to be had.
    explicit HomeTrash(const std::string& dataHome);
    // From XDG_DATA_HOME, else HOME; a relative or empty value does not count.
    static HomeTrash ForUser();

    bool MoveToTrash(const std::string& path) override;
    const std::string& Folder() const { return trash_; } // without its final "/"

private:
    std::string trash_;
};

} // namespace lmx
