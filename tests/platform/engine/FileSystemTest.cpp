// Tests of the engine file system stand-in: search paths and path ids over a fresh folder,
// refused names, and KeyValues files read and written through it.
#include "filesystem/IFileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "EngineLibrary.h"
#include "fixtures/ScratchFolder.h"
#include "tier1/KeyValues.h"
#include "tier1/utlbuffer.h"

namespace {

class EngineFileSystemTest : public ::testing::Test
{
protected:
    IFileSystem *fs = nullptr;
    std::string root;

    void SetUp() override
    {
        fs = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
        ASSERT_NE(fs, nullptr);
        char tmpl[] = "/tmp/zv_enginefs_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        mkdir((root + "/game").c_str(), 0755);
        mkdir((root + "/mod").c_str(), 0755);
        mkdir((root + "/game/sub").c_str(), 0755);
        fs->RemoveAllSearchPaths();
        fs->AddSearchPath((root + "/mod/").c_str(), "MOD");
        fs->AddSearchPath((root + "/game").c_str(), "GAME");
        fs->AddSearchPath((root + "/mod").c_str(), "GAME", PATH_ADD_TO_HEAD);
    }
    void TearDown() override
    {
        fs->RemoveAllSearchPaths();
        std::string cmd = "rm -rf '" + root + "'";
        ASSERT_EQ(system(cmd.c_str()), 0);
    }
    void WriteReal(const std::string &rel, const std::string &text)
    {
        std::ofstream(root + "/" + rel, std::ios::binary) << text;
    }
    std::string ReadReal(const std::string &rel)
    {
        std::ifstream in(root + "/" + rel, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::string ReadVia(const char *name, const char *id)
    {
        FileHandle_t f = fs->Open(name, "rb", id);
        if (!f)
            return "<none>";
        std::string data(fs->Size(f), '\0');
        int n = fs->Read(&data[0], static_cast<int>(data.size()), f);
        fs->Close(f);
        data.resize(static_cast<size_t>(n));
        return data;
    }
};

TEST_F(EngineFileSystemTest, SearchOrderAndPathIds)
{
    WriteReal("game/a.txt", "game");
    WriteReal("mod/a.txt", "mod");
    WriteReal("game/sub/b.txt", "bee");
    EXPECT_EQ(ReadVia("a.txt", "GAME"), "mod");  // the mod folder was put first for GAME
    EXPECT_EQ(ReadVia("a.txt", "game"), "mod");  // ids ignore letter case
    EXPECT_EQ(ReadVia("a.txt", "MOD"), "mod");
    EXPECT_EQ(ReadVia("a.txt", nullptr), "mod");
    EXPECT_EQ(ReadVia("sub/b.txt", "GAME"), "bee");
    EXPECT_EQ(ReadVia("sub\\b.txt", "GAME"), "bee");
    EXPECT_EQ(ReadVia("sub/b.txt", "MOD"), "<none>");
    EXPECT_EQ(ReadVia("sub", "GAME"), "<none>");  // a folder is not a file
    EXPECT_EQ(ReadVia("a.txt", "DATA"), "<none>");

    EXPECT_TRUE(fs->RemoveSearchPath((root + "/mod").c_str(), "GAME"));
    EXPECT_EQ(ReadVia("a.txt", "GAME"), "game");
    EXPECT_FALSE(fs->RemoveSearchPath("/nowhere"));
}

TEST_F(EngineFileSystemTest, RefusesNamesOutsideTheRoots)
{
    WriteReal("game/a.txt", "game");
    const char *refused[] = {"../game/a.txt", "sub/../../x", "/etc/passwd", "\\etc\\passwd", "C:/x", "..", "", nullptr};
    for (const char *name : refused) {
        EXPECT_EQ(fs->Open(name, "rb", "GAME"), nullptr) << (name ? name : "(null)");
        EXPECT_EQ(fs->Open(name, "wb", "GAME"), nullptr) << (name ? name : "(null)");
    }
    EXPECT_EQ(ReadVia("..a.txt", "GAME"), "<none>");  // dots inside a name are fine, just absent
}

TEST_F(EngineFileSystemTest, WriteSeekTell)
{
    FileHandle_t f = fs->Open("out.bin", "wb", "MOD");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fs->Write("hello world", 11, f), 11);
    fs->Flush(f);
    EXPECT_EQ(fs->Size(f), 11u);
    EXPECT_EQ(fs->Tell(f), 11u);
    fs->Close(f);
    EXPECT_EQ(ReadReal("mod/out.bin"), "hello world");

    f = fs->Open("out.bin", "rb", "MOD");
    fs->Seek(f, 6, FILESYSTEM_SEEK_HEAD);
    char buf[16] = {};
    EXPECT_EQ(fs->ReadEx(buf, sizeof(buf), 100, f), 5);
    EXPECT_STREQ(buf, "world");
    fs->Seek(f, -5, FILESYSTEM_SEEK_TAIL);
    EXPECT_EQ(fs->Tell(f), 6u);
    fs->Close(f);

    // writing with no path id goes to the first search path
    f = fs->Open("first.txt", "wb", nullptr);
    ASSERT_NE(f, nullptr);
    fs->Close(f);
    struct stat st;
    EXPECT_EQ(stat((root + "/mod/first.txt").c_str(), &st), 0);
    EXPECT_EQ(fs->Open("missing/dir/x.txt", "wb", "MOD"), nullptr);
}

TEST_F(EngineFileSystemTest, KeyValuesThroughTheFileSystem)
{
    mkdir((root + "/game/resource").c_str(), 0755);
    WriteReal("game/resource/base.res", "base { wide 10 tall 20 }");
    WriteReal("game/resource/main.res", "#base \"base.res\"\nmain { wide 30 }");

    KeyValues *kv = new KeyValues("x");
    ASSERT_TRUE(kv->LoadFromFile(fs, "resource/main.res", "GAME"));
    EXPECT_EQ(kv->GetInt("wide"), 30);
    EXPECT_EQ(kv->GetInt("tall"), 20);

    ASSERT_TRUE(kv->SaveToFile(fs, "saved.res", "MOD"));
    EXPECT_EQ(ReadReal("mod/saved.res"), "\"main\"\n{\n\t\"wide\"\t\t\"30\"\n\t\"tall\"\t\t\"20\"\n}\n");
    EXPECT_FALSE(kv->SaveToFile(fs, "../escape.res", "MOD"));
    kv->deleteThis();

    // an empty file loads as nothing
    WriteReal("game/empty.res", "");
    KeyValues *empty = new KeyValues("keep");
    EXPECT_TRUE(empty->LoadFromFile(fs, "empty.res", "GAME"));
    EXPECT_STREQ(empty->GetName(), "keep");
    empty->deleteThis();
}

}  // namespace

// Whole-file reads into a buffer and full-path queries, as the HTML plug-in makes them.
TEST(FileSystemReadFile, AppendsTheFileAndRefusesNamesOutsideTheRoots)
{
    ScratchFolder folder;
    ASSERT_TRUE(folder.Ok());
    IFileSystem *fs = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
    ASSERT_NE(fs, nullptr);
    std::string game = folder / "game";
    ASSERT_EQ(mkdir(game.c_str(), 0755), 0);
    std::ofstream(game + "/a.txt", std::ios::binary) << "0123456789";
    std::ofstream(folder / "outside.txt") << "secret";
    fs->AddSearchPath(game.c_str(), "GAME");

    CUtlBuffer buf(0, 0, 0);
    buf.Put("x", 1);
    EXPECT_TRUE(fs->ReadFile("a.txt", "GAME", buf, 0, 0, nullptr));
    EXPECT_EQ(std::string(static_cast<const char *>(buf.Base()), buf.TellPut()), "x0123456789");
    CUtlBuffer part(0, 0, 0);
    EXPECT_TRUE(fs->ReadFile("a.txt", "GAME", part, 3, 4, nullptr));
    EXPECT_EQ(std::string(static_cast<const char *>(part.Base()), part.TellPut()), "456");

    for (const char *name : { "missing.txt", "../outside.txt", "/etc/passwd", "", "." })
    {
        CUtlBuffer none(0, 0, 0);
        EXPECT_FALSE(fs->ReadFile(name, "GAME", none, 0, 0, nullptr)) << name;
        EXPECT_EQ(none.TellPut(), 0) << name;
    }
    EXPECT_FALSE(fs->ReadFile("a.txt", "MOD", buf, 0, 0, nullptr));

    char full[512] = "junk";
    EXPECT_EQ(fs->RelativePathToFullPath("a.txt", "GAME", full, sizeof(full)), full);
    EXPECT_EQ(std::string(full), game + "/a.txt");
    EXPECT_EQ(fs->RelativePathToFullPath("../bin/", "GAME", full, sizeof(full)), nullptr);
    EXPECT_STREQ(full, "");
    char tiny[4];
    EXPECT_EQ(fs->RelativePathToFullPath("a.txt", "GAME", tiny, sizeof(tiny)), tiny);
    EXPECT_EQ(strlen(tiny), 3u);
    fs->RemoveSearchPath(game.c_str());
}
