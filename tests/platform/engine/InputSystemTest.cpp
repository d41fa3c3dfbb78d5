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
