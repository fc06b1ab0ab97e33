#include "UiFixture.h"

#include "common/Basics.h"
#include "ui/ConversionPage.h"
#include "model/Mnemonics.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
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

void Convert(MainWindow& form) {
    WaitForRun(form, [&] { QTest::mouseClick(form.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton); });
}

} // namespace lmx::test
