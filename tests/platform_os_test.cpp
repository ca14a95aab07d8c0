// Documents folder, folder creation and listing, and the simulated calendar clock.
#include "platform/os.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {

namespace fs = std::filesystem;

class OsFolder : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               ("os-test-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root);
        const char* home = std::getenv("HOME");
        const char* config = std::getenv("XDG_CONFIG_HOME");
        savedHome = home ? std::optional<std::string>(home) : std::nullopt;
        savedConfig = config ? std::optional<std::string>(config) : std::nullopt;
    }

    void TearDown() override
    {
        Restore("HOME", savedHome);
        Restore("XDG_CONFIG_HOME", savedConfig);
        fs::remove_all(root);
    }

    static void Restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    fs::path root;
    std::optional<std::string> savedHome, savedConfig;
};

TEST_F(OsFolder, ListsPlainFilesSortedByNameInByteOrder)
{
    for (const char* name : {"b.png", "ManualBlankPage.jpg", "10.jpg", "2.jpg", "a.png", "Z.png", "_x.png"})
        std::ofstream(root / name) << "x";
    fs::create_directories(root / "Sub");
    std::ofstream(root / "Sub" / "inner.png") << "x";

    const std::vector<std::string> expected = {"10.jpg", "2.jpg", "ManualBlankPage.jpg", "Z.png", "_x.png",
                                               "a.png",  "b.png"};
    EXPECT_EQ(OsListFiles(root.string()), expected);
    EXPECT_EQ(OsListFiles(root.string() + "/"), expected);
    EXPECT_TRUE(OsListFiles((root / "missing").string()).empty());
    EXPECT_TRUE(OsListFiles((root / "Sub" / "inner.png").string()).empty());
}

TEST_F(OsFolder, CreatesFoldersAndAcceptsExistingOnes)
{
    std::string folder = (root / "Tessaro").string();
    EXPECT_TRUE(OsCreateDirectory(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(OsCreateDirectory(folder));
    std::ofstream(root / "file") << "x";
    EXPECT_FALSE(OsCreateDirectory((root / "file").string()));
    EXPECT_FALSE(OsCreateDirectory((root / "no" / "parent").string()));
    EXPECT_FALSE(OsCreateDirectory(""));
}

TEST_F(OsFolder, DocumentsFolderComesFromUserDirsOrFallsBackToHome)
{
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    EXPECT_EQ(OsDocumentsFolder(), root.string() + "/Documents");

    fs::create_directories(root / "config");
    struct Case {
        const char* line;
        std::string expected;
    };
    const Case cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"", root.string() + "/Dokumente"},
        {"  XDG_DOCUMENTS_DIR = \"/srv/papers/\"", "/srv/papers"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/My\\\"Docs\"", root.string() + "/My\"Docs"},
        {"# XDG_DOCUMENTS_DIR=\"/commented\"", root.string() + "/Documents"},
        {"XDG_DOCUMENTS_DIR=relative", root.string() + "/Documents"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/unterminated", root.string() + "/Documents"},
    };
    for (const Case& c : cases) {
        std::ofstream(root / "config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n" << c.line << "\n";
        EXPECT_EQ(OsDocumentsFolder(), c.expected) << c.line;
    }
}

TEST(OsClock, SimulatedClockStartsWhereToldAndAdvancesWithSimulatedTime)
{
    OsSetSimulatedClock(1000);
    EXPECT_EQ(OsCalendarTime(), 1000);
    OsAdvanceSimulatedClock(0.6);
    EXPECT_EQ(OsCalendarTime(), 1000);
    OsAdvanceSimulatedClock(0.6);
    EXPECT_EQ(OsCalendarTime(), 1001);
    OsAdvanceSimulatedClock(-5);
    EXPECT_EQ(OsCalendarTime(), 1001);
}

} // namespace
