#pragma once
// The captions of one page with their Alt+letter keys: the page's Retranslate hands them over in
// reading order, then they are set at once, each key unique on the page and apart from the
// window's own (model/Mnemonics).
#include <QString>

#include <string>
#include <vector>

class QAbstractButton;
class QLabel;
class QTabWidget;
class QWidget;

namespace lmx {

class CaptionKeys {
public:
    // taken: the keys of the window's own buttons and pages, lower case.
    explicit CaptionKeys(std::string taken = {}) : taken_(std::move(taken)) {}

    // Captions in Windows-1252. A label's key gives its buddy the focus.
    void Add(QAbstractButton* button, const std::string& text);
    void Add(QLabel* label, const std::string& text);
    void AddTab(QTabWidget* tabs, int index, const std::string& text);
    // Sets every caption collected, with its key.
    void Apply();
    const std::string& Taken() const { return taken_; }

private:
    struct Caption {
        QWidget* widget;
        int tab; // -1 but for a tab
        std::string text;
    };
    std::vector<Caption> captions_;
    std::string taken_;
};

} // namespace lmx
