// Engine interfaces the menu host keeps beside the host pointers: the game UI, the engine's
// vgui side and the network string tables. Null until the host start-up (or the engine's
// string-table hand-over) sets them.
#pragma once

class IEngineVGui;
class IGameUI;
class INetworkStringTableContainer;

extern IGameUI *gameui;
extern IEngineVGui *enginevgui;
extern INetworkStringTableContainer *networkstringtable;

inline IEngineVGui *EngineVGui() { return enginevgui; }
