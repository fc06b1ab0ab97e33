// The format editor page: its connections and its hints.
#include "ui/FormatEditorPage.h"

#include "core/UFmtEditor.h"
#include "env/ULang.h"
#include "ui/UDialogs.h"
#include "ui/UQt.h"
#include "ui/UTextGuard.h"
#include "ui/UWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lmx {

FormatEditorPage::FormatEditorPage(FmtEditor& editor, const LangTexts& lang, IDialogs& dialogs, QWidget* parent)
    : QWidget(parent), ed_(editor), lang_(lang), dialogs_(dialogs) {
    setObjectName("TabSheet2");
    Build();
    Retranslate();
    Wire();
    ShowEditor();
}

void FormatEditorPage::Wire() {
    for (QPushButton* b : {BitBtn6, BitBtn15, BitBtn16, BitBtn7, BitBtn8}) b->installEventFilter(this);
    for (QWidget* frame : std::initializer_list<QWidget*>{this, GroupBox3, GroupBox5, GroupBox7, GroupBox8, GroupBox9}) {
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
    }
    Label10->installEventFilter(this);

    connect(BitBtn6, &QPushButton::clicked, this, &FormatEditorPage::BitBtn6Click);
    connect(BitBtn15, &QPushButton::clicked, this, &FormatEditorPage::BitBtn15Click);
    connect(BitBtn16, &QPushButton::clicked, this, &FormatEditorPage::BitBtn16Click);
    connect(BitBtn7, &QPushButton::clicked, this, &FormatEditorPage::BitBtn7Click);
    connect(BitBtn8, &QPushButton::clicked, this, &FormatEditorPage::BitBtn8Click);
    connect(BitBtn9, &QPushButton::clicked, this, &FormatEditorPage::BitBtn9Click);
    connect(BitBtn20, &QPushButton::clicked, this, &FormatEditorPage::BitBtn20Click);
    connect(BitBtn21, &QPushButton::clicked, this, &FormatEditorPage::BitBtn21Click);
    connect(BitBtn22, &QPushButton::clicked, this, &FormatEditorPage::BitBtn22Click);
    connect(BitBtn23, &QPushButton::clicked, this, &FormatEditorPage::BitBtn23Click);
    connect(up_, &QToolButton::clicked, this, [this] { StepSkip(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepSkip(-1); });

    connect(TabControl1, &QTabBar::currentChanged, this, [this](int index) {
        if (!showing_) Act([&] { ed_.SelectTab(index); });
    });

    // Column name: letters, digits, "_" and "." typed, a to z shown in upper case.
    ComboBox3->setValidator(new TextGuard(ComboBox3, HeldOptions{true, false, true}, [this] { QueuePipeRefused(); }));
    new KeyFilter(
        ComboBox3->lineEdit(), [](QChar c) { return c.unicode() < 128 && ColNameCharOk(static_cast<char>(c.unicode())); },
        [this] { return ed_.TabIndex >= 0; });
    connect(ComboBox3->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { Act([&] { ed_.ColNameEdited(Cp(text)); }); });
    connect(ComboBox3, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { Act([&] { ed_.ColNameChosen(Cp(ComboBox3->currentText())); }); });

    new KeyFilter(ComboBox6, [](QChar) { return false; }); // the type is chosen from the list
    connect(ComboBox6, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int) {
        if (!showing_) Act([&] { ed_.TypeChosen(Cp(ComboBox6->currentText())); });
    });

    // Texts that go to the file as they are: a "|" cut there on reading is refused.
    Edit5->setValidator(new TextGuard(Edit5, HeldOptions{true, false, false}, [this] { QueuePipeRefused(); }));
    for (QLineEdit* e : {Edit3, Edit7, Edit13, Edit14}) e->setValidator(new TextGuard(e, HeldOptions{}));
    connect(Edit7, &QLineEdit::textEdited, this, [this](const QString& t) { KeepLastTyped(Edit7, t); });
    connect(Edit13, &QLineEdit::textEdited, this, [this](const QString& t) {
        KeepLastTyped(Edit13, t);
        Act([&] { ed_.ColSepEdited(); });
    });
    connect(Edit14, &QLineEdit::textEdited, this, [this](const QString& t) {
        KeepLastTyped(Edit14, t);
        Act([&] { ed_.DecSepEdited(); });
    });
    connect(CheckBox5, &QCheckBox::clicked, this, [this] { Act([&] { ed_.TabSepClicked(); }); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { Act([] {}); });
    connect(CheckBox2, &QCheckBox::clicked, this, [this](bool on) { Act([&] { ed_.FixeClicked(on); }); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this](bool on) { Act([&] { ed_.CasseClicked(on); }); });
}

std::vector<QWidget*> FormatEditorPage::HoverAreas() const { return {GroupBox3, GroupBox5, GroupBox7}; }

bool FormatEditorPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t == QEvent::Enter) {
        const std::pair<QObject*, LK> hints[] = {{BitBtn6, LK::hnt_fmtNew},     {BitBtn15, LK::hnt_fmtModel},
                                                  {BitBtn16, LK::hnt_fmtModify}, {BitBtn7, LK::hnt_fmtSave},
                                                  {BitBtn8, LK::hnt_fmtUndo}};
        for (const auto& [button, key] : hints)
            if (watched == button) Label8->setText(Qs(lang_.Text(key)));
    } else if (t == QEvent::MouseMove && watched != Label10) {
        Label8->setText(Qs(ed_.EditStatus));
    } else if (t == QEvent::MouseButtonRelease && watched == Label10) {
        CheckBox1->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FormatEditorPage::QueuePipeRefused() {
    // Told from inside the field's own edit: the page is shown again once that edit is over.
    QMetaObject::invokeMethod(this, [this] { Act([&] { ed_.PipeRefused(); }); }, Qt::QueuedConnection);
}

} // namespace lmx
