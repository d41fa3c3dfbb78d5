// Tests of the engine file system's name queries, folder creation and wildcard searches over
// search paths in a fresh folder.
#include "filesystem/IFileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "EngineLibrary.h"

namespace {

class FileSystemQueriesTest : public ::testing::Test
{
protected:
    IFileSystem *fs = nullptr;
    std::string root;

    void SetUp() override
    {
        fs = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
        ASSERT_NE(fs, nullptr);
        const char *tmp = getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/zv_fsq_XXXXXX";
        ASSERT_NE(mkdtemp(&tmpl[0]), nullptr);
        root = tmpl;
        for (const char *dir : { "/one", "/two", "/one/sub", "/two/sub", "/outside" })
            mkdir((root + dir).c_str(), 0755);
        fs->RemoveAllSearchPaths();
        fs->AddSearchPath((root + "/one").c_str(), "GAME");
        fs->AddSearchPath((root + "/two").c_str(), "GAME");
        fs->AddSearchPath((root + "/two").c_str(), "MOD");
    }
    void TearDown() override
    {
        fs->RemoveAllSearchPaths();
        std::string cmd = "rm -rf '" + root + "'";
        ASSERT_EQ(system(cmd.c_str()), 0);
    }
    void Write(const std::string &rel, const std::string &text) { std::ofstream(root + "/" + rel) << text; }
    bool Real(const std::string &rel)
    {
        struct stat st;
        return stat((root + "/" + rel).c_str(), &st) == 0;
    }
    // Every name of a search with whether it is a folder ("name/" for folders).
    std::vector<std::string> Find(const char *pattern, const char *id)
    {
        std::vector<std::string> names;
        FileFindHandle_t h = FILESYSTEM_INVALID_FIND_HANDLE;
        for (const char *n = fs->FindFirstEx(pattern, id, &h); n; n = fs->FindNext(h))
            names.push_back(std::string(n) + (fs->FindIsDirectory(h) ? "/" : ""));
        if (h != FILESYSTEM_INVALID_FIND_HANDLE)
            fs->FindClose(h);
        return names;
    }
};

TEST_F(FileSystemQueriesTest, NameQueriesFollowThePathIds)
{
    Write("one/a.txt", "12345");
    Write("two/b.txt", "1");
    EXPECT_TRUE(fs->FileExists("a.txt", "GAME"));
    EXPECT_TRUE(fs->FileExists("b.txt", nullptr));
    EXPECT_FALSE(fs->FileExists("a.txt", "MOD"));
    EXPECT_TRUE(fs->FileExists("sub", "GAME"));
    EXPECT_TRUE(fs->IsDirectory("sub", "game"));
    EXPECT_TRUE(fs->IsDirectory("sub/", "GAME"));
    EXPECT_FALSE(fs->IsDirectory("a.txt", "GAME"));
    EXPECT_EQ(5u, fs->FileSize("a.txt", "GAME"));
    EXPECT_EQ(0u, fs->FileSize("sub", "GAME"));
    EXPECT_EQ(0u, fs->FileSize("missing", "GAME"));
    EXPECT_GT(fs->GetFileTime("a.txt", "GAME"), 0);
    EXPECT_EQ(0, fs->GetFileTime("missing", "GAME"));
}

TEST_F(FileSystemQueriesTest, NamesThatLeaveTheRootsAreRefused)
{
    Write("outside/secret.txt", "x");
    for (const char *name : { "../outside/secret.txt", "sub/../../outside/secret.txt", "/etc/passwd", "..", "C:x",
                              "..\\outside\\secret.txt" }) {
        EXPECT_FALSE(fs->FileExists(name, "GAME")) << name;
        EXPECT_FALSE(fs->IsDirectory(name, "GAME")) << name;
        EXPECT_EQ(0u, fs->FileSize(name, "GAME")) << name;
        fs->RemoveFile(name, "GAME");
        EXPECT_TRUE(Find(name, "GAME").empty()) << name;
    }
    EXPECT_TRUE(Real("outside/secret.txt"));
    fs->CreateDirHierarchy("../made", "GAME");
    fs->CreateDirHierarchy("/tmp/zv_fsq_absolute", "GAME");
    EXPECT_FALSE(Real("made"));
    EXPECT_TRUE(Find("../*", "GAME").empty());
}

TEST_F(FileSystemQueriesTest, CreateAndRemove)
{
    fs->CreateDirHierarchy("x\\y/./z", "MOD");
    EXPECT_TRUE(Real("two/x/y/z"));
    EXPECT_FALSE(Real("one/x"));
    fs->CreateDirHierarchy("x/y/z", "NONE");  // no such path id: nothing happens
    Write("one/gone.txt", "");
    Write("two/gone.txt", "");
    fs->RemoveFile("gone.txt", "GAME");
    EXPECT_FALSE(Real("one/gone.txt"));
    EXPECT_TRUE(Real("two/gone.txt")) << "only the first path holding it";
    fs->RemoveFile("sub", "GAME");
    EXPECT_TRUE(Real("one/sub")) << "folders are not removed";
}

TEST_F(FileSystemQueriesTest, FindListsEachNameOnceWithFolderFlags)
{
    Write("one/b.txt", "");
    Write("one/a.txt", "");
    Write("two/a.txt", "");
    Write("two/c.dat", "");
    Write("one/sub/inner.txt", "");
    std::vector<std::string> expected = { "a.txt", "b.txt", "sub/", "c.dat" };
    EXPECT_EQ(expected, Find("*", "GAME"));
    expected = { "a.txt", "b.txt" };
    EXPECT_EQ(expected, Find("*.txt", "GAME"));
    expected = { "inner.txt" };
    EXPECT_EQ(expected, Find("sub/*", "GAME"));
    EXPECT_TRUE(Find("nothing*", "GAME").empty());
    expected = { "sub/" };
    EXPECT_EQ(expected, Find("sub", "GAME")) << "a name without wildcards finds itself";

    FileFindHandle_t h = 12345;
    EXPECT_EQ(nullptr, fs->FindFirstEx("zzz*", "GAME", &h));
    EXPECT_EQ(FILESYSTEM_INVALID_FIND_HANDLE, h);
    EXPECT_EQ(nullptr, fs->FindNext(h));
    EXPECT_FALSE(fs->FindIsDirectory(777));
    fs->FindClose(777);

    // Two searches at once keep their own places.
    FileFindHandle_t h1, h2;
    std::string first = fs->FindFirstEx("*", "GAME", &h1);
    std::string second = fs->FindFirstEx("*", "MOD", &h2);
    EXPECT_NE(h1, h2);
    EXPECT_EQ("a.txt", first);
    EXPECT_EQ("a.txt", second);
    EXPECT_STREQ("b.txt", fs->FindNext(h1));
    EXPECT_STREQ("c.dat", fs->FindNext(h2));
    fs->FindClose(h1);
    fs->FindClose(h2);
}

TEST_F(FileSystemQueriesTest, SearchPathTextAndOpenEx)
{
    char text[1024];
    int n = fs->GetSearchPath("GAME", false, text, sizeof(text));
    std::string expected = root + "/one/;" + root + "/two/";
    EXPECT_EQ(expected, text);
    EXPECT_EQ(static_cast<int>(expected.size()), n);
    char small[8];
    EXPECT_EQ(n, fs->GetSearchPath("GAME", false, small, sizeof(small)));
    EXPECT_EQ(expected.substr(0, 7), small);
    EXPECT_EQ(0, fs->GetSearchPath("NONE", false, text, sizeof(text)));
    EXPECT_STREQ("", text);

    char *resolved = text;
    FileHandle_t f = fs->OpenEx("new.txt", "wb", 0, "MOD", &resolved);
    ASSERT_NE(nullptr, f);
    EXPECT_EQ(nullptr, resolved);
    EXPECT_EQ(3, fs->Write("abc", 3, f));
    fs->Close(f);
    EXPECT_EQ(3u, fs->FileSize("new.txt", "MOD"));
    EXPECT_EQ(nullptr, fs->OpenEx("../new.txt", "rb", 0, "MOD", nullptr));
}

}  // namespace
