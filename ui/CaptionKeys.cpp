#include "ui/CaptionKeys.h"

#include "model/Mnemonics.h"
#include "ui/QtBridge.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>

namespace lmx {

void CaptionKeys::Add(QAbstractButton* button, const std::string& text) { captions_.push_back({button, -1, text}); }

void CaptionKeys::Add(QLabel* label, const std::string& text) { captions_.push_back({label, -1, text}); }

void CaptionKeys::AddTab(QTabWidget* tabs, int index, const std::string& text) {
    captions_.push_back({tabs, index, text});
}

void CaptionKeys::Apply() {
    std::vector<std::string> texts;
    for (const Caption& c : captions_) texts.push_back(c.text);
    const std::vector<std::string> shown = WithMnemonics(texts, taken_);
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        const Caption& c = captions_[i];
        const QString text = Qs(shown[i]);
        if (c.tab >= 0)
            static_cast<QTabWidget*>(c.widget)->setTabText(c.tab, text);
        else if (auto* b = qobject_cast<QAbstractButton*>(c.widget))
            b->setText(text);
        else if (auto* l = qobject_cast<QLabel*>(c.widget))
            l->setText(text);
    }
    captions_.clear();
}

} // namespace lmx
