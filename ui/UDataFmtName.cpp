#include "ui/UDataFmtName.h"

#include "ui/UWidgets.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lmx {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Lumivex"));
    Label1 = NamedLabel("Label1", QStringLiteral("Nom du nouveau format :"));
    Edit1 = Named<QLineEdit>("Edit1");
    BitBtn1 = NamedButton("BitBtn1", QStringLiteral("Ok"));
    BitBtn2 = NamedButton("BitBtn2", QStringLiteral("Annuler"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* col = new QVBoxLayout(this);
    col->addWidget(Label1);
    col->addWidget(Edit1);
    col->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace lmx
