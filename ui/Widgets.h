#pragma once
// Small constructors that give every control its component name as object name.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <initializer_list>

namespace lmx {

template <class W, class... A>
W* Named(const char* name, A&&... args) {
    W* w = new W(std::forward<A>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

inline QLabel* NamedLabel(const char* name, const QString& text = QString()) {
    return Named<QLabel>(name, text);
}

inline QPushButton* NamedButton(const char* name, const QString& text = QString()) { return Named<QPushButton>(name, text); }

// The order in which Tab visits the widgets: the order a person reads them in.
inline void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

inline QGroupBox* NamedGroup(const char* name, const QString& title = QString()) { return Named<QGroupBox>(name, title); }

} // namespace lmx
