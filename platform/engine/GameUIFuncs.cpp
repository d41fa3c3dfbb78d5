// Key-binding queries of the engine stand-in: the stand-in console binds no keys.
#include "engine/IGameUIFuncs.h"
#include "tier1/interface.h"

namespace
{
class GameUIFuncs final : public IGameUIFuncs
{
public:
	ButtonCode_t GetButtonCodeForBind(const char *) override { return KEY_NONE; }
};

GameUIFuncs s_GameUIFuncs;

void *CreateGameUIFuncs() { return static_cast<IGameUIFuncs *>(&s_GameUIFuncs); }
InterfaceReg s_GameUIFuncsReg(&CreateGameUIFuncs, VENGINE_GAMEUIFUNCS_VERSION);
}
