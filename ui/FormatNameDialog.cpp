#include "ui/FormatNameDialog.h"

#include "core/UDataFormats.h"
#include "core/UFmtEditor.h"
#include "core/UPorts.h"
#include "env/ULang.h"
#include "ui/UQt.h"
#include "ui/UTextGuard.h"
#include "ui/UWidgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace lmx {

namespace {

void Shade(QWidget* w, bool enabled) {
    w->setEnabled(enabled);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, enabled ? QColor(Qt::white) : QColor(192, 192, 192));
    p.setColor(QPalette::Button, enabled ? QColor(Qt::white) : QColor(192, 192, 192));
    w->setPalette(p);
}

} // namespace

FormatNameDialog::FormatNameDialog(FmtEditor& editor, const FormatState& formats, const LangTexts& lang, IMessages& messages,
               QWidget* parent)
    : QDialog(parent), editor_(editor), formats_(formats), lang_(lang), messages_(messages) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("D\u00E9finition des formats"));
    Label2 = NamedLabel("Label2");
    ComboBox3 = Named<QComboBox>("ComboBox3");
    ComboBox3->setMinimumWidth(200);
    Label1 = NamedLabel("Label1");
    Edit1 = Named<QLineEdit>("Edit1");
    Edit1->setValidator(new TextGuard(Edit1, HeldOptions{}));
    Button1 = NamedButton("Button1", QStringLiteral("Ok"));
    Button2 = NamedButton("Button2", QStringLiteral("Annuler"));
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(ComboBox3, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // OK follows Edit1 on every key released in it, also one that leaves a kept name as it was.
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& t) { Button1->setEnabled(!t.isEmpty()); });
    connect(Button1, &QPushButton::clicked, this, &FormatNameDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void FormatNameDialog::showEvent(QShowEvent* event) {
    // The texts are the current language's, read each time the dialog shows.
    Label1->setText(Qs(lang_.Text(LK::cpn_nameNewFmt)));
    const int mode = editor_.NameDlgMode;
    const bool pick = mode == ndModify || mode == ndModel;
    Label2->setText(Qs(lang_.Text(mode == ndModify ? LK::cpn_nameToModify : LK::cpn_modelName)));
    if (pick) {
        ComboBox3->clear();
        for (const std::string& name : formats_.FmtNames) ComboBox3->addItem(Qs(name));
        ComboBox3->setCurrentIndex(ComboBox3->count() > 0 ? 0 : -1);
    } else {
        ComboBox3->setCurrentIndex(-1);
    }
    Shade(ComboBox3, pick);
    if (mode == ndModify) Edit1->clear();
    Shade(Edit1, mode != ndModify);
    Button1->setEnabled(pick);
    QDialog::showEvent(event);
}

bool FormatNameDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyRelease) Button1->setEnabled(!Edit1->text().isEmpty());
    return QDialog::eventFilter(watched, event);
}

void FormatNameDialog::Button1Click() {
    const NameDlgOutcome r = editor_.NameDialogOk(Cp(Edit1->text()), Cp(ComboBox3->currentText()));
    if (!r.Message.empty()) messages_.Show(r.Message);
    if (r.ClearEdit1) Edit1->clear();
    if (r.Close) accept();
}

} // namespace lmx
