#include "ui/ConversionPage.h"

#include "ui/UGridCells.h"
#include "ui/UGridModel.h"
#include "ui/RejectsPage.h"
#include "ui/UResultViews.h"
#include "ui/UWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace lmx {

namespace {

QLabel* Value(const char* name, const QString& text) {
    QLabel* l = NamedLabel(name, text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

ConversionPage::ConversionPage(GridCells& inPreview, GridCells& outPreview, const IGridSource& rejects, Log& log,
                           IDialogs& dialogs, QWidget* parent)
    : QWidget(parent) {
    setObjectName("TabSheet1");

    // Input group.
    GroupBox1 = NamedGroup("GroupBox1", QStringLiteral(" Entr\u00E9e : "));
    Panel1 = Named<QWidget>("Panel1");
    Label15 = NamedLabel("Label15");
    Label15->setWordWrap(true);
    Label15->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* p1 = new QHBoxLayout(Panel1);
    p1->setContentsMargins(0, 0, 0, 0);
    p1->addWidget(Label15);
    Panel1->setFixedHeight(2 * Label15->fontMetrics().lineSpacing());
    BitBtn3 = NamedButton("BitBtn3", QStringLiteral("Ouvrir"));
    Label1 = NamedLabel("Label1", QStringLiteral("Fichier \u00E0 convertir : "));
    Edit1 = Named<QLineEdit>("Edit1");
    Edit1->setReadOnly(true);
    Label2 = NamedLabel("Label2", QStringLiteral("Format du fichier en entr\u00E9e :"));
    ComboBox1 = Named<QComboBox>("ComboBox1");
    ComboBox1->setMinimumWidth(160);
    Label3 = NamedLabel("Label3", QStringLiteral("Apper\u00E7u des 1\u00E8res lignes du fichier, en colonnes,selon le "
                                                  "format s\u00E9lectionn\u00E9 :"));
    StringGrid1 = Named<QTableView>("StringGrid1");
    StringGrid1Model = new UGridModel(inPreview, StringGrid1);
    StringGrid1->setModel(StringGrid1Model);
    SetupGridView(StringGrid1, 20, true);
    StringGrid1->setFixedHeight(4 * 16 + 2 + 16); // four rows and a horizontal scroll bar
    Label3->setWordWrap(true);

    auto* g1 = new QGridLayout(GroupBox1);
    g1->setContentsMargins(6, 2, 6, 4);
    g1->setVerticalSpacing(2);
    g1->addWidget(Panel1, 0, 0, 1, 3);
    g1->addWidget(BitBtn3, 0, 3);
    g1->addWidget(Label1, 1, 0);
    g1->addWidget(Edit1, 1, 1, 1, 3);
    g1->addWidget(Label2, 2, 0);
    g1->addWidget(ComboBox1, 2, 1);
    g1->addWidget(Label3, 3, 0, 1, 4);
    g1->addWidget(StringGrid1, 4, 0, 1, 4);
    g1->setColumnStretch(2, 1);

    // Run buttons.
    BitBtn1 = NamedButton("BitBtn1", QStringLiteral("Convertir"));
    BitBtn1->setToolTip(QStringLiteral("Lancer la conversion"));
    BitBtn2 = NamedButton("BitBtn2", QStringLiteral("Annuler"));

    // Counters of the last run.
    GroupBox6 = NamedGroup("GroupBox6", QStringLiteral("Conversion : "));
    Label34 = NamedLabel("Label34", QStringLiteral("Fichiers convertis : "));
    Label24 = NamedLabel("Label24", QStringLiteral("lignes lues : "));
    Label25 = NamedLabel("Label25", QStringLiteral("lignes rejett\u00E9es : "));
    Label26 = NamedLabel("Label26", QStringLiteral("Lignes ecrites : "));
    Label35 = Value("Label35", QStringLiteral("0"));
    Label36 = Value("Label36", QStringLiteral("0"));
    Label37 = Value("Label37", QStringLiteral("0"));
    Label38 = Value("Label38", QStringLiteral("0"));
    auto* g6 = new QGridLayout(GroupBox6);
    g6->setContentsMargins(6, 2, 6, 2);
    g6->setVerticalSpacing(1);
    QLabel* counters[4][2] = {{Label34, Label35}, {Label24, Label36}, {Label25, Label37}, {Label26, Label38}};
    for (int r = 0; r < 4; ++r) {
        g6->addWidget(counters[r][0], r, 0);
        g6->addWidget(counters[r][1], r, 1);
    }
    g6->setColumnStretch(1, 1);

    // Options in force.
    GroupBox4 = NamedGroup("GroupBox4", QStringLiteral("Option en cours : "));
    Label17 = NamedLabel("Label17", QStringLiteral("log \u00E9tendu : "));
    Label18 = NamedLabel("Label18", QStringLiteral("Charger le fichier le + r\u00E9cent : "));
    Label19 = NamedLabel("Label19", QStringLiteral("Si anomalie : "));
    Label20 = NamedLabel("Label20", QStringLiteral("Historique : "));
    Label39 = NamedLabel("Label39", QStringLiteral("En fin de traitement : "));
    Label23 = NamedLabel("Label23", QStringLiteral("Renomer la source : "));
    Label21 = NamedLabel("Label21", QStringLiteral("Source -> corbeille : "));
    Label22 = NamedLabel("Label22", QStringLiteral("Supprimer la source : "));
    Label40 = Value("Label40", QString());
    Label41 = Value("Label41", QStringLiteral("N/A"));
    Label41->setEnabled(false);
    Label42 = Value("Label42", QString());
    Label43 = Value("Label43", QStringLiteral("N/A"));
    Label43->setEnabled(false);
    Label44 = Value("Label44", QString());
    Label45 = Value("Label45", QString());
    Label46 = Value("Label46", QString());
    auto* g4 = new QGridLayout(GroupBox4);
    g4->setContentsMargins(6, 2, 6, 2);
    g4->setHorizontalSpacing(4);
    g4->setVerticalSpacing(1);
    g4->addWidget(Label17, 0, 0);
    g4->addWidget(Label40, 0, 1);
    g4->addWidget(Label18, 1, 0);
    g4->addWidget(Label41, 1, 1);
    g4->addWidget(Label19, 2, 0);
    g4->addWidget(Label42, 2, 1);
    g4->addWidget(Label20, 3, 0);
    g4->addWidget(Label43, 3, 1);
    g4->addWidget(Label39, 4, 0, 1, 2);
    g4->addWidget(Label23, 5, 0);
    g4->addWidget(Label44, 5, 1);
    g4->addWidget(Label21, 6, 0);
    g4->addWidget(Label45, 6, 1);
    g4->addWidget(Label22, 7, 0);
    g4->addWidget(Label46, 7, 1);
    for (QLabel* l : {Label23, Label21, Label22}) l->setIndent(10);
    g4->setColumnStretch(1, 1);

    PageControl2 = new UResultViews(outPreview, rejects, log, dialogs);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    auto* runButtons = new QHBoxLayout;
    runButtons->addWidget(BitBtn1);
    runButtons->addWidget(BitBtn2);
    right->addLayout(runButtons);
    right->addWidget(GroupBox6);
    right->addWidget(GroupBox4);
    right->addStretch();

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(GroupBox1);
    left->addWidget(PageControl2, 1);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(6);
    page->addLayout(left, 1);
    // As wide as its longest caption and value need (a language may need more than another); the
    // input and result groups take the rest.
    auto* rightBox = new QWidget;
    rightBox->setMinimumWidth(262);
    rightBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    rightBox->setLayout(right);
    right->setContentsMargins(0, 0, 0, 0);
    page->addWidget(rightBox);
}

void ConversionPage::SetCounters(const QString& files, const QString& read, const QString& rejected,
                               const QString& written) {
    Label35->setText(files);
    Label36->setText(read);
    Label37->setText(rejected);
    Label38->setText(written);
}

void ConversionPage::SetRejectedColor(bool red) {
    // Through the palette: a style sheet would also give the label another font once it is cleared.
    if (!red) {
        Label37->setPalette(QPalette());
        return;
    }
    QPalette pal = Label37->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    Label37->setPalette(pal);
}

void ConversionPage::ShowRejectedCount(const QString& count) { PageControl2->TabSheet5->ShowCount(count); }

void ConversionPage::RefreshRejects() { PageControl2->TabSheet5->Refresh(); }

void ConversionPage::ShowRunPage(RunPage page) {
    PageControl2->setCurrentIndex(page == RunPage::Output ? 0 : 1);
    if (page == RunPage::Rejected) RefreshRejects();
}

void ConversionPage::SetConvertEnabled(bool enabled) {
    // The choices of the next run wait until this one is over: a click would only seem to count.
    if (!enabled) changerEnabled_ = PageControl2->BitBtn4->isEnabled();
    for (QWidget* w : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn3),
                       static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(PageControl2->ComboBox2)})
        w->setEnabled(enabled);
    PageControl2->BitBtn4->setEnabled(enabled && changerEnabled_);
}

} // namespace lmx
