#include "ui/FormatNameDialog.h"

#include "core/ColumnDraft.h"
#include "model/FormatEditorModel.h"
#include "core/Ports.h"
#include "env/LangTexts.h"
#include "ui/CaptionKeys.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/TextGuard.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace lmx {

namespace {

void Shade(QWidget* w, bool enabled) {
    w->setEnabled(enabled);
    const QColor back = enabled ? QColor(Qt::white) : QColor(192, 192, 192);
    SetReadableBackground(w, QPalette::Base, back, QPalette::Text);
    SetReadableBackground(w, QPalette::Button, back, QPalette::ButtonText);
}

} // namespace

FormatNameDialog::FormatNameDialog(FormatEditorModel& editor, const ChosenFormats& formats,
                                   const LangTexts& lang, IMessages& messages, QWidget* parent)
    : QDialog(parent), editor_(editor), formats_(formats), lang_(lang), messages_(messages) {
    setObjectName(names::kNameDialog);
    setWindowTitle(QStringLiteral("D\u00E9finition des formats"));
    listCaption = NamedLabel(names::kNameDialogListCaption);
    formatBox = Named<QComboBox>(names::kNameDialogFormatBox);
    formatBox->setMinimumWidth(200);
    nameCaption = NamedLabel(names::kNameDialogNameCaption);
    nameEdit = Named<QLineEdit>(names::kNameDialogNameEdit);
    nameEdit->setValidator(new TextGuard(nameEdit, HeldOptions{}));
    okButton = NamedButton(names::kNameDialogOkButton, QStringLiteral("Ok"));
    cancelButton = NamedButton(names::kNameDialogCancelButton, QStringLiteral("Annuler"));
    // Enter accepts when OK is enabled, and presses the button that has the focus.
    okButton->setDefault(true);
    listCaption->setBuddy(formatBox);
    nameCaption->setBuddy(nameEdit);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* grid = new QGridLayout(this);
    grid->addWidget(listCaption, 0, 0);
    grid->addWidget(formatBox, 0, 1);
    grid->addWidget(nameCaption, 1, 0);
    grid->addWidget(nameEdit, 1, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // OK follows nameEdit on every key released in it, also one that leaves a kept name as it was.
    nameEdit->installEventFilter(this);
    connect(nameEdit, &QLineEdit::textEdited, this, [this](const QString& t) { okButton->setEnabled(!t.isEmpty()); });
    connect(okButton, &QPushButton::clicked, this, &FormatNameDialog::onOkClicked);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void FormatNameDialog::showEvent(QShowEvent* event) {
    // The texts are the current language's, read each time the dialog shows, with their keys.
    const int mode = editor_.NameDlgMode;
    const bool pick = mode == ndModify || mode == ndModel;
    CaptionKeys keys;
    keys.Add(listCaption, lang_.Text(mode == ndModify ? LK::cpn_nameToModify : LK::cpn_modelName));
    keys.Add(nameCaption, lang_.Text(LK::cpn_nameNewFmt));
    keys.Add(okButton, "Ok");
    keys.Add(cancelButton, "Annuler");
    keys.Apply();
    if (pick) {
        formatBox->clear();
        for (const std::string& name : formats_.Catalogue.FormatNames) formatBox->addItem(Qs(name));
        formatBox->setCurrentIndex(formatBox->count() > 0 ? 0 : -1);
    } else {
        formatBox->setCurrentIndex(-1);
    }
    Shade(formatBox, pick);
    if (mode == ndModify) nameEdit->clear();
    Shade(nameEdit, mode != ndModify);
    okButton->setEnabled(pick);
    QDialog::showEvent(event);
}

bool FormatNameDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameEdit && event->type() == QEvent::KeyRelease) okButton->setEnabled(!nameEdit->text().isEmpty());
    return QDialog::eventFilter(watched, event);
}

void FormatNameDialog::onOkClicked() {
    const NameDlgOutcome r = editor_.NameDialogOk(Cp(nameEdit->text()), Cp(formatBox->currentText()));
    if (!r.Message.empty()) messages_.Show(r.Message);
    if (r.ClearEdit1) nameEdit->clear();
    if (r.Close) accept();
}

} // namespace lmx
