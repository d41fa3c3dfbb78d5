// Set-up and inspection of the stand-in engine for the stand-in host and tests; the plug-ins
// never include this.
#pragma once

#include <string>
#include <vector>

namespace EngineStandIn
{
	// Console command text handed to the engine client, oldest first.
	std::vector<std::string> &ExecutedCommands();
	// Text printed on the numbered debug lines, by line.
	std::vector<std::string> &DebugLines();
	void SetMaxClients(int maxClients);
	// The vgui system's clock, in seconds.
	void SetCurrentTime(double seconds);
}

// Answers the stand-in engine's interfaces by version string (the engine's factory).
void *EngineStandInFactory(const char *name, int *returnCode);
