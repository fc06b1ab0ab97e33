// The format editor page: its connections and its hints.
#include "ui/FormatEditorPage.h"

#include "model/FormatEditorModel.h"
#include "env/LangTexts.h"
#include "ui/Dialogs.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/TextGuard.h"
#include "ui/Widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lmx {

FormatEditorPage::FormatEditorPage(FormatEditorModel& editor, const LangTexts& lang, IDialogs& dialogs,
                                   QWidget* parent)
    : QWidget(parent), ed_(editor), lang_(lang), dialogs_(dialogs) {
    setObjectName(names::kFormatEditorPage);
    Build();
    Retranslate();
    Wire();
    ShowEditor();
}

void FormatEditorPage::Wire() {
    for (QPushButton* b : {newButton, modelButton, modifyButton, saveButton, undoButton}) b->installEventFilter(this);
    for (QWidget* frame : std::initializer_list<QWidget*>{this, formatsGroup, generalGroup, columnGroup, skipGroup, columnsGroup}) {
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
    }
    headerCaption->installEventFilter(this);
    skipEdit->installEventFilter(this); // its Up and Down keys step it, as the arrows beside it do

    connect(newButton, &QPushButton::clicked, this, &FormatEditorPage::onNewClicked);
    connect(modelButton, &QPushButton::clicked, this, &FormatEditorPage::onModelClicked);
    connect(modifyButton, &QPushButton::clicked, this, &FormatEditorPage::onModifyClicked);
    connect(saveButton, &QPushButton::clicked, this, &FormatEditorPage::onSaveClicked);
    connect(undoButton, &QPushButton::clicked, this, &FormatEditorPage::onUndoClicked);
    connect(deleteButton, &QPushButton::clicked, this, &FormatEditorPage::onDeleteClicked);
    connect(deleteColumnButton, &QPushButton::clicked, this, &FormatEditorPage::onDeleteColumnClicked);
    connect(moveLeftButton, &QPushButton::clicked, this, &FormatEditorPage::onMoveLeftClicked);
    connect(addColumnButton, &QPushButton::clicked, this, &FormatEditorPage::onAddColumnClicked);
    connect(moveRightButton, &QPushButton::clicked, this, &FormatEditorPage::onMoveRightClicked);
    connect(up_, &QToolButton::clicked, this, [this] { StepSkip(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepSkip(-1); });

    connect(columnTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!showing_) Act([&] { ed_.SelectTab(index); });
    });

    // Column name: letters, digits, "_" and "." typed, a to z shown in upper case.
    columnNameBox->setValidator(new TextGuard(columnNameBox, HeldOptions{true, false, true}, [this] { QueuePipeRefused(); }));
    new KeyFilter(
        columnNameBox->lineEdit(), [](QChar c) { return c.unicode() < 128 && ColNameCharOk(static_cast<char>(c.unicode())); },
        [this] { return ed_.TabIndex >= 0; });
    connect(columnNameBox->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { Act([&] { ed_.ColNameEdited(Cp(text)); }); });
    connect(columnNameBox, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { Act([&] { ed_.ColNameChosen(Cp(columnNameBox->currentText())); }); });

    // The type is chosen from the list; typing its first characters picks the layout they begin.
    connect(typeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int) {
        if (!showing_) Act([&] { ed_.TypeChosen(Cp(typeBox->currentText())); });
    });

    // Texts that go to the file as they are: a "|" cut there on reading is refused.
    affixEdit->setValidator(new TextGuard(affixEdit, HeldOptions{true, false, false}, [this] { QueuePipeRefused(); }));
    for (QLineEdit* e : {commentEdit, dateSepEdit, separatorEdit, decimalEdit, groupEdit}) e->setValidator(new TextGuard(e, HeldOptions{}));
    connect(groupEdit, &QLineEdit::textEdited, this, [this](const QString& t) { KeepLastTyped(groupEdit, t); });
    connect(dateSepEdit, &QLineEdit::textEdited, this, [this](const QString& t) { KeepLastTyped(dateSepEdit, t); });
    connect(separatorEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        KeepLastTyped(separatorEdit, t);
        Act([&] { ed_.ColSepEdited(); });
    });
    connect(decimalEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        KeepLastTyped(decimalEdit, t);
        Act([&] { ed_.DecSepEdited(); });
    });
    connect(tabSeparatorBox, &QCheckBox::clicked, this, [this] { Act([&] { ed_.TabSepClicked(); }); });
    connect(headerBox, &QCheckBox::clicked, this, [this] { Act([] {}); });
    connect(affixBox, &QCheckBox::clicked, this, [this](bool on) { Act([&] { ed_.AffixClicked(on); }); });
    connect(caseBox, &QCheckBox::clicked, this, [this](bool on) { Act([&] { ed_.CaseClicked(on); }); });
}

std::vector<QWidget*> FormatEditorPage::HoverAreas() const { return {formatsGroup, generalGroup, columnGroup}; }

bool FormatEditorPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t == QEvent::Enter) {
        const std::pair<QObject*, LK> hints[] = {{newButton, LK::hnt_fmtNew},     {modelButton, LK::hnt_fmtModel},
                                                  {modifyButton, LK::hnt_fmtModify}, {saveButton, LK::hnt_fmtSave},
                                                  {undoButton, LK::hnt_fmtUndo}};
        for (const auto& [button, key] : hints)
            if (watched == button) hintLabel->setText(Qs(lang_.Text(key)));
    } else if (t == QEvent::MouseMove && watched != headerCaption) {
        hintLabel->setText(Qs(ed_.EditStatus));
    } else if (t == QEvent::MouseButtonRelease && watched == headerCaption) {
        headerBox->click();
        return true;
    } else if (t == QEvent::KeyPress && watched == skipEdit) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepSkip(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormatEditorPage::QueuePipeRefused() {
    // Told from inside the field's own edit: the page is shown again once that edit is over.
    QMetaObject::invokeMethod(this, [this] { Act([&] { ed_.PipeRefused(); }); }, Qt::QueuedConnection);
}

} // namespace lmx
