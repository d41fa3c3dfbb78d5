// Controls of the engine stand-in for hosts and tests ("ZvEngineStandIn001" from the
// engine's factory): what the engine client was asked to run and print, and the clocks.
// The system's own code never includes this header.
#pragma once

#include <string>
#include <vector>

#define ENGINE_STANDIN_INTERFACE_VERSION "ZvEngineStandIn001"

class IEngineStandIn
{
public:
	// Console command text handed to the engine client, oldest first.
	virtual const std::vector<std::string> &ExecutedCommands() const = 0;
	virtual void ClearExecutedCommands() = 0;
	// Text printed on a numbered debug line ("" when none).
	virtual std::string DebugLine(int line) const = 0;
	virtual void SetMaxClients(int maxClients) = 0;
	// The vgui system's clock, in seconds.
	virtual void SetCurrentTime(double seconds) = 0;

protected:
	~IEngineStandIn() = default;
};
