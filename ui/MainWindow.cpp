#include "ui/MainWindow.h"
#include "ui/UHover.h"

#include "core/UConvPage.h"
#include "core/USession.h"
#include "ui/URunView.h"
#include "core/ULog.h"
#include "env/ULang.h"
#include "ui/AboutBox.h"
#include "ui/UBanner.h"
#include "ui/UDialogs.h"
#include "ui/ULangApply.h"
#include "env/UParms.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/LogPage.h"
#include "ui/ParametersPage.h"
#include "ui/RejectsPage.h"
#include "ui/UResultViews.h"
#include "ui/UStatusBar.h"
#include "ui/UToolkitTexts.h"
#include "common/UCommuns.h"
#include "ui/UQt.h"
#include "ui/UWidgets.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace lmx {

WindowContext::WindowContext(Session& session, IDialogs& dialogs, std::string programDir, std::vector<std::string> args)
    : S(session), ProgramDir(std::move(programDir)), ProgramFile(IncludeTrailingSlash(ProgramDir) + "Lumivex"),
      Args(std::move(args)), Dialogs(dialogs), Lang(session.lang), Formats(session.formats), TheLog(session.log),
      Prm(session.params), Page(session.page), Fmt(session.fmtFile) {}

MainWindow::MainWindow(WindowContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), page_(&ctx.S.convPage),
      rejectsView_(std::make_unique<RejectTableSource>(ctx.S.rejects)),
      toolkitTexts_(std::make_unique<UToolkitTexts>()) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Lumivex"));
    resize(kWidth, kHeight);
    QFont small = font();
    small.setPointSize(8); // the layout was drawn for a small dialog font
    setFont(small);

    auto* central = new QWidget;
    central->setObjectName("Form1Client");
    Image1 = NamedLabel("Image1");
    Image1->setPixmap(BannerPixmap(QSize(560, 44)));
    Image1->setFixedSize(560, 44);
    BitBtn14 = NamedButton("BitBtn14", QStringLiteral("A propos..."));
    BitBtn5 = NamedButton("BitBtn5", QStringLiteral("Quitter"));
    BitBtn17 = NamedButton("BitBtn17", QStringLiteral("?"));
    BitBtn17->setVisible(false);

    PageControl1 = Named<QTabWidget>("PageControl1");
    TabSheet1 = new ConversionPage(inPreview_, outPreview_, *rejectsView_, ctx_.TheLog, ctx_.Dialogs);
    TabSheet2 = new FormatEditorPage(ctx_.S.editor, ctx_.Lang, ctx_.Dialogs);
    TabSheet3 = new ParametersPage(ctx_.Prm, ctx_.Lang, ctx_.Dialogs, ctx_.S.LngFileName);
    PageControl1->addTab(TabSheet1, QStringLiteral("Principal"));
    PageControl1->addTab(TabSheet2, QStringLiteral("D\u00E9finition des formats..."));
    PageControl1->addTab(TabSheet3, QStringLiteral("Param\u00E8tres et options"));

    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addStretch();
    top->addWidget(BitBtn14, 0, Qt::AlignTop);
    top->addWidget(BitBtn5, 0, Qt::AlignTop);
    top->addWidget(BitBtn17, 0, Qt::AlignTop);
    auto* col = new QVBoxLayout(central);
    col->setContentsMargins(2, 2, 2, 0);
    col->setSpacing(2);
    col->addLayout(top);
    col->addWidget(PageControl1, 1);
    setCentralWidget(central);

    StatusBar1 = new UStatusBar;
    setStatusBar(StatusBar1);

    runView_ = std::make_unique<URunView>(*TabSheet1, *StatusBar1, [this] { BitBtn4Click(); });
    for (GridCells* g : {&inPreview_, &outPreview_})
        for (int r = 1; r <= 3; ++r) g->SetCell(0, r, std::to_string(r));

    ConversionPage* conv = TabSheet1;
    hover_ = new UHover(this, {conv->BitBtn1, conv->BitBtn2, conv->BitBtn3, conv->PageControl2->BitBtn4, BitBtn5, BitBtn14},
                        {this, centralWidget(), PageControl1, conv, conv->GroupBox1, conv->PageControl2->TabSheet4,
                         conv->PageControl2->GroupBox2, TabSheet2->GroupBox3, TabSheet2->GroupBox5,
                         TabSheet2->GroupBox7});
    connect(BitBtn14, &QPushButton::clicked, this, &MainWindow::BitBtn14Click);
    connect(BitBtn5, &QPushButton::clicked, this, &MainWindow::BitBtn5Click);
    connect(TabSheet1->BitBtn3, &QPushButton::clicked, this, &MainWindow::BitBtn3Click);
    connect(TabSheet1->PageControl2->BitBtn4, &QPushButton::clicked, this, &MainWindow::BitBtn4Click);
    connect(TabSheet1->BitBtn1, &QPushButton::clicked, this, &MainWindow::BitBtn1Click);
    connect(TabSheet1->BitBtn2, &QPushButton::clicked, this, &MainWindow::BitBtn2Click);
    connect(TabSheet1->ComboBox1, QOverload<int>::of(&QComboBox::activated), this, &MainWindow::ComboBox1Select);
    connect(TabSheet1->PageControl2->ComboBox2, QOverload<int>::of(&QComboBox::activated), this,
            &MainWindow::ComboBox2Select);
    TabSheet2->OnFormatChoices = [this](const FormatChoices& c) { ApplyFormatChoices(c); };
    TabSheet1->PageControl2->TabSheet5->Explain = [this](int row) { return ExplainReject(row); };
    LogPage* logPage = TabSheet1->PageControl2->TabSheet6;
    logPage->OnTextColor = [this](const QColor& c) { StoreLogColor(prmLGT, c); };
    logPage->OnBackColor = [this](const QColor& c) { StoreLogColor(prmLGF, c); };
    TabSheet3->OnLanguageApplied = [this](const std::string& language) { ApplyToolkitTexts(language); };
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) SetStatusText(Qs(ctx_.Lang.Text(LK::cpn_sheetMainTitle)));
        if (index == 1) {
            SetStatusText(Qs(ctx_.Lang.Text(LK::cpn_fmtDef)));
            TabSheet2->PageShown();
        }
        // The parameters page refreshes when it is opened, not when the window comes back.
        if (index == 2) {
            SetStatusText(Qs(ctx_.Lang.Text(LK::cpn_sheetOptions)));
            TabSheet3->TabSheet3Show();
        }
    });
    LoadEnvir();
}

MainWindow::~MainWindow() {
    // The pages observe the log; they go first.
    delete takeCentralWidget();
}

bool MainWindow::event(QEvent* event) {
    const bool done = QMainWindow::event(event);
    if (event->type() == QEvent::LayoutRequest) KeepMinimumSize();
    return done;
}

void MainWindow::KeepMinimumSize() {
    // Never below the drawn size, and never below what the texts of the language in use need.
    const QSize least = layout() ? layout()->totalMinimumSize().expandedTo(QSize(kWidth, kHeight))
                                 : QSize(kWidth, kHeight);
    if (minimumSize() != least) setMinimumSize(least);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    FormShow();
    if (ctx_.Args.empty()) {
        autoRunStarted_ = autoRunDone_ = true;
        return;
    }
    // The files of the command line are converted once the window is painted: its first expose
    // paints it, and the run is queued behind that. A window that is never exposed (started
    // minimised) still converts them.
    if (QWindow* w = windowHandle()) w->installEventFilter(this);
    QTimer::singleShot(1000, this, &MainWindow::CommandLineRun);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    QWindow* w = windowHandle();
    if (w && watched == w && event->type() == QEvent::Expose && w->isExposed()) {
        w->removeEventFilter(this);
        QTimer::singleShot(0, this, &MainWindow::CommandLineRun);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::StatusBarBuilt() const { return StatusBar1->Built(); }

void MainWindow::SetStatusText(const QString& text) { StatusBar1->SetStatusText(text); }

QString MainWindow::StatusText(int panel) const { return StatusBar1->Text(panel); }

void MainWindow::BitBtn14Click() {
    // The box is not a child of the window: its Label1..Label3 must not shadow the page's own.
    if (!aboutBox) {
        ownAbout_ = std::make_unique<AboutBox>();
        aboutBox = ownAbout_.get();
    }
    aboutBox->exec();
}

} // namespace lmx
