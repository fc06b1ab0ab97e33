#include "ui/MainWindow.h"
#include "ui/Hover.h"

#include "model/Session.h"
#include "core/Log.h"
#include "env/LangTexts.h"
#include "ui/AboutBox.h"
#include "ui/Banner.h"
#include "ui/CaptionKeys.h"
#include "ui/Dialogs.h"
#include "env/Params.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/ObjectNames.h"
#include "ui/ParametersPage.h"
#include "ui/StatusBar.h"
#include "ui/ToolkitTexts.h"
#include "common/Basics.h"
#include "ui/QtBridge.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace lmx {

namespace {

// A page that scrolls when the window is smaller than it needs (a large font on a small screen).
// It asks the layout for the page's own least size: the window's minimum stays what the pages
// need, and only a screen too small for that makes the window smaller and the page scroll. The
// page fills the view, but never below its least size at that width (wrapped captions take more
// lines when narrow).
class PageScroll : public QScrollArea {
public:
    explicit PageScroll(QWidget* page) {
        setObjectName(page->objectName() + QStringLiteral("Scroll"));
        setFrameShape(QFrame::NoFrame);
        setWidget(page);
    }
    QSize minimumSizeHint() const override { return Least(0); }
    QSize sizeHint() const override { return widget()->sizeHint().expandedTo(Least(0)); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        Fit();
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest) Fit();
        return QScrollArea::event(event);
    }

private:
    QSize Least(int width) const {
        QSize least = widget()->minimumSizeHint();
        if (const QLayout* l = widget()->layout(); l && l->hasHeightForWidth())
            least.setHeight(std::max(least.height(), l->totalMinimumHeightForWidth(std::max(width, least.width()))));
        return least;
    }
    void Fit() {
        // The room without scroll bars first; a bar takes its share only when the page needs it.
        QSize room = maximumViewportSize();
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (Least(room.width()).height() > room.height()) room.rwidth() -= bar;
        if (Least(room.width()).width() > room.width()) room.rheight() -= bar;
        widget()->resize(room.expandedTo(Least(room.width())));
    }
};
} // namespace

WindowContext::WindowContext(Session& session, IDialogs& dialogs, std::string programDir, std::vector<std::string> args)
    : S(session), ProgramDir(std::move(programDir)), ProgramFile(IncludeTrailingSlash(ProgramDir) + "Lumivex"),
      Args(std::move(args)), Dialogs(dialogs), Lang(session.lang), Formats(session.formats), TheLog(session.log),
      Prm(session.params), Fmt(session.fmtFile) {}

MainWindow::MainWindow(WindowContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), toolkitTexts_(std::make_unique<ToolkitTexts>()) {
    setObjectName(names::kMainWindow);
    setWindowTitle(QStringLiteral("Lumivex"));
    resize(kWidth, kHeight);
    QFont small = font();
    small.setPointSize(8); // the layout was drawn for a small dialog font
    setFont(small);

    auto* central = new QWidget;
    central->setObjectName(names::kMainClient);
    banner = NamedLabel(names::kBanner);
    banner->setPixmap(BannerPixmap(QSize(560, 44)));
    banner->setFixedSize(560, 44);
    banner->setAccessibleName(QStringLiteral("Lumivex")); // what the picture reads
    aboutButton = NamedButton(names::kAboutButton);
    quitButton = NamedButton(names::kQuitButton);
    helpButton = NamedButton(names::kHelpButton, QStringLiteral("?"));
    helpButton->setVisible(false);

    // The status bar first: a run on the conversion page reports to it.
    statusPanels = new StatusBar;
    pages = Named<QTabWidget>(names::kPages);
    conversionPage = new ConversionPage(ctx_.S, ctx_.Dialogs, *statusPanels);
    formatEditorPage = new FormatEditorPage(ctx_.S.editor, ctx_.Lang, ctx_.Dialogs);
    parametersPage = new ParametersPage(ctx_.Prm, ctx_.Lang, ctx_.Dialogs, ctx_.S.LngFileName);
    for (QWidget* page : std::initializer_list<QWidget*>{conversionPage, formatEditorPage, parametersPage})
        pages->addTab(new PageScroll(page), QString());

    auto* top = new QHBoxLayout;
    top->addWidget(banner);
    top->addStretch();
    top->addWidget(aboutButton, 0, Qt::AlignTop);
    top->addWidget(quitButton, 0, Qt::AlignTop);
    top->addWidget(helpButton, 0, Qt::AlignTop);
    auto* col = new QVBoxLayout(central);
    col->setContentsMargins(2, 2, 2, 0);
    col->setSpacing(2);
    col->addLayout(top);
    col->addWidget(pages, 1);
    setCentralWidget(central);
    setStatusBar(statusPanels);
    Retranslate();

    std::vector<QAbstractButton*> buttons = conversionPage->HoverButtons();
    buttons.insert(buttons.end(), {quitButton, aboutButton});
    std::vector<QWidget*> areas{this, centralWidget(), pages};
    for (QWidget* w : conversionPage->HoverAreas()) areas.push_back(w);
    for (QWidget* w : formatEditorPage->HoverAreas()) areas.push_back(w);
    hover = new Hover(this, std::move(buttons), std::move(areas));
    // The window's own keys: Ctrl+Q quits as "Quitter" does, Ctrl+PgDn and Ctrl+PgUp turn the pages.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
            &MainWindow::onQuitClicked);
    const auto turn = [this](int step) { pages->setCurrentIndex((pages->currentIndex() + step + pages->count()) % pages->count()); };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this), &QShortcut::activated, this,
            [turn] { turn(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this), &QShortcut::activated, this,
            [turn] { turn(-1); });
    ChainTabOrder({aboutButton, quitButton, pages->tabBar()});
    connect(aboutButton, &QPushButton::clicked, this, &MainWindow::onAboutClicked);
    connect(quitButton, &QPushButton::clicked, this, &MainWindow::onQuitClicked);
    connect(conversionPage, &ConversionPage::runOverForClosing, this, &QWidget::close);
    connect(conversionPage, &ConversionPage::runEnded, this, [this] { autoRunDone_ = autoRunStarted_; });
    formatEditorPage->OnFormatChoices = [this](const FormatChoices& c) { conversionPage->ApplyFormatChoices(c); };
    parametersPage->OnTextsChanged = [this] { Retranslate(); };
    parametersPage->OnLanguageApplied = [this](const std::string& language) { ApplyToolkitTexts(language); };
    connect(pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) SetStatusText(Qs(ctx_.Lang.Text(LK::cpn_sheetMainTitle)));
        if (index == 1) {
            SetStatusText(Qs(ctx_.Lang.Text(LK::cpn_fmtDef)));
            formatEditorPage->PageShown();
        }
        // The parameters page refreshes when it is opened, not when the window comes back.
        if (index == 2) {
            SetStatusText(Qs(ctx_.Lang.Text(LK::cpn_sheetOptions)));
            parametersPage->PageOpened();
        }
    });
    LoadSettings();
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

QSize MainWindow::ScreenRoom() const {
    const QScreen* s = screen();
    if (!s) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The window manager's frame is known once shown; before, the room is the whole work area.
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    return s->availableGeometry().size() - frame;
}

void MainWindow::KeepMinimumSize() {
    // What the layout needs at the current font, never more than the screen has room for: on a
    // smaller screen the pages scroll.
    if (!layout()) return;
    const QSize room = ScreenRoom();
    const QSize least = layout()->totalMinimumSize().boundedTo(room);
    if (minimumSize() != least) setMinimumSize(least);
    if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room).expandedTo(least));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    FirstShow();
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

bool MainWindow::StatusBarBuilt() const { return statusPanels->Built(); }

void MainWindow::SetStatusText(const QString& text) { statusPanels->SetStatusText(text); }

QString MainWindow::StatusText(int panel) const { return statusPanels->Text(panel); }

void MainWindow::RetranslateOwn() {
    const LangTexts& lang = ctx_.Lang;
    CaptionKeys keys;
    keys.AddTab(pages, 0, lang.Text(LK::cpn_sheetMainTitle));
    keys.AddTab(pages, 1, lang.Text(LK::cpn_fmtTitle));
    keys.AddTab(pages, 2, lang.Text(LK::cpn_sheetOptions));
    keys.Add(aboutButton, lang.Text(LK::btn_about));
    keys.Add(quitButton, lang.Text(LK::btn_exit));
    keys.Apply();
    windowKeys_ = keys.Taken();
}

void MainWindow::Retranslate() {
    RetranslateOwn();
    conversionPage->SetWindowKeys(windowKeys_);
    formatEditorPage->SetWindowKeys(windowKeys_);
    parametersPage->SetWindowKeys(windowKeys_);
    conversionPage->Retranslate();
    formatEditorPage->Retranslate();
    parametersPage->Retranslate();
}

void MainWindow::onAboutClicked() {
    // The box is not a child of the window: its Label1..Label3 must not shadow the page's own.
    if (!aboutBox) {
        ownAbout_ = std::make_unique<AboutBox>();
        aboutBox = ownAbout_.get();
    }
    aboutBox->exec();
}

} // namespace lmx
