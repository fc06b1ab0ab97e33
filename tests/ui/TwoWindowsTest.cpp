// Two windows on one folder: each keeps the options and the formats the other saved. The rules are
// tested in the core; here only that the pages and the window's close go through them.
#include "UiFixture.h"

#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lmx {
namespace {

using test::ReadFile;

// A second program on the folder of the first.
struct Other {
    explicit Other(const std::string& folder) : ctx{session, dialogs, folder, {}} {}
    ScriptedDialogs dialogs;
    test::RecordingTrash trash;
    Session session{dialogs, trash};
    WindowContext ctx;
};

// New format name with one text column TICK and the comment given, then saved.
void NewFormat(MainWindow& form, ScriptedDialogs& dialogs, const std::string& name, const char* comment) {
    dialogs.nameAnswers.push_back({true, name, ""});
    test::Click(form, names::kNewFormatButton);
    test::Find<QLineEdit>(form, names::kCommentEdit)->setText(QString::fromLatin1(comment));
    QTest::keyClicks(test::Find<QComboBox>(form, names::kColumnNameBox)->lineEdit(), "tick");
    test::Find<QComboBox>(form, names::kTypeBox)->setCurrentText("AN");
}

TEST(TwoWindows, EachKeepsWhatTheOtherSaved) {
    test::Program a;
    test::PrepareInOut(a);
    Other b(a.dir.path());
    auto formA = a.Open();
    auto formB = std::make_unique<MainWindow>(b.ctx);

    // Options: A stops on a bad line, B deletes the sources.
    test::Click(*formA, names::kStopRunRadio);
    test::Click(*formA, names::kSaveSettingsButton);
    test::Click(*formB, names::kDeleteRadio);
    test::Click(*formB, names::kSaveSettingsButton);

    // Formats: B's name dialog knows A's new format; a name taken after it asks, and Cancel loads A's.
    NewFormat(*formA, a.dialogs, "lmxa", "by a");
    test::Click(*formA, names::kSaveFormatButton);
    b.dialogs.nameAnswers.push_back({true, "lmxa", ""});
    test::Click(*formB, names::kNewFormatButton);
    EXPECT_EQ(b.dialogs.shown.back(), b.session.lang.Format(LK::msg_fmtNameExists, {"LMXA"}));
    NewFormat(*formB, b.dialogs, "lmxb", "by b");
    NewFormat(*formA, a.dialogs, "lmxb", "by a");
    test::Click(*formA, names::kSaveFormatButton);
    const std::string fmt = ReadFile(a.path("Lumivex.fmt"));
    b.dialogs.confirmAnswers.push_back(false);
    test::Click(*formB, names::kSaveFormatButton);
    ASSERT_FALSE(b.dialogs.confirmed.empty());
    EXPECT_EQ(b.dialogs.confirmed.back(), b.session.lang.Format(LK::msg_fmtAddedElsewhere, {"LMXB"}));
    EXPECT_EQ(ReadFile(a.path("Lumivex.fmt")), fmt);
    EXPECT_EQ(test::Find<QLineEdit>(*formB, names::kFormatNameEdit)->text(), "LMXB");
    EXPECT_EQ(test::Find<QLineEdit>(*formB, names::kCommentEdit)->text(), "by a");
    EXPECT_TRUE(test::Find<QAbstractButton>(*formB, names::kDeleteFormatButton)->isEnabled())
        << "A's format, open for modification";

    // Both options kept, also by the saves of the windows' close.
    formB->close();
    formA->close();
    const std::string prm = ReadFile(a.path("Lumivex.prm"));
    EXPECT_NE(prm.find("\r\nERL=2\r\n"), std::string::npos);
    EXPECT_NE(prm.find("\r\nSDL=2\r\n"), std::string::npos);
}

} // namespace
} // namespace lmx
