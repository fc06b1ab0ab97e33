#include "UiFixture.h"

#include "common/Basics.h"
#include "model/Mnemonics.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/ParametersPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace lmx::test {

std::vector<std::string> Program::LogFrom(const std::string& prefix, std::size_t count) const {
    std::vector<std::string> out;
    const auto& lines = log.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) != 0) continue;
        for (std::size_t j = i; j < lines.size() && out.size() < count; ++j) out.push_back(lines[j]);
        break;
    }
    return out;
}

std::unique_ptr<MainWindow> Program::Open(std::vector<std::string> args) {
    ctx.Args = std::move(args);
    return std::make_unique<MainWindow>(ctx);
}

void Program::Choose(MainWindow& form, std::vector<std::string> files) {
    dialogs.openAnswers.push_back(std::move(files));
    Click(form, names::kOpenButton);
}

std::unique_ptr<MainWindow> Program::OpenWith(std::vector<std::string> files) {
    auto form = Open();
    form->show();
    Choose(*form, std::move(files));
    return form;
}

void PrepareInOut(Program& p) {
    WriteFile(p.path("Lumivex.fmt"),
              FileBanner(bkFormats) + "\r\n" +
                  CrLf({"NOM=IN", "CMT=in", "CLC=2", "SEP=;", "DEC=,", "IFL=0", "COL=A|N|0|0|0|", "COL=B|AN|0|0|0|",
                        "NOM=OUT", "CMT=out", "CLC=2", "SEP=;", "DEC=.", "IFL=0", "COL=B|AN|0|0|0|", "COL=A|N|0|0|0|"}));
    p.session.SetProgramDir(p.dir.path());
    p.params.Defaults();
    p.params.settings.inputFormat = "IN";
    p.params.settings.outputFormat = "OUT";
    p.params.Save();
}

std::string Caption(const QString& text) { return WithoutMnemonic(text.toStdString()); }

void WaitForCommandLineRun(MainWindow& form) {
    QElapsedTimer t;
    t.start();
    while (!form.CommandLineRunDone() && t.elapsed() < 10'000) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Click(const QObject& root, const char* name) {
    if (auto* b = Find<QAbstractButton>(root, name)) b->click();
}

QString Text(const QObject& root, const char* name) {
    QWidget* w = Find(root, name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return QStringLiteral("<?>");
}

QString Cell(const QObject& root, const char* grid, int row, int col) {
    auto* view = Find<QTableView>(root, grid);
    return view ? view->model()->index(row, col).data().toString() : QString();
}

bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void ForEveryPage(MainWindow& form, const std::function<void(const std::string& where)>& look, int editorMode,
                  const std::string& format) {
    auto* lower = Find<QTabWidget>(form, names::kResultViews);
    form.pages->setCurrentIndex(0);
    for (int i = 0; i < lower->count(); ++i) {
        lower->setCurrentIndex(i);
        look("conversion page, lower page " + std::to_string(i + 1));
    }
    form.pages->setCurrentIndex(1);
    form.formatEditorPage->EnterState(editorMode, format);
    look("format editor");
    form.pages->setCurrentIndex(2);
    for (int i = 0; i < 3; ++i) {
        form.parametersPage->ShowCategory(i);
        look("parameters, panel " + std::to_string(i + 1));
    }
    form.pages->setCurrentIndex(0);
}

void Convert(MainWindow& form) {
    WaitForRun(form, [&] { Click(form, names::kConvertButton); });
}

} // namespace lmx::test
