#include "CliRig.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

// One language per run: every line the converter prints follows the language in use, French by
// default, English with its section of the language file.
TEST(Language, EveryMessageOfARunSpeaksTheLanguageInUse) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"), ExampleFormatFile());
    WriteFile(dir.file("Lumivex.lng"), ReadFile(std::string(LUMIVEX_SOURCE_DIR) + "/examples/Lumivex.lng"));
    WriteFile(dir.file("bad.txt"), "Date;Valeur\r\nnot a quote\r\n"); // FRJOUR skips a header line
    WriteFile(dir.file("empty.txt"), "");
    const std::vector<std::string> run{"--dir", dir.path(), "--in", "FRJOUR", "--out", "ISOTAB", "-o", "-", "--delete",
                                       dir.file("bad.txt"), dir.file("empty.txt")};
    const CliResult french = RunCli(run);
    EXPECT_EQ(french.status, 1);
    EXPECT_EQ(french.err, "Le fichier empty.txt est vide et ne sera donc pas converti.\n"
                          "résultat : sortie standard\n"
                          "fichiers : 1, lignes lues : 1, rejetées : 1, écrites : 0\n"
                          "rejetées par code : #Unstring 1 ; les lignes, avec leur numéro : --rejects FICHIER\n"
                          "conservés : 1 fichier(s) source avec des lignes rejetées, ni recyclés ni supprimés\n");

    std::vector<std::string> english = run;
    english.insert(english.begin(), {"--lang", "English"});
    EXPECT_EQ(RunCli(english).err, "The file empty.txt is empty and will not be converted.\n"
                                   "result: standard output\n"
                                   "files: 1, lines read: 1, rejected: 1, written: 0\n"
                                   "rejected by code: #Unstring 1; the lines, with their numbers: --rejects FILE\n"
                                   "kept: 1 source(s) with rejected lines, neither recycled nor deleted\n");

    const CliResult check = RunCli({"--dir", dir.path(), "--check"});
    EXPECT_EQ(check.out.substr(0, check.out.find('\n')), "ADJCLOSE : ok");
}

} // namespace
} // namespace lmx::test
