// Start-up of the panel library: module name, service check, locale and virtual keys.
#include <clocale>
#include <cstring>
#include <string>

#include "VGuiFixture.h"
#include "inputsystem/iinputsystem.h"
#include "tier0/standin.h"
#include "tier1/tier2.h"

namespace
{
using ControlsTest = VGuiTest;

TEST_F(ControlsTest, ModuleNameIsKeptAndCutTo255Characters)
{
	EXPECT_STREQ("FOYERIX", vgui::GetControlsModuleName());

	std::string longName(300, 'm');
	longName[254] = 'x';
	vgui::VGui_InitInterfacesList(longName.c_str(), nullptr, 0);
	EXPECT_EQ(longName.substr(0, 255), vgui::GetControlsModuleName());

	// A missing name is kept as the empty name rather than read through a null pointer.
	vgui::VGui_InitInterfacesList(nullptr, nullptr, 0);
	EXPECT_STREQ("", vgui::GetControlsModuleName());
}

TEST_F(ControlsTest, EachMissingServiceFailsWithOneWarning)
{
	struct Case
	{
		const char *name;
		void **global;
	} cases[] = {
		{ "ivgui", reinterpret_cast<void **>(&g_pVGui) },
		{ "input", reinterpret_cast<void **>(&g_pVGuiInput) },
		{ "panel", reinterpret_cast<void **>(&g_pVGuiPanel) },
		{ "surface", reinterpret_cast<void **>(&g_pVGuiSurface) },
		{ "scheme", reinterpret_cast<void **>(&g_pVGuiSchemeManager) },
		{ "system", reinterpret_cast<void **>(&g_pVGuiSystem) },
	};
	for (const Case &c : cases)
	{
		SCOPED_TRACE(c.name);
		void *saved = *c.global;
		*c.global = nullptr;
		Tier0OutputCapture out;
		EXPECT_FALSE(vgui::VGui_InitInterfacesList("OTHER", nullptr, 0));
		*c.global = saved;
		EXPECT_EQ("vgui_controls is missing a required interface!\n", out.All());
		// The name is recorded even when the check fails.
		EXPECT_STREQ("OTHER", vgui::GetControlsModuleName());
	}

	Tier0OutputCapture out;
	EXPECT_TRUE(vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0));
	EXPECT_EQ("", out.All());
}

TEST_F(ControlsTest, NumbersKeepTheCLocale)
{
	vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0);
	EXPECT_STREQ("C", setlocale(LC_NUMERIC, nullptr));
	char text[32];
	snprintf(text, sizeof(text), "%.1f", 1.5);
	EXPECT_STREQ("1.5", text);
}

TEST_F(ControlsTest, VirtualKeysComeFromTheInputSystem)
{
	ASSERT_NE(nullptr, g_pInputSystem);
	EXPECT_EQ('A', KeyCode_VGUIToVirtualKey(KEY_A));
	EXPECT_EQ('0', KeyCode_VGUIToVirtualKey(KEY_0));
	EXPECT_EQ(0x70, KeyCode_VGUIToVirtualKey(KEY_F1));
	EXPECT_EQ(0x0D, KeyCode_VGUIToVirtualKey(KEY_ENTER));

	IInputSystem *saved = g_pInputSystem;
	g_pInputSystem = nullptr;
	for (ButtonCode_t code : { KEY_NONE, KEY_A, KEY_ENTER, MOUSE_LEFT })
		EXPECT_EQ(-1, KeyCode_VGUIToVirtualKey(code));
	g_pInputSystem = saved;
}
}
