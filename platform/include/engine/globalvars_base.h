// The engine's per-frame globals shared with plug-ins.
#pragma once

class CGlobalVarsBase
{
public:
	float realtime = 0.0f;
	int framecount = 0;
	float absoluteframetime = 0.0f;
	float curtime = 0.0f;            // game time, seconds
	float frametime = 0.0f;
	int maxClients = 1;
	int tickcount = 0;
	float interval_per_tick = 1.0f / 66.0f;
};
