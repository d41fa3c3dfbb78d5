// The stand-in game: loads the engine, the HTML renderer and the menu plug-in with dlopen,
// lends the plug-in its accessor, game interface and globals, and runs frames on a fixed clock.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "IFoyerix.h"
#include "engine/globalvars_base.h"

class IZVHTML;
class IVGuiStandIn;
class IFileSystem;

class GameHost
{
public:
	struct Options
	{
		std::string gameFolder;
		// Interface names the engine factory handed to the plug-in answers with null.
		std::set<std::string> withheld;
		// Start Steam before the plug-in (the game's launcher would).
		bool startSteam = true;
		// The folder the game runs from, whose bin/ holds the game UI module; empty: the one
		// above the plug-in's bin/.
		std::string gameRoot;
		// Seconds per frame of the fixed clock.
		double frameSeconds = 1.0 / 60.0;
	};

	GameHost() = default;
	~GameHost();
	GameHost(const GameHost &) = delete;
	GameHost &operator=(const GameHost &) = delete;

	// Loads the modules and prepares the game folder; false with a message on failure.
	bool Load(const Options &options, std::string *error);
	// The plug-in's start-up, its string tables, then its menu state.
	bool Init();
	void StartLua();
	// One frame: clock, Steam callbacks, vgui frame (the overlay's think drives the plug-in),
	// paint, then the web core.
	void Frame();
	// The stand-in surface as an RGBA PNG.
	bool SaveScreenshot(const std::string &path, std::string *error);
	void Shutdown();

	IFoyerix *Foyerix() const { return m_foyerix; }
	IVGuiStandIn *VGui() const { return m_vgui; }
	IFileSystem *FileSystem() const { return m_fileSystem; }
	// The engine's own factory (the withheld names included).
	void *EngineInterface(const char *name) const;
	int MenuFrames() const;
	int Frames() const { return m_globals.framecount; }

private:
	Options m_options;
	void *m_hEngine = nullptr;
	void *m_hHTML = nullptr;
	void *m_hFoyerix = nullptr;
	IFoyerix *m_foyerix = nullptr;
	IZVHTML *m_html = nullptr;
	IVGuiStandIn *m_vgui = nullptr;
	IFileSystem *m_fileSystem = nullptr;
	CGlobalVarsBase m_globals;
	bool m_steamStarted = false;
	bool m_initialised = false;
	std::vector<std::string> m_searchPaths;
};
