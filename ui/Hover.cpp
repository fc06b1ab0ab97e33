#include "ui/Hover.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include "ui/QtBridge.h"

#include <algorithm>

namespace lmx {

Hover::Hover(QObject* parent, std::vector<QAbstractButton*> buttons, std::vector<QWidget*> areas)
    : QObject(parent), buttons_(std::move(buttons)), areas_(std::move(areas)) {
    for (QAbstractButton* b : buttons_) {
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }
    for (QWidget* w : areas_) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

bool Hover::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        auto b = std::find(buttons_.begin(), buttons_.end(), watched);
        if (b != buttons_.end()) Light(*b);
        else if (hoverOn_ && event->type() == QEvent::MouseMove && !OverAButton(watched, event)) Restore();
    }
    return QObject::eventFilter(watched, event);
}

bool Hover::OverAButton(QObject* area, QEvent* event) const {
    // A move over a button also reaches the widgets around it: that is no move over the page.
    auto* widget = qobject_cast<QWidget*>(area);
    if (!widget) return false;
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    for (QWidget* w = widget->childAt(at); w && w != widget; w = w->parentWidget())
        if (std::find(buttons_.begin(), buttons_.end(), w) != buttons_.end()) return true;
    return false;
}

void Hover::Light(QAbstractButton* button) {
    // Blue in the active and inactive states only: a disabled button keeps its disabled caption. A
    // lighter blue on a dark button.
    QPalette p = button->palette();
    p.setColor(QPalette::Active, QPalette::ButtonText, ReadableOn(Qt::blue, p.color(QPalette::Active, QPalette::Button)));
    p.setColor(QPalette::Inactive, QPalette::ButtonText,
               ReadableOn(Qt::blue, p.color(QPalette::Inactive, QPalette::Button)));
    button->setPalette(p);
    hoverOn_ = true;
}

void Hover::Restore() {
    for (QAbstractButton* b : buttons_) b->setPalette(QPalette());
    hoverOn_ = false;
}

} // namespace lmx
