#include "CliRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace lmx::test {
namespace {

constexpr uid_t kNobody = 65534;

// Runs a program with HOME and the XDG folders replaced; as root, under the user nobody, since root
// writes into read-only folders.
int RunProgram(const std::string& exe, const std::vector<std::string>& args, const std::vector<std::string>& env,
        const std::string& log) {
    std::vector<std::string> argStore{exe};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<std::string> envStore;
    for (char** e = environ; *e; ++e) {
        const std::string_view v(*e);
        if (!v.starts_with("HOME=") && !v.starts_with("XDG_CONFIG_HOME=") && !v.starts_with("XDG_RUNTIME_DIR="))
            envStore.emplace_back(v);
    }
    envStore.insert(envStore.end(), env.begin(), env.end());
    std::vector<char*> argv, envp;
    for (auto& a : argStore) argv.push_back(a.data());
    for (auto& e : envStore) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const bool drop = ::geteuid() == 0 && exe != LUMIVEX_CMAKE_COMMAND;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (std::FILE* f = std::fopen(log.c_str(), "ab")) {
            ::dup2(::fileno(f), 1);
            ::dup2(::fileno(f), 2);
        }
        if (drop && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir)) names.push_back(e.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

void SetWritable(const std::string& dir, bool writable) {
    const auto opts = writable ? fs::perm_options::add : fs::perm_options::remove;
    const auto perms = writable ? fs::perms::owner_write : fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (!e.is_symlink()) fs::permissions(e.path(), perms, opts);
    fs::permissions(dir, perms, opts);
}

// Both programs run from a read-only installation and keep the user's files in the configuration folder.
TEST(Install, ReadOnlyInstallationKeepsTheUsersFilesInTheConfigurationFolder) {
    TempDir root;
    const std::string prefix = root.file("prefix"), home = root.file("home/"), log = root.file("log.txt");
    ASSERT_EQ(RunProgram(LUMIVEX_CMAKE_COMMAND, {"--install", LUMIVEX_BINARY_DIR, "--prefix", prefix}, {}, log), 0)
        << ReadFile(log);
    const std::string program = prefix + "/" + LUMIVEX_INSTALL_DIR + "/";
    EXPECT_EQ(ReadFile(program + "Lumivex.lng"), ReadFile(std::string(LUMIVEX_SOURCE_DIR) + "/examples/Lumivex.lng"));
#ifdef LUMIVEX_HAS_MAN
    EXPECT_TRUE(Exists(prefix + "/share/man/man1/lumivex-convert.1.gz"));
#endif
    EXPECT_TRUE(Exists(prefix + "/share/bash-completion/completions/lumivex-convert"));
    fs::create_directories(home + "run"); // the window's runtime folder, private to its user
    fs::permissions(home + "run", fs::perms::owner_all);
    WriteFile(home + "q.txt", "Date;Valeur;Ouverture;Haut;Bas;Cloture;Volume\r\n02/12/2024;ACME;42,10;42,16;41,53;41,80;87977\r\n");
    if (::geteuid() == 0) {
        for (const std::string& p : {home, home + "run", home + "q.txt"}) ASSERT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
    }
    SetWritable(prefix, false);
    struct Restore { // so that the temporary folder can be removed, whatever happens
        std::string dir;
        ~Restore() { SetWritable(dir, true); }
    } restore{prefix};
    const auto before = Listing(prefix);

    const std::string convert = prefix + "/bin/lumivex-convert";
    const std::vector<std::string> env{"HOME=" + home};
    EXPECT_EQ(RunProgram(convert, {"--check"}, env, log), 0) << ReadFile(log);
    EXPECT_EQ(ReadFile(home + ".config/Lumivex/Lumivex.fmt"), ReadFile(program + "Lumivex.fmt"));
    EXPECT_EQ(RunProgram(convert, {"--lang", "English", "--in", "FRJOUR", "--out", "ISOTAB", "-o", home + "r.txt", home + "q.txt"},
                  env, log), 0) << ReadFile(log);
    EXPECT_EQ(ReadFile(home + "r.txt").substr(40), "2024-12-02\tACME\t42.10\t42.16\t41.53\t41.80\t87977\r\n");
#ifdef LUMIVEX_HAS_WINDOW
    EXPECT_EQ(RunProgram(prefix + "/bin/Lumivex", {"--screenshots", home + "shots"},
                  {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "xdg", "XDG_RUNTIME_DIR=" + home + "run",
                   "QT_QPA_PLATFORM=offscreen"}, log), 0)
        << ReadFile(log);
    EXPECT_TRUE(Exists(home + "xdg/Lumivex/Lumivex.prm")); // made by the window at its start
    EXPECT_TRUE(Exists(home + "xdg/Lumivex/Lumivex.fmt"));
#endif
    EXPECT_EQ(Listing(prefix), before);
}

} // namespace
} // namespace lmx::test
