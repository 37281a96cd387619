#include "core/settings/atomic_file.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_model.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zarnek::settings;
namespace fs = std::filesystem;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/zarnek-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        path = (dir / "zarnek.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string contents() const { return readWholeFile(path).value_or("<missing>"); }
    std::vector<std::string> folderNames() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
    std::string path;
};

// Save at exit of a settings set of about 2 MB, so that writing it out takes
// long enough to be cut by a kill.
std::string bigSave(IniDocument& doc, char tag)
{
    SettingsValues v;
    v.csPort = std::string(1, tag);
    for (int i = 0; i < 100; ++i)
        v.favorites.push_back({"10.0.0." + std::to_string(i), std::string(20000, tag)});
    writeAtExit(doc, v);
    return doc.serialize();
}

}  // namespace

TEST_F(SettingsFileTest, AMissingFileReadsEmptyAndTheFirstWriteCreatesIt)
{
    SettingsFile file(path);
    file.open();
    EXPECT_EQ(readSettings(file.document()).delay, 5);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(file.update([](IniDocument& d) { writeGameType(d, 1); }), std::nullopt);
    EXPECT_EQ(contents(), "[Settings]\nGameType=1\n");
    EXPECT_EQ(file.document().readInteger("Settings", "GameType", 0), 1);
    // Readable by its owner only: it holds the last server password.
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folderNames(), std::vector<std::string>{"zarnek.ini"});
}

TEST_F(SettingsFileTest, AnUpdateAppliesToTheFileAsItIsNowAndKeepsItsMode)
{
    put("[Settings]\nDelay=3\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    SettingsFile file(path);
    file.open();
    put("[Settings]\nDelay=3\n[Mine]\nnote=kept\n");  // edited while the program runs
    ASSERT_EQ(file.update([](IniDocument& d) { writeGameType(d, 0); }), std::nullopt);
    EXPECT_EQ(contents(), "[Settings]\nDelay=3\nGameType=0\n[Mine]\nnote=kept\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(SettingsFileTest, ASymbolicLinkStaysALink)
{
    const std::string real = (dir / "real.ini").string();
    std::ofstream(real) << "[Settings]\n";
    fs::create_symlink(real, path);
    SettingsFile file(path);
    file.open();
    ASSERT_EQ(file.update([](IniDocument& d) { writeGameType(d, 1); }), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readWholeFile(real), std::optional<std::string>("[Settings]\nGameType=1\n"));
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFileAndTheDocument)
{
    // Running as root, a read-only folder is still writable, so the failures
    // are made otherwise: a folder that is a file, and a full disk (a file
    // size limit makes the write of the new file fail part way).
    {
        const std::string blocked = (dir / "not-a-folder").string();
        std::ofstream(blocked) << "x";
        SettingsFile file(blocked + "/zarnek.ini");
        file.open();
        const auto failure = file.update([](IniDocument& d) { writeGameType(d, 1); });
        ASSERT_TRUE(failure.has_value());
        EXPECT_NE(failure->find("Not a directory"), std::string::npos) << *failure;
    }

    {
        // Something there that cannot be read as a file is not replaced.
        const fs::path folder = dir / "folder.ini";
        fs::create_directory(folder);
        SettingsFile file(folder.string());
        file.open();
        EXPECT_TRUE(file.update([](IniDocument& d) { writeGameType(d, 1); }).has_value());
        EXPECT_TRUE(fs::is_directory(folder));
        fs::remove(folder);
    }

    put("[Settings]\nDelay=3\n");
    SettingsFile file(path);
    file.open();
    std::string wanted;
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failure = file.update([&](IniDocument& d) { wanted = bigSave(d, 'a'); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);

    ASSERT_TRUE(failure.has_value());
    EXPECT_GT(wanted.size(), 4096u);
    EXPECT_EQ(contents(), "[Settings]\nDelay=3\n");
    EXPECT_EQ(file.document().serialize(), "[Settings]\nDelay=3\n");
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"not-a-folder", "zarnek.ini"}));

    file.close();
    EXPECT_TRUE(file.update([](IniDocument& d) { writeGameType(d, 1); }).has_value());
    EXPECT_EQ(contents(), "[Settings]\nDelay=3\n");
}

TEST_F(SettingsFileTest, AFileTheUserMayNotReadOrWriteOrReplaceIsLeftAlone)
{
    // A file made read-only, one that cannot be read (it would be replaced
    // by one built without its contents), and a writable file in a read-only
    // folder (there is no way to replace it in one step). Root passes every
    // permission check, so the checks run as nobody then.
    fs::permissions(dir, fs::perms::all);
    const std::string readOnly = (dir / "read-only.ini").string();
    const std::string writeOnly = (dir / "write-only.ini").string();
    const fs::path lockedFolder = dir / "locked";
    const std::string inLocked = (lockedFolder / "zarnek.ini").string();
    fs::create_directory(lockedFolder);
    std::ofstream(readOnly) << "[Settings]\nDelay=3\n";
    std::ofstream(writeOnly) << "[Settings]\nDelay=4\n";
    std::ofstream(inLocked) << "[Settings]\nDelay=5\n";
    const auto r = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const auto w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const auto x = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(readOnly, r);
    fs::permissions(writeOnly, w);
    fs::permissions(inLocked, r | w);
    fs::permissions(lockedFolder, r | x);

    auto check = [&]() -> int {
        int replaced = 0;
        for (const std::string& p : {readOnly, writeOnly, inLocked}) {
            SettingsFile file(p);
            file.open();
            replaced += file.update([](IniDocument& d) { writeGameType(d, 1); }).has_value() ? 0 : 1;
        }
        return replaced;
    };
    if (::getuid() == 0) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(::setuid(65534) == 0 ? check() : 100);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    } else {
        EXPECT_EQ(check(), 0);
    }
    EXPECT_EQ(readWholeFile(readOnly), std::optional<std::string>("[Settings]\nDelay=3\n"));
    EXPECT_EQ(readWholeFile(writeOnly), std::optional<std::string>("[Settings]\nDelay=4\n"));
    EXPECT_EQ(readWholeFile(inLocked), std::optional<std::string>("[Settings]\nDelay=5\n"));
    fs::permissions(lockedFolder, fs::perms::all);
}

TEST_F(SettingsFileTest, AKillAtAnyMomentLeavesTheOldFileOrTheNewOne)
{
    // A child saves two large settings sets in turn without end and is
    // killed at a random moment; the file must be one of them every time.
    IniDocument a, b;
    const std::string first = bigSave(a, 'a');
    const std::string second = bigSave(b, 'b');
    put(first);

    std::mt19937 random(12345);
    int seenSecond = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SettingsFile file(path);
            file.open();
            for (int i = 0;; ++i)
                file.update([&](IniDocument& d) { bigSave(d, i % 2 ? 'a' : 'b'); });
        }
        ::usleep(static_cast<useconds_t>(random() % 30000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = contents();
        ASSERT_TRUE(now == first || now == second) << "round " << round << ", " << now.size() << " bytes";
        seenSecond += now == second;
    }
    // A writer killed before its rename leaves its temporary file; the next
    // run's open removes it, and nothing else.
    std::ofstream((dir / ".zarnek.ini.AbC123").string()) << "half";
    std::ofstream((dir / ".zarnek.ini.bak").string()) << "mine";
    SettingsFile file(path);
    file.open();
    EXPECT_EQ(file.document().serialize(), contents());
    EXPECT_EQ(folderNames(), (std::vector<std::string>{".zarnek.ini.bak", "zarnek.ini"}));
    std::cout << "rounds that ended on the second set: " << seenSecond << " of 60\n";
}
