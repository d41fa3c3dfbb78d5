// The engine's key-binding queries for game UI code ("VENGINE_GAMEUIFUNCS_VERSION005").
#pragma once

#include "inputsystem/ButtonCode.h"

#define VENGINE_GAMEUIFUNCS_VERSION "VENGINE_GAMEUIFUNCS_VERSION005"

class IGameUIFuncs
{
public:
	// The key bound to a console command text ("+jump"), KEY_NONE when none is.
	virtual ButtonCode_t GetButtonCodeForBind(const char *bind) = 0;
	// The console command text bound to a key, null when the key is bound to nothing.
	virtual const char *GetBindingForButtonCode(ButtonCode_t code) = 0;

protected:
	~IGameUIFuncs() = default;
};
