// The engine's network string tables ("VEngineClientStringTable001"): named lists of strings the
// server sends the client, such as "downloadables" and "client_lua_files".
#pragma once

#define INTERFACENAME_NETWORKSTRINGTABLECLIENT "VEngineClientStringTable001"

class INetworkStringTable
{
public:
	virtual const char *GetTableName() const = 0;
	virtual int GetNumStrings() const = 0;
	// The string at an index (0 .. count - 1), or null outside that range.
	virtual const char *GetString(int stringNumber) const = 0;

protected:
	~INetworkStringTable() = default;
};

class INetworkStringTableContainer
{
public:
	// The table of that name (exact match), or null.
	virtual INetworkStringTable *FindTable(const char *tableName) const = 0;

protected:
	~INetworkStringTableContainer() = default;
};
