// Where the sql library keeps its database: "mn.db" in the first "MOD" folder, in memory
// when there is none. Each case runs in a fresh process, as the database is opened once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "MenuStateFixture.h"
#include "filesystem/IFileSystem.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "tier1/tier2.h"

namespace
{
bool Exists(const std::string &path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0;
}

class LuaSqlTest : public MenuStateTest
{
protected:
	void SetUp() override
	{
		GTEST_FLAG_SET(death_test_style, "threadsafe");
		MenuStateTest::SetUp();
		InitLuaLibraries(m_lua);
		InitLuaClasses(m_lua);
	}
};

TEST_F(LuaSqlTest, DatabaseFileLivesInTheModFolderAndKeepsItsData)
{
	std::string folder = m_harness->gameFolder;
	ASSERT_FALSE(folder.empty());
	EXPECT_EXIT(
		{
			bool ok = Run("assert(sql.Query('CREATE TABLE kept (v TEXT)') == nil)"
			              "assert(sql.Query(\"INSERT INTO kept VALUES ('x')\") == nil)");
			bool file = Exists(folder + "/mn.db") && !Exists(folder + "/data/mn.db");
			m_harness.reset();  // removes the child's game folder
			exit(ok && file ? 0 : 1);
		},
		::testing::ExitedWithCode(0), "");
}

TEST_F(LuaSqlTest, WithoutAModFolderTheDatabaseIsInMemory)
{
	char cwd[4096];
	ASSERT_NE(nullptr, getcwd(cwd, sizeof(cwd)));
	std::string inCwd = std::string(cwd) + "/mn.db";
	bool before = Exists(inCwd);
	EXPECT_EXIT(
		{
			g_pFullFileSystem->RemoveSearchPath(m_harness->gameFolder.c_str(), "MOD");
			bool ok = Run("assert(sql.Query('CREATE TABLE t (v)') == nil)"
			              "assert(sql.Query('SELECT count(*) AS n FROM t')[1].n == '0')");
			bool file = Exists(m_harness->gameFolder + "/mn.db") || (!before && Exists(inCwd));
			m_harness.reset();
			exit(ok && !file ? 0 : 1);
		},
		::testing::ExitedWithCode(0), "");
}
}
