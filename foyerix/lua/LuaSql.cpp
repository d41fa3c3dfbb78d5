// The "sql" library: one local SQLite database, "mn.db" in the game's "MOD" folder (in memory
// when that cannot be opened), queried from menu scripts with rows returned as tables of text.
#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "filesystem/IFileSystem.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "tier1/strtools.h"
#include "tier1/tier2.h"

namespace
{
// One result row: column names and texts in column order.
typedef std::vector<std::pair<std::string, std::string>> Row;

sqlite3 *pDatabase = nullptr;
// Rows of the query being run. They are gathered in C++ and become Lua tables once SQLite
// has returned: nothing that can raise a Lua error runs inside SQLite's own frames, where
// unwinding would leave its statement unfinished.
std::vector<Row> *pResultRows = nullptr;
int32_t iResultCount = 1;

const int kMaxPath = 260;

// The database file: the first "MOD" folder followed by "mn.db". False when there is no such
// folder or the name does not fit, so the database never lands in the working directory or
// under a cut name.
bool DatabaseFileName(char *pName, int nSize)
{
	if (!g_pFullFileSystem)
		return false;
	char searchPath[kMaxPath];
	int length = g_pFullFileSystem->GetSearchPath("MOD", false, searchPath, sizeof(searchPath));
	if (length <= 0 || length >= kMaxPath)
		return false;
	if (char *separator = strchr(searchPath, ';'))
		*separator = '\0';
	if (!searchPath[0])
		return false;
	int written = V_snprintf(pName, nSize, "%s%s", searchPath, "mn.db");
	return written > 0 && written < nSize;
}

// Scripts reach files only through the file library's rules: SQL may not attach database
// files (ATTACH, VACUUM INTO) anywhere else, nor move SQLite's own files. Temporary and
// in-memory databases stay allowed, so a plain VACUUM works.
int Authorize(void *, int action, const char *arg1, const char *, const char *, const char *)
{
	if (action == SQLITE_ATTACH)
		return arg1 && (!arg1[0] || strcmp(arg1, ":memory:") == 0) ? SQLITE_OK : SQLITE_DENY;
	if (action == SQLITE_PRAGMA && arg1 &&
		(sqlite3_stricmp(arg1, "temp_store_directory") == 0 || sqlite3_stricmp(arg1, "data_store_directory") == 0))
		return SQLITE_DENY;
	return SQLITE_OK;
}

void CreateDatabase()
{
	char fileName[kMaxPath];
	iResultCount = 1;
	pDatabase = nullptr;
	if (!DatabaseFileName(fileName, sizeof(fileName)) || sqlite3_open(fileName, &pDatabase) != SQLITE_OK)
	{
		sqlite3_close(pDatabase);
		pDatabase = nullptr;
		sqlite3_open(":memory:", &pDatabase);
	}
	if (!pDatabase)
		return;
	sqlite3_set_authorizer(pDatabase, Authorize, nullptr);
	// Defensive mode: SQL cannot corrupt the database file (writable schema and the like).
	sqlite3_db_config(pDatabase, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
	sqlite3_exec(pDatabase, "PRAGMA synchronous = OFF; PRAGMA read_uncommitted = 1; PRAGMA temp_store = MEMORY;",
	             nullptr, nullptr, nullptr);
}

void SetLastError(ILuaInterface *pLua, const char *message)
{
	CLuaObject sql;
	sql.SetFromGlobal("sql");
	if (!sql.isNil())
		sql.SetMember("m_strError", message);
}

int DBCallback(void *, int columns, char **values, char **names)
{
	try
	{
		Row row;
		row.reserve(static_cast<size_t>(columns > 0 ? columns : 0));
		for (int i = 0; i < columns; ++i)
			row.emplace_back(names[i] ? names[i] : "", values[i] ? values[i] : "NULL");
		pResultRows->push_back(std::move(row));
	}
	catch (const std::bad_alloc &)
	{
		return 1;  // SQLite stops the query and reports it aborted
	}
	++iResultCount;
	return 0;
}
}

LUA_LIBRARY(sql);

LUA_FUNCTION(sql, Query)
{
	const char *query = pLua->CheckString(1);
	if (!pDatabase)
		CreateDatabase();
	if (!query[0])
	{
		pLua->PushBool(false);
		SetLastError(pLua, "No Query");
		return 1;
	}
	if (!pDatabase)
	{
		pLua->PushBool(false);
		SetLastError(pLua, "No Database");
		return 1;
	}
	std::vector<Row> rows;
	iResultCount = 1;
	pResultRows = &rows;
	char *error = nullptr;
	int rc = sqlite3_exec(pDatabase, query, DBCallback, nullptr, &error);
	pResultRows = nullptr;
	if (rc != SQLITE_OK)
	{
		if (error)
		{
			SetLastError(pLua, error);
			sqlite3_free(error);
		}
		pLua->PushBool(false);
		return 1;
	}
	if (iResultCount < 2)
		return 0;
	CLuaTable result;
	double key = 1;
	for (const Row &row : rows)
	{
		CLuaTable entry;
		for (const auto &column : row)
			entry.SetMember(column.first.c_str(), column.second.c_str());
		// Stored by exact integer key: a float key would fold rows together past 2^24.
		result.Push();
		pLua->PushNumber(key++);
		entry.Push();
		pLua->SetTable(-3);
		pLua->Pop(1);
	}
	result.Push();
	return 1;
}
