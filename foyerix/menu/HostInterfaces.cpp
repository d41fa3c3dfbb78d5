// Engine interfaces the menu host keeps.
#include "menu/HostInterfaces.h"

IGameUI *gameui = nullptr;
IEngineVGui *enginevgui = nullptr;
INetworkStringTableContainer *networkstringtable = nullptr;
