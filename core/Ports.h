#pragma once
// What the core asks of whoever shows things to the user, and of the system (files, folders and
// the clock through SystemPort, the recycle bin through ITrash): the window, the command-line
// converter and the tests each implement these. The core never shows a window itself.
#include "common/Text.h"
#include "common/SystemPort.h"

#include <string>

namespace lmx {

class IMessages {
public:
    virtual ~IMessages() = default;
    // A message box with one OK button; text in Windows-1252.
    virtual void Show(const std::string& text) = 0;
    // A confirmation with OK and Cancel; true for OK.
    virtual bool Confirm(const std::string& text) = 0;
    // The same for a text that holds paths. Whoever shows bytes as they are (a terminal, a file)
    // keeps these; the window shows the paths as the file system's names.
    virtual void ShowPaths(const TextWithPaths& text) { Show(text.Text()); }
    virtual bool ConfirmPaths(const TextWithPaths& text) { return Confirm(text.Text()); }
};

} // namespace lmx

namespace lmx {

// The desktop's recycle bin; the window and the command-line converter give the system's one,
// tests a fake.
class ITrash {
public:
    virtual ~ITrash() = default;
    virtual bool MoveToTrash(const std::string& path) = 0;
};

} // namespace lmx
