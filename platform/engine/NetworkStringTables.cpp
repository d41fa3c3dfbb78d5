// The stand-in network string tables: named string lists that hosts and tests fill.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/standin.h"
#include "networkstringtabledefs.h"
#include "tier1/interface.h"

namespace
{
class StringTable final : public INetworkStringTable
{
public:
	explicit StringTable(const std::string &name) : m_name(name) {}
	const char *GetTableName() const override { return m_name.c_str(); }
	int GetNumStrings() const override { return static_cast<int>(m_strings.size()); }
	const char *GetString(int stringNumber) const override
	{
		if (stringNumber < 0 || static_cast<size_t>(stringNumber) >= m_strings.size())
			return nullptr;
		return m_strings[stringNumber].c_str();
	}
	void Add(const char *text) { m_strings.push_back(text ? text : ""); }

private:
	std::string m_name;
	std::vector<std::string> m_strings;
};

class StringTables final : public INetworkStringTableContainer, public INetworkStringTableStandIn
{
public:
	INetworkStringTable *FindTable(const char *tableName) const override
	{
		if (!tableName)
			return nullptr;
		auto it = m_tables.find(tableName);
		return it == m_tables.end() ? nullptr : it->second.get();
	}
	void AddString(const char *table, const char *text) override
	{
		if (!table)
			return;
		std::unique_ptr<StringTable> &slot = m_tables[table];
		if (!slot)
			slot.reset(new StringTable(table));
		slot->Add(text);
	}
	void Reset() override { m_tables.clear(); }

private:
	std::map<std::string, std::unique_ptr<StringTable>> m_tables;
};

StringTables s_StringTables;

void *CreateStringTables() { return static_cast<INetworkStringTableContainer *>(&s_StringTables); }
void *CreateStringTableStandIn() { return static_cast<INetworkStringTableStandIn *>(&s_StringTables); }

InterfaceReg s_StringTablesReg(&CreateStringTables, INTERFACENAME_NETWORKSTRINGTABLECLIENT);
InterfaceReg s_StringTableStandInReg(&CreateStringTableStandIn, STRINGTABLE_STANDIN_INTERFACE_VERSION);
}
