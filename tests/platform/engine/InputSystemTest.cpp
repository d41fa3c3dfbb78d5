// The stand-in input system's virtual-key numbers.
#include "EngineLibrary.h"
#include "inputsystem/iinputsystem.h"

namespace
{
TEST(InputSystemTest, ButtonCodesMapToVirtualKeys)
{
	auto *input = static_cast<IInputSystem *>(EngineInterface(INPUTSYSTEM_INTERFACE_VERSION));
	ASSERT_NE(nullptr, input);
	struct
	{
		ButtonCode_t code;
		int key;
	} cases[] = {
		{ KEY_0, '0' }, { KEY_9, '9' },  { KEY_A, 'A' },        { KEY_Z, 'Z' },        { KEY_PAD_0, 0x60 },
		{ KEY_F1, 0x70 }, { KEY_F12, 0x7B }, { KEY_ENTER, 0x0D }, { KEY_ESCAPE, 0x1B }, { KEY_LEFT, 0x25 },
		{ MOUSE_LEFT, 0x01 }, { KEY_NONE, -1 }, { MOUSE_WHEEL_UP, -1 }, { BUTTON_CODE_INVALID, -1 },
	};
	for (const auto &c : cases)
		EXPECT_EQ(c.key, input->ButtonCodeToVirtualKey(c.code)) << c.code;
}
}

namespace
{
TEST(InputSystemTest, ButtonNamesAndHeldButtons)
{
	auto *input = static_cast<IInputSystem *>(EngineInterface(INPUTSYSTEM_INTERFACE_VERSION));
	ASSERT_NE(nullptr, input);
	struct
	{
		ButtonCode_t code;
		const char *name;
	} cases[] = {
		{ KEY_0, "0" },           { KEY_A, "a" },          { KEY_Z, "z" },
		{ KEY_SPACE, "SPACE" },   { KEY_BACKSLASH, "\\" }, { KEY_F12, "F12" },
		{ KEY_SCROLLLOCKTOGGLE, "SCROLLLOCKTOGGLE" },      { MOUSE_LEFT, "MOUSE1" },
		{ MOUSE_WHEEL_DOWN, "MWHEELDOWN" },                { JOYSTICK_FIRST, "JOY1" },
		{ static_cast<ButtonCode_t>(170), "JOY57" },       { static_cast<ButtonCode_t>(171), "" },
		{ KEY_NONE, "" },         { BUTTON_CODE_INVALID, "" },
	};
	for (const auto &c : cases)
		EXPECT_STREQ(c.name, input->ButtonCodeToString(c.code)) << c.code;
	EXPECT_FALSE(input->IsButtonDown(KEY_A));
	EXPECT_FALSE(input->IsButtonDown(static_cast<ButtonCode_t>(100000)));
}
}
