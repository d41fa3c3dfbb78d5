// The stand-in input system ("InputSystemVersion001"): button codes to Windows virtual-key
// numbers, the numbering web views expect.
#include "inputsystem/iinputsystem.h"
#include "tier1/interface.h"

namespace
{
int VirtualKey(ButtonCode_t code)
{
	if (code >= KEY_0 && code <= KEY_9)
		return '0' + (code - KEY_0);
	if (code >= KEY_A && code <= KEY_Z)
		return 'A' + (code - KEY_A);
	if (code >= KEY_PAD_0 && code <= KEY_PAD_9)
		return 0x60 + (code - KEY_PAD_0);
	if (code >= KEY_F1 && code <= KEY_F12)
		return 0x70 + (code - KEY_F1);
	switch (code)
	{
	case KEY_PAD_DIVIDE: return 0x6F;
	case KEY_PAD_MULTIPLY: return 0x6A;
	case KEY_PAD_MINUS: return 0x6D;
	case KEY_PAD_PLUS: return 0x6B;
	case KEY_PAD_ENTER: return 0x0D;
	case KEY_PAD_DECIMAL: return 0x6E;
	case KEY_LBRACKET: return 0xDB;
	case KEY_RBRACKET: return 0xDD;
	case KEY_SEMICOLON: return 0xBA;
	case KEY_APOSTROPHE: return 0xDE;
	case KEY_BACKQUOTE: return 0xC0;
	case KEY_COMMA: return 0xBC;
	case KEY_PERIOD: return 0xBE;
	case KEY_SLASH: return 0xBF;
	case KEY_BACKSLASH: return 0xDC;
	case KEY_MINUS: return 0xBD;
	case KEY_EQUAL: return 0xBB;
	case KEY_ENTER: return 0x0D;
	case KEY_SPACE: return 0x20;
	case KEY_BACKSPACE: return 0x08;
	case KEY_TAB: return 0x09;
	case KEY_CAPSLOCK: return 0x14;
	case KEY_NUMLOCK: return 0x90;
	case KEY_ESCAPE: return 0x1B;
	case KEY_SCROLLLOCK: return 0x91;
	case KEY_INSERT: return 0x2D;
	case KEY_DELETE: return 0x2E;
	case KEY_HOME: return 0x24;
	case KEY_END: return 0x23;
	case KEY_PAGEUP: return 0x21;
	case KEY_PAGEDOWN: return 0x22;
	case KEY_BREAK: return 0x13;
	case KEY_LSHIFT: return 0xA0;
	case KEY_RSHIFT: return 0xA1;
	case KEY_LALT: return 0xA4;
	case KEY_RALT: return 0xA5;
	case KEY_LCONTROL: return 0xA2;
	case KEY_RCONTROL: return 0xA3;
	case KEY_LWIN: return 0x5B;
	case KEY_RWIN: return 0x5C;
	case KEY_APP: return 0x5D;
	case KEY_UP: return 0x26;
	case KEY_LEFT: return 0x25;
	case KEY_DOWN: return 0x28;
	case KEY_RIGHT: return 0x27;
	case MOUSE_LEFT: return 0x01;
	case MOUSE_RIGHT: return 0x02;
	case MOUSE_MIDDLE: return 0x04;
	case MOUSE_4: return 0x05;
	case MOUSE_5: return 0x06;
	default: return -1;
	}
}

class InputSystem final : public IInputSystem
{
public:
	int ButtonCodeToVirtualKey(ButtonCode_t code) override { return VirtualKey(code); }
};

InputSystem s_InputSystem;

void *CreateInputSystem() { return static_cast<IInputSystem *>(&s_InputSystem); }

InterfaceReg s_InputSystemReg(&CreateInputSystem, INPUTSYSTEM_INTERFACE_VERSION);
}
