// Key-binding queries of the engine stand-in over a table of bound keys that tests fill
// through "ZvGameUIFuncsStandIn001" (empty at start: the stand-in console binds no keys).
#include <map>
#include <string>

#include "engine/IGameUIFuncs.h"
#include "engine/standin.h"
#include "tier1/interface.h"

namespace
{
class GameUIFuncs final : public IGameUIFuncs, public IGameUIFuncsStandIn
{
public:
	ButtonCode_t GetButtonCodeForBind(const char *bind) override
	{
		for (const auto &entry : m_bindings)
			if (bind && entry.second == bind)
				return static_cast<ButtonCode_t>(entry.first);
		return KEY_NONE;
	}
	const char *GetBindingForButtonCode(ButtonCode_t code) override
	{
		auto it = m_bindings.find(static_cast<int>(code));
		return it == m_bindings.end() ? nullptr : it->second.c_str();
	}

	void SetBinding(int buttonCode, const char *command) override
	{
		if (command && *command)
			m_bindings[buttonCode] = command;
		else
			m_bindings.erase(buttonCode);
	}
	void ClearBindings() override { m_bindings.clear(); }

private:
	std::map<int, std::string> m_bindings;
};

GameUIFuncs s_GameUIFuncs;

void *CreateGameUIFuncs() { return static_cast<IGameUIFuncs *>(&s_GameUIFuncs); }
void *CreateGameUIFuncsStandIn() { return static_cast<IGameUIFuncsStandIn *>(&s_GameUIFuncs); }
InterfaceReg s_GameUIFuncsReg(&CreateGameUIFuncs, VENGINE_GAMEUIFUNCS_VERSION);
InterfaceReg s_GameUIFuncsStandInReg(&CreateGameUIFuncsStandIn, GAMEUIFUNCS_STANDIN_INTERFACE_VERSION);
}
