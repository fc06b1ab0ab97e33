#pragma once
// The six main buttons light up blue under the mouse; moving over the page around them puts
// them back to the normal text colour.
#include <QObject>

#include <vector>

class QAbstractButton;
class QEvent;
class QWidget;

namespace lmx {

class Hover : public QObject {
    Q_OBJECT
public:
    Hover(QObject* parent, std::vector<QAbstractButton*> buttons, std::vector<QWidget*> areas);
    bool HoverOn() const { return hoverOn_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Light(QAbstractButton* button);
    void Restore();
    bool OverAButton(QObject* area, QEvent* event) const;

    std::vector<QAbstractButton*> buttons_;
    std::vector<QWidget*> areas_;
    bool hoverOn_ = false;
};

} // namespace lmx
