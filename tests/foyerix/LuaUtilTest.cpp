// The table conversions and the Base64 encoder behind the util library, driven from C++ with
// trees and KeyValues built in the test, and FastLZ data handed to Decompress.
#include "lua/LuaUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Utility/CompressionFastLZ.h"
#include "MenuStateFixture.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "tier1/KeyValues.h"

namespace
{
TEST(Base64EncodeTest, SizesLinesAndCapacity)
{
	struct Case
	{
		size_t length;
		size_t size;  // needed capacity, terminator included
	};
	const Case cases[] = { { 1, 5 }, { 2, 5 }, { 3, 5 }, { 54, 73 }, { 55, 78 }, { 108, 146 }, { 109, 151 } };
	for (const Case &c : cases)
	{
		std::string in(c.length, 'z');
		EXPECT_EQ(c.size, Zorv::Util::Base64EncodedSize(c.length)) << c.length;
		std::string out(c.size, '#');
		EXPECT_FALSE(Zorv::Util::Base64Encode(in.data(), in.size(), &out[0], c.size - 1)) << c.length;
		EXPECT_EQ(std::string(c.size, '#'), out) << "nothing written when the room is short";
		ASSERT_TRUE(Zorv::Util::Base64Encode(in.data(), in.size(), &out[0], c.size)) << c.length;
		EXPECT_EQ(out.size() - 1, strlen(out.c_str())) << "the text fills the room exactly";
		for (size_t i = 72; i < out.size() - 1; i += 73)
			EXPECT_EQ('\n', out[i]) << c.length << " at " << i;
	}
	char one[8];
	ASSERT_TRUE(Zorv::Util::Base64Encode("\xff", 1, one, sizeof(one)));
	EXPECT_STREQ("/w==", one);
	EXPECT_FALSE(Zorv::Util::Base64Encode(nullptr, 3, one, sizeof(one)));
}

class LuaUtilTest : public MenuStateTest
{
protected:
	void SetUp() override
	{
		MenuStateTest::SetUp();
		InitLuaLibraries(m_lua);
		InitLuaClasses(m_lua);
	}
	// Sets the table object as the global t.
	void SetGlobal(CLuaObject &table) { m_lua->Global()->SetMember("t", &table); }
};

TEST_F(LuaUtilTest, KeyValuesValuesByType)
{
	KeyValues *kv = new KeyValues("root");
	kv->SetFloat("Float", 2.99999f);
	kv->SetInt("Int", -3);
	kv->SetString("Str", "text");
	kv->SetWString("Wide", L"wide");
	kv->SetColor("Col", Color(1, 2, 3, 4));
	kv->FindKey("Sub/Deep", true)->SetString("x", "y");
	std::string longName(600, 'N');
	kv->SetString(longName.substr(0, 200).c_str(), "long");

	CLuaTable table;
	LuaHelper::KeyValuesToTable(kv, &table);
	SetGlobal(table);
	EXPECT_EQ("2.9999", Eval("string.format('%.4f', t.float)"));
	EXPECT_EQ("true", Eval("t.float < 2.99995"));
	EXPECT_EQ("-3", Eval("t.int"));
	EXPECT_EQ("text", Eval("t.str"));
	EXPECT_EQ("wide", Eval("t.wide"));
	EXPECT_EQ("string", Eval("type(t.col)"));
	EXPECT_EQ("y", Eval("t.sub.deep.x"));
	EXPECT_EQ("long", Eval("t['" + std::string(200, 'n') + "']"));

	CLuaTable ordered;
	LuaHelper::KeyValuesToTablePreserveOrder(kv, &ordered);
	SetGlobal(ordered);
	EXPECT_EQ("float,int,str,wide,col,sub," + std::string(127, 'n'),
	          Eval("(function() local k = {} for i, e in ipairs(t) do k[i] = e.Key end return table.concat(k, ',') end)()"));
	EXPECT_EQ("-3", Eval("t[2].Value"));
	EXPECT_EQ("y", Eval("t[6].Value[1].Value[1].Value"));
	kv->deleteThis();

	LuaHelper::KeyValuesToTable(nullptr, &table);  // nothing to do, no crash
	LuaHelper::TableToKeyValues(nullptr, nullptr);
}

TEST_F(LuaUtilTest, TableToKeyValuesIgnoresNonTables)
{
	KeyValues *kv = new KeyValues("root");
	CLuaObject number;
	number.SetFloat(5);
	LuaHelper::TableToKeyValues(&number, kv);
	EXPECT_EQ(nullptr, kv->GetFirstSubKey());
	kv->SetString("Existing", "old");
	ASSERT_TRUE(Run("t = { a = 'b', n = { 1, true }, existing = 'new' }"));
	CLuaObject table;
	table.SetFromGlobal("t");
	LuaHelper::TableToKeyValues(&table, kv);
	EXPECT_STREQ("b", kv->GetString("a"));
	EXPECT_STREQ("1", kv->GetString("n/1"));
	EXPECT_STREQ("", kv->GetString("n/2")) << "a value without a text form is written empty";
	EXPECT_STREQ("new", kv->GetString("existing")) << "a present key (in any letter case) takes the value";
	int count = 0;
	for (KeyValues *sub = kv->GetFirstSubKey(); sub; sub = sub->GetNextKey())
		++count;
	EXPECT_EQ(3, count);
	kv->deleteThis();
}

TEST_F(LuaUtilTest, TreeToTableKeysAndValues)
{
	Kestrum::Data::Tree tree;
	tree.SetChild("", "first");
	tree.SetChildVar("10", 7);
	tree.SetChild("", "second");
	tree.SetChildVar("f", 1.5f);
	tree.SetChildVar("d", 0.25);
	tree.SetChildVar("b", false);
	tree.SetChild("v", "[1 2 3]");
	tree.SetChild("notv", "[1 2 3");
	tree.SetChild("a", "{1 2 3}");
	tree.SetChild("s", std::string("a\0b", 3));
	tree.AddChild("empty");                       // no value, no children: a table
	tree.AddChild("branch").SetChild("x", "y");
	tree.SetChildVar("-2.5", 1);

	CLuaTable table;
	TreeToTable(&table, tree, m_lua);
	SetGlobal(table);
	EXPECT_EQ("first second", Eval("t[1] .. ' ' .. t[2]"));
	EXPECT_EQ("7", Eval("t[10]"));
	EXPECT_EQ("nil", Eval("t['10']"));
	EXPECT_EQ("1.5 0.25 false", Eval("t.f .. ' ' .. t.d .. ' ' .. tostring(t.b)"));
	EXPECT_EQ("Vector", Eval("type(t.v)"));
	EXPECT_EQ("string", Eval("type(t.notv)"));
	EXPECT_EQ("Angle", Eval("type(t.a)"));
	EXPECT_EQ("3", Eval("#t.s"));
	EXPECT_EQ("table", Eval("type(t.empty)"));
	EXPECT_EQ("y", Eval("t.branch.x"));
	EXPECT_EQ("1", Eval("t[-2.5]"));
}

TEST_F(LuaUtilTest, TableToTreeKeepsEachTableOnce)
{
	ASSERT_TRUE(Run("local s = { 'x' } t = { s, s, n = 2, v = Vector(1, 2.5, -3), q = Angle(0, 90, 0), f = print }"));
	CLuaObject table;
	table.SetFromGlobal("t");
	CLuaTable seen;
	Kestrum::Data::Tree tree;
	TableToTree(&table, tree, &seen, m_lua);
	ASSERT_TRUE(tree.HasChild("1") && tree.HasChild("2"));
	size_t filled = tree.GetChild("1").Children().size() + tree.GetChild("2").Children().size();
	EXPECT_EQ(1u, filled) << "the shared table is converted once";
	EXPECT_EQ("2", tree.ChildValue("n", ""));
	EXPECT_EQ("[1 2.5 -3]", tree.ChildValue("v", ""));
	EXPECT_EQ("{0 90 0}", tree.ChildValue("q", ""));
	EXPECT_FALSE(tree.HasChild("f"));
}

TEST_F(LuaUtilTest, DecompressFallsBackToFastLZ)
{
	std::string text;
	for (int i = 0; i < 2000; ++i)
		text += "fastlz " + std::to_string(i % 17) + " ";
	Kestrum::AutoBuffer block(32);
	ASSERT_TRUE(Kestrum::Compression::FastLZ::Compress(text.data(), static_cast<uint32_t>(text.size()), block));
	m_lua->PushString(reinterpret_cast<const char *>(block.GetBase()), block.GetWritten());
	m_lua->Global()->SetMember("packed");
	m_lua->PushString(text.data(), static_cast<unsigned int>(text.size()));
	m_lua->Global()->SetMember("text");
	EXPECT_EQ("true", Eval("util.Decompress(packed) == text"));
	EXPECT_EQ("true", Eval("util.Decompress(util.Compress(packed)) == packed"));
}
}
