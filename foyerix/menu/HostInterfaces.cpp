// Engine interfaces the menu host keeps.
#include "menu/HostInterfaces.h"

IGameUI *gameui = nullptr;
INetworkStringTableContainer *networkstringtable = nullptr;
