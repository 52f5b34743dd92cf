#include "platform/Store.h"

#include "tests/support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char KEY[] = "Software\\Quillworth Software\\Coralux Screensaver";
const std::string KEY_LINE = "[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n";
const std::string HEADER = "Windows Registry Editor Version 5.00\n\n" + KEY_LINE;

std::string StoreFile(const CTempConfigHome& home)
{
    return home.GetStoreFile();
}

std::string StoreFolder(const CTempConfigHome& home)
{
    return std::filesystem::path(StoreFile(home)).parent_path();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool QueryDword(HStoreKey key, const char* name, uint32_t* value)
{
    uint32_t type = 0;
    uint32_t size = 4;
    return SysQueryStoreValue(key, name, &type, value, &size) && type == STORE_DWORD && size == 4;
}

// A 32-bit value read in a fresh open-query-close round, as a load does.
std::optional<uint32_t> LoadDword(const char* name)
{
    const HStoreKey key = SysCreateStoreKey(KEY);
    uint32_t value = 0;
    const bool found = QueryDword(key, name, &value);
    SysCloseStoreKey(key);
    return found ? std::optional<uint32_t>(value) : std::nullopt;
}

// Sets one value in a fresh open-set-close round, as a save does.
bool SaveDword(const char* name, uint32_t value)
{
    const HStoreKey key = SysCreateStoreKey(KEY);
    return key && SysSetStoreDword(key, name, value) && SysCloseStoreKey(key);
}

// Runs the body in a child process and returns its exit status.
template <typename Body>
int RunChild(Body body)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// The first open makes the folders (private ones), the file and the empty key
// at the documented place.
TEST(Store, FirstOpenCreatesTheKeyEmpty)
{
    CTempConfigHome home;
    const HStoreKey key = SysCreateStoreKey(KEY);
    ASSERT_NE(0u, key);
    uint32_t value = 0;
    EXPECT_FALSE(QueryDword(key, "ScreenWidth", &value));
    EXPECT_TRUE(SysCloseStoreKey(key));
    const std::string text = ReadText(home.GetPath() + "/coralux/settings.reg");
    EXPECT_NE(std::string::npos, text.find(KEY_LINE));
    EXPECT_EQ(std::string::npos, text.find('"', text.find(KEY_LINE)));
    struct stat folder;
    ASSERT_EQ(0, stat(StoreFolder(home).c_str(), &folder));
    EXPECT_EQ(0700u, folder.st_mode & 07777);
}

// A mark in front of the text (an editor's on the host system, or regedit's
// UTF-16 export) hides no value, and a save adds no second key: it writes
// one plain UTF-8 file holding the old values and the new.
TEST(Store, MarkedStoreKeepsItsValuesAndItsKey)
{
    const std::string lines = HEADER + "\"Fade\"=dword:00000021\n";
    std::u16string wide;
    for (char c : lines)
        wide += (c == '\n' ? u"\r\n" : std::u16string(1, static_cast<char16_t>(c)));
    const std::string utf16 = "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), 2 * wide.size());
    for (const std::string& bytes : {"\xEF\xBB\xBF" + lines, utf16}) {
        CTempConfigHome home;
        WriteText(StoreFile(home), bytes);
        ASSERT_TRUE(SaveDword("ScreenWidth", 800));
        EXPECT_EQ(33u, LoadDword("Fade"));
        EXPECT_EQ(800u, LoadDword("ScreenWidth"));
        const std::string text = ReadText(StoreFile(home));
        EXPECT_EQ(0u, text.rfind("Windows Registry Editor Version 5.00", 0)) << text;
        EXPECT_EQ(text.find("Coralux Screensaver]"), text.rfind("Coralux Screensaver]")) << text;
    }
}

// While only the file of earlier versions exists, it is read; the first save
// writes the new file from it and leaves it as it was; from then on the new
// file is the store.
TEST(Store, EarlierStoreIsReadAndTheNewOneWritten)
{
    CTempConfigHome home;
    const std::string earlier = "; Coralux Screensaver settings for this user. Safe to edit by hand; lines\n\n"
                                "[Software\\Quillworth Software\\Coralux Screensaver]\n\"Fade\"=dword:33\n";
    WriteText(home.GetEarlierStoreFile(), earlier);
    EXPECT_EQ(33u, LoadDword("Fade"));
    ASSERT_TRUE(SaveDword("ScreenWidth", 800));
    EXPECT_EQ(earlier, ReadText(home.GetEarlierStoreFile()));
    const std::string text = ReadText(StoreFile(home));
    EXPECT_NE(std::string::npos, text.find(KEY_LINE + "\"Fade\"=dword:00000021\n\"ScreenWidth\"=dword:00000320\n"))
        << text;

    WriteText(home.GetEarlierStoreFile(), "[Software\\Quillworth Software\\Coralux Screensaver]\n\"Fade\"=dword:5\n");
    EXPECT_EQ(33u, LoadDword("Fade"));
    EXPECT_EQ(800u, LoadDword("ScreenWidth"));
}

// A value larger than the buffer fails and tells its size, leaving the buffer alone.
TEST(Store, QueryTellsTypeAndSizeAndRefusesLargerValue)
{
    CTempConfigHome home;
    WriteText(StoreFile(home), HEADER + "\"Text\"=\"wide\"\n\"Short\"=hex:05\n");
    const HStoreKey key = SysCreateStoreKey(KEY);
    ASSERT_NE(0u, key);
    uint8_t buffer[4] = {9, 9, 9, 9};
    uint32_t type = 0;
    uint32_t size = 4;
    EXPECT_FALSE(SysQueryStoreValue(key, "Text", &type, buffer, &size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(9, buffer[0]);
    size = 4;
    ASSERT_TRUE(SysQueryStoreValue(key, "Short", &type, buffer, &size));
    EXPECT_EQ(STORE_BINARY, type);
    EXPECT_EQ(1u, size);
    EXPECT_EQ(5, buffer[0]);
    SysCloseStoreKey(key);
}

// A save keeps what an installer or the user put there, and what it could not read.
TEST(Store, SaveKeepsUnknownAndDamagedValues)
{
    CTempConfigHome home;
    const std::string before = HEADER + "\"Path\"=\"/opt/coralux/\"\n"
                                        "\"Note\"=\"mine\"\n"
                                        "garbage \x01\x02\n";
    WriteText(StoreFile(home), before);
    ASSERT_TRUE(SaveDword("ScreenWidth", 800));
    EXPECT_EQ(before + "\"ScreenWidth\"=dword:00000320\n", ReadText(StoreFile(home)));
}

// Something that is not a readable file in the store's place gives no key and stays as it was.
TEST(Store, UnreadableStoreGivesNoKeyAndIsKept)
{
    CTempConfigHome home;
    std::filesystem::create_directories(StoreFile(home));
    EXPECT_EQ(0u, SysCreateStoreKey(KEY));
    EXPECT_TRUE(std::filesystem::is_directory(StoreFile(home)));

    std::filesystem::remove(StoreFile(home));
    WriteText(StoreFile(home), HEADER + std::string(2 * 1024 * 1024, ';'));
    EXPECT_EQ(0u, SysCreateStoreKey(KEY));
    EXPECT_EQ(2u * 1024 * 1024 + HEADER.size(), std::filesystem::file_size(StoreFile(home)));
}

// A file the user made read-only is read, and a save leaves it unchanged.
TEST(Store, ReadOnlyStoreIsReadButNotReplaced)
{
    CTempConfigHome home;
    const std::string before = HEADER + "\"Fade\"=dword:0000002a\n";
    WriteText(StoreFile(home), before);
    chmod(StoreFile(home).c_str(), 0444);
    const HStoreKey key = SysCreateStoreKey(KEY);
    ASSERT_NE(0u, key);
    uint32_t fade = 0;
    EXPECT_TRUE(QueryDword(key, "Fade", &fade));
    EXPECT_EQ(42u, fade);
    EXPECT_TRUE(SysSetStoreDword(key, "Fade", 7));
    EXPECT_FALSE(SysCloseStoreKey(key));
    EXPECT_EQ(before, ReadText(StoreFile(home)));
}

// A folder that cannot be written (no key yet, so it must be created) gives no key.
TEST(Store, MissingKeyInReadOnlyFileGivesNoKey)
{
    CTempConfigHome home;
    WriteText(StoreFile(home), "[Other\\Key]\n");
    chmod(StoreFile(home).c_str(), 0444);
    EXPECT_EQ(0u, SysCreateStoreKey(KEY));
    EXPECT_EQ("[Other\\Key]\n", ReadText(StoreFile(home)));
}

// A write that fails midway (the disk full: a file-size limit) leaves the old store whole.
TEST(Store, FailedWriteLeavesOldStoreWhole)
{
    CTempConfigHome home;
    const std::string before = HEADER + "\"Fade\"=dword:0000002a\n" + std::string(4000, ';') + "\n";
    WriteText(StoreFile(home), before);
    const int status = RunChild([] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        return SaveDword("Fade", 7) ? 1 : 0;
    });
    EXPECT_EQ(0, status);
    EXPECT_EQ(before, ReadText(StoreFile(home)));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(StoreFolder(home)), {}));
    EXPECT_TRUE(SaveDword("Fade", 7));
}

// A save killed at any moment leaves the old store or the new one, never a mixture.
TEST(Store, KilledSaveLeavesOldOrNewStore)
{
    CTempConfigHome home;
    const std::string bulk = HEADER + std::string(600 * 1024, ';') + "\n";
    WriteText(StoreFile(home), bulk + "\"Counter\"=dword:0\n");
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (uint32_t count = 1;; ++count)
                SaveDword("Counter", count);
        }
        usleep(static_cast<useconds_t>(3000 + round * 1700));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string text = ReadText(StoreFile(home));
        ASSERT_EQ(0u, text.rfind(bulk + "\"Counter\"=dword:", 0)) << "round " << round;
        ASSERT_EQ('\n', text.back()) << "round " << round;
        const HStoreKey key = SysCreateStoreKey(KEY);
        uint32_t counter = 0;
        EXPECT_TRUE(QueryDword(key, "Counter", &counter)) << "round " << round;
        SysCloseStoreKey(key);
    }
    EXPECT_TRUE(SaveDword("Counter", 1));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(StoreFolder(home)), {}));
}

// Two processes saving at once both keep every value they wrote.
TEST(Store, ConcurrentSavesLoseNoValue)
{
    CTempConfigHome home;
    const int VALUES = 40;
    auto saveAll = [](char prefix) {
        return [prefix] {
            for (int i = 0; i < VALUES; ++i) {
                const std::string name = prefix + std::to_string(i);
                if (!SaveDword(name.c_str(), static_cast<uint32_t>(i)))
                    return 1;
            }
            return 0;
        };
    };
    const pid_t first = fork();
    if (first == 0)
        _exit(saveAll('A')());
    EXPECT_EQ(0, RunChild(saveAll('B')));
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const HStoreKey key = SysCreateStoreKey(KEY);
    for (int i = 0; i < VALUES; ++i) {
        for (const char* prefix : {"A", "B"}) {
            uint32_t value = 0;
            EXPECT_TRUE(QueryDword(key, (prefix + std::to_string(i)).c_str(), &value)) << prefix << i;
            EXPECT_EQ(static_cast<uint32_t>(i), value);
        }
    }
    SysCloseStoreKey(key);
}

// A value added only to fill a gap never undoes one that another process
// stored after the key was opened, and still replaces one it cannot read.
TEST(Store, AddedValueKeepsOneStoredMeanwhile)
{
    CTempConfigHome home;
    WriteText(StoreFile(home), HEADER + "\"Fade\"=\"text\"\n");
    const HStoreKey key = SysCreateStoreKey(KEY);
    ASSERT_NE(0u, key);
    EXPECT_TRUE(SysAddStoreDword(key, "Fade", 100));
    EXPECT_TRUE(SysAddStoreDword(key, "ScreenWidth", 640));
    EXPECT_TRUE(SaveDword("ScreenWidth", 800));
    EXPECT_TRUE(SysCloseStoreKey(key));

    EXPECT_EQ(800u, LoadDword("ScreenWidth"));
    EXPECT_EQ(100u, LoadDword("Fade"));
}

// A store kept behind a symbolic link (a dotfile manager's) stays a link; its target changes.
TEST(Store, SaveFollowsSymbolicLink)
{
    CTempConfigHome home;
    const std::string target = home.GetPath() + "/dotfiles/coralux.reg";
    WriteText(target, HEADER);
    std::filesystem::create_directories(StoreFolder(home));
    std::filesystem::create_symlink(target, StoreFile(home));
    ASSERT_TRUE(SaveDword("Fade", 3));
    EXPECT_TRUE(std::filesystem::is_symlink(StoreFile(home)));
    EXPECT_EQ(HEADER + "\"Fade\"=dword:00000003\n", ReadText(target));
}

// A save replaces the file but keeps the permissions the user gave it.
TEST(Store, SaveKeepsFileMode)
{
    CTempConfigHome home;
    WriteText(StoreFile(home), HEADER);
    ASSERT_EQ(0, chmod(StoreFile(home).c_str(), 0644));
    ASSERT_TRUE(SaveDword("ScreenWidth", 800));
    struct stat status;
    ASSERT_EQ(0, stat(StoreFile(home).c_str(), &status));
    EXPECT_EQ(0644u, status.st_mode & 07777);
}

// A store of exactly the size limit (1 MiB) is still read; one byte more is not.
TEST(Store, StoreOfExactlyTheLimitIsRead)
{
    CTempConfigHome home;
    std::string text = HEADER + "\"ScreenWidth\"=dword:00000320\n";
    text += std::string(1024 * 1024 - text.size(), ';');
    WriteText(StoreFile(home), text);
    HStoreKey key = SysCreateStoreKey(KEY);
    ASSERT_NE(0u, key);
    uint32_t width = 0;
    EXPECT_TRUE(QueryDword(key, "ScreenWidth", &width));
    EXPECT_EQ(800u, width);
    SysCloseStoreKey(key);
    WriteText(StoreFile(home), text + ";");
    EXPECT_EQ(0u, SysCreateStoreKey(KEY));
}
