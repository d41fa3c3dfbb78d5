// Engine interfaces the menu host keeps beside the host pointers: the game UI and the network
// string tables. Null until the host start-up (or the engine's string-table hand-over) sets them.
#pragma once

class IGameUI;
class INetworkStringTableContainer;

extern IGameUI *gameui;
extern INetworkStringTableContainer *networkstringtable;
