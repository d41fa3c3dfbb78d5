// IMaterial and ITexture from C++: the motion sensor's colour material, null objects, hostile
// parameter tables, and materials and images read from files by the material system stand-in.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "MenuStateFixture.h"
#include "engine/imotionsensor.h"
#include "filesystem/IFileSystem.h"
#include "lua/LuaClass.h"
#include "lua/LuaMaterial.h"
#include "materialsystem/imaterialsystem.h"
#include "tier1/tier2.h"

namespace
{
class FakeSensor final : public IMotionSensor
{
public:
	int GetSensorCount() override { return count; }
	bool IsRunning() override { return running; }
	void Start() override { running = true; }
	IMaterial *GetColourMaterial() override { return material; }

	int count = 1;
	bool running = true;
	IMaterial *material = nullptr;
};

class LuaMaterialTest : public MenuStateTest
{
protected:
	void SetUp() override
	{
		MenuStateTest::SetUp();
		InitLuaLibraries(g_Lua);
		InitLuaClasses(g_Lua);
	}
};

TEST_F(LuaMaterialTest, ColourMaterialNeedsARunningSensorAndHandsOutAReference)
{
	FakeSensor sensor;
	sensor.material = materials->FindMaterial("sensor/colour_image", "test", false);
	ASSERT_NE(nullptr, sensor.material);
	const struct
	{
		int count;
		bool running;
		bool material;
		bool given;
	} cases[] = {
		{ 1, true, true, true }, { 0, true, true, false }, { 1, false, true, false }, { 1, true, false, false },
	};
	IMaterial *colour = sensor.material;
	for (const auto &c : cases)
	{
		sensor.count = c.count;
		sensor.running = c.running;
		sensor.material = c.material ? colour : nullptr;
		m_harness->motionSensor = &sensor;
		int before = colour->GetReferenceCount();
		EXPECT_EQ(c.given ? "IMaterial" : "nil", Eval("type((motionsensor.GetColourMaterial()))"));
		ASSERT_TRUE(Run("collectgarbage('collect') collectgarbage('collect')"));
		EXPECT_EQ(before, colour->GetReferenceCount()) << "the userdata gave its reference back";
	}
	sensor.material = colour;
	ASSERT_TRUE(Run("kept = motionsensor.GetColourMaterial()"));
	int held = colour->GetReferenceCount();
	m_harness->motionSensor = nullptr;
	EXPECT_EQ("nil", Eval("(motionsensor.GetColourMaterial())"));
	ASSERT_TRUE(Run("kept = nil collectgarbage('collect') collectgarbage('collect')"));
	EXPECT_EQ(held - 1, colour->GetReferenceCount());
}

TEST_F(LuaMaterialTest, NullObjectsAnswerTheirDefaultsOrRaiseTheInvalidObjectError)
{
	LC_IMaterial.Push(nullptr);
	m_lua->Global()->SetMember("nullmat");
	LC_ITexture.Push(nullptr);
	m_lua->Global()->SetMember("nulltex");
	EXPECT_EQ("No Shader", Eval("nullmat:GetShader()"));
	EXPECT_EQ("Material", Eval("tostring(nullmat)"));
	EXPECT_EQ("0", Eval("select('#', nulltex:GetColor(1, 1))"));
	for (const char *call : { "nullmat:GetName()", "nullmat:GetInt('$a')", "nullmat:Width()", "nullmat:Recompute()" })
		EXPECT_NE(std::string::npos,
		          Eval(std::string("select(2, pcall(function() return ") + call + " end))")
		              .find("Tried to use invalid object (type IMaterial)"))
		    << call;
	EXPECT_NE(std::string::npos, Eval("select(2, pcall(nulltex.Width, nulltex))")
	                                 .find("Tried to use invalid object (type ITexture) (Object was NULL or not of the right type)"));
	EXPECT_EQ("true", Eval("pcall(getmetatable(nullmat).__gc, nullmat)"));
}

TEST_F(LuaMaterialTest, SelfContainingParameterTablesMakeAMaterialAndTooDeepOnesAnError)
{
	ASSERT_TRUE(Run("t = { ['$a'] = 1 } t.self = t "
	                "deep = {} local d = deep for i = 1, 50 do d.next = {} d = d.next end d['$x'] = 1 "
	                "toodeep = {} d = toodeep for i = 1, 600 do d.next = {} d = d.next end"));
	EXPECT_EQ("1", Eval("CreateMaterial('selfref', 'UnlitGeneric', t):GetInt('$a')"));
	EXPECT_EQ("IMaterial", Eval("type(CreateMaterial('deepref', 'UnlitGeneric', deep))"));
	// The Lua error unwinds through the binding; the half-built tree is freed (no leak).
	EXPECT_EQ("false", Eval("pcall(CreateMaterial, 'toodeep', 'UnlitGeneric', toodeep)"));
	EXPECT_EQ("IMaterial", Eval("type(CreateMaterial('noparams', 'UnlitGeneric', 'not a table'))"));
	// A name whose "<name>.vmt" would not fit is refused rather than cut.
	EXPECT_EQ("0", Eval("select('#', CreateMaterial(string.rep('n', 256), 'UnlitGeneric'))"));
	EXPECT_EQ("IMaterial", Eval("type(CreateMaterial(string.rep('n', 255), 'UnlitGeneric'))"));
}

// A TGA file: 18-byte header, then bottom-up BGRA rows.
std::string Tga(int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
	std::string out(18, '\0');
	out[2] = 2;
	out[12] = static_cast<char>(w & 0xFF);
	out[13] = static_cast<char>(w >> 8);
	out[14] = static_cast<char>(h & 0xFF);
	out[15] = static_cast<char>(h >> 8);
	out[16] = 32;
	out[17] = 8;
	for (int i = 0; i < w * h; ++i)
		out += std::string{ static_cast<char>(b), static_cast<char>(g), static_cast<char>(r), '\xFF' };
	return out;
}

TEST_F(LuaMaterialTest, MaterialsAndImagesComeFromGameFiles)
{
	char tmpl[] = "/tmp/zv_materials_XXXXXX";
	ASSERT_NE(nullptr, mkdtemp(tmpl));
	std::string root = tmpl;
	mkdir((root + "/materials").c_str(), 0755);
	auto write = [&](const std::string &name, const std::string &bytes) {
		std::ofstream(root + "/materials/" + name, std::ios::binary) << bytes;
	};
	write("filemat.vmt", "\"LightmappedGeneric\"\n{\n\t\"$basetexture\" \"filepic\"\n\t\"$alpha\" \"0.5\"\n}\n");
	write("filepic.tga", Tga(3, 2, 10, 20, 30));
	std::string huge = Tga(1, 1, 0, 0, 0);
	huge[12] = huge[13] = huge[14] = huge[15] = '\xFF';  // 65535 x 65535, far more than the file holds
	write("hugepic.tga", huge);
	write("cutpic.tga", Tga(4, 4, 1, 2, 3).substr(0, 30));
	write("junkpic.png", "\x89PNG\r\n\x1a\n not really");
	ASSERT_NE(nullptr, g_pFullFileSystem);
	g_pFullFileSystem->AddSearchPath(root.c_str(), "GAME");

	IHostUtil *util = m_harness->util;
	m_harness->util = nullptr;  // Material then asks the material system
	EXPECT_EQ("LightmappedGeneric", Eval("Material('filemat'):GetShader()"));
	EXPECT_EQ("0.5", Eval("Material('filemat'):GetFloat('$alpha')"));
	EXPECT_EQ("3", Eval("Material('filemat'):Width()"));
	EXPECT_EQ("0", Eval("Material('filemat'):GetColor(0, 0).r"));  // no utility service: zero colour
	m_harness->util = util;

	// Bottom-up rows: texel (2, 1) is in the first row of the file.
	EXPECT_EQ("10 20 30 255", Eval("(function() local c = Material('filepic'):GetColor(2, 1) "
	                               "return c.r .. ' ' .. c.g .. ' ' .. c.b .. ' ' .. c.a end)()"));
	EXPECT_EQ("10", Eval("Material('filemat'):GetColor(0, 0).r"));
	// Images too large for their file, cut short or not images at all never crash; those that
	// cannot be read leave the error material.
	EXPECT_EQ("true", Eval("Material('hugepic'):IsError()"));
	EXPECT_EQ("true", Eval("Material('junkpic'):IsError()"));
	EXPECT_EQ("IMaterial", Eval("type(Material('cutpic'))"));

	g_pFullFileSystem->RemoveSearchPath(root.c_str(), "GAME");
	(void)system(("rm -rf " + root).c_str());
}
}
