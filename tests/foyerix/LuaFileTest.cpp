// The file library's access rule, and listings of folders that hold files scripts cannot
// name themselves (copies, hidden files).
#include "lua/LuaFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "MenuStateFixture.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"

namespace
{
struct AccessCase
{
	const char *path;
	const char *pathID;
	bool write;
	bool anyExtension;
	bool allowed;
};

TEST(IsFileAccessAllowedTest, WritesStayInDataAndReadsInTheirFolders)
{
	const AccessCase cases[] = {
		{ "a/b.txt", "DATA", true, false, true },
		{ "a/b.dat", "DATA", true, false, true },
		{ "a/b.txt", "data", true, false, false },
		{ "a/b.txt", "MOD", true, false, false },
		{ "a/b.TXT", "DATA", true, false, false },
		{ "a/b.lua", "DATA", true, false, false },
		{ "a/b", "DATA", true, false, false },
		{ "a/b", "DATA", true, true, true },
		{ "a/../b.txt", "DATA", true, false, false },
		{ "/b.txt", "DATA", true, false, false },
		{ "a/./b.txt", "DATA", true, false, false },
		{ "./b.txt", "DATA", true, false, false },
		{ "a:b.txt", "DATA", true, false, false },
		{ "a\\b.txt", "DATA", true, false, false },  // callers turn "\" into "/" first
		{ "..", "GAME", false, false, false },
		{ "a..b", "GAME", false, false, false },
		{ "maps/*.bsp", "GAME", false, false, true },
		{ "cfg/config.cfg", "MOD", false, false, true },
		{ "~/x", "GAME", false, false, false },
		{ "a\nb", "GAME", false, false, false },
		{ "", "GAME", false, false, true },
	};
	for (const AccessCase &c : cases)
		EXPECT_EQ(c.allowed, IsFileAccessAllowed(c.path, c.pathID, c.write, c.anyExtension))
			<< c.path << " " << c.pathID << " write=" << c.write;
}

class LuaFileTest : public MenuStateTest
{
protected:
	void SetUp() override
	{
		MenuStateTest::SetUp();
		InitLuaLibraries(m_lua);
		InitLuaClasses(m_lua);
		ASSERT_FALSE(m_harness->dataFolder.empty());
	}
	void Touch(const std::string &name) { std::ofstream(m_harness->dataFolder + "/" + name) << "x"; }
};

TEST_F(LuaFileTest, FindSkipsHiddenEntriesAndCopiesInAnyCase)
{
	for (const char *name : { "b.txt", "B.txt", ".hidden", "x Copy (2).txt", "y copy (3).txt", "z COPY (4).txt",
	                          "Copy.txt", "copy(1).txt" })
		Touch(name);
	EXPECT_EQ("B.txt,Copy.txt,b.txt,copy(1).txt", Eval("table.concat(file.Find('*', 'DATA'), ',')"));
}

TEST_F(LuaFileTest, DeleteRemovesOnlyWhatScriptsMayWrite)
{
	Touch("keep.lua");
	Touch("gone.dat");
	EXPECT_TRUE(Run("file.Delete('keep.lua') file.Delete('gone.dat')"));
	EXPECT_EQ("true", Eval("file.Exists('keep.lua', 'DATA')"));
	EXPECT_EQ("false", Eval("file.Exists('gone.dat', 'DATA')"));
}

TEST_F(LuaFileTest, FilesCollectedWhileOpenAreClosed)
{
	Touch("open.txt");
	auto openDescriptors = [] {
		int n = 0;
		for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd"))
			n += entry.is_symlink() ? 1 : 0;
		return n;
	};
	int before = openDescriptors();
	EXPECT_TRUE(Run("for i = 1, 100 do file.Open('open.txt', 'rb', 'DATA') end"));
	EXPECT_GE(openDescriptors(), before + 100);
	EXPECT_TRUE(Run("collectgarbage() collectgarbage()"));
	EXPECT_EQ(before, openDescriptors());
	// Closed by hand, a collected File closes nothing twice.
	EXPECT_TRUE(Run("for i = 1, 100 do file.Open('open.txt', 'rb', 'DATA'):Close() end collectgarbage() collectgarbage()"));
	EXPECT_EQ(before, openDescriptors());
}
}
