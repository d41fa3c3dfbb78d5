// zvhost: runs the menu of a game folder for a number of frames on a fixed clock, and can
// save the last frame as a PNG.
//   zvhost <game folder> <frames> [screenshot.png]
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GameHost.h"
#include "tier0/icommandline.h"

int main(int argc, char **argv)
{
	if (argc < 3 || argc > 4)
	{
		fprintf(stderr, "usage: zvhost <game folder> <frames> [screenshot.png]\n");
		return 2;
	}
	errno = 0;
	char *end = nullptr;
	long frames = strtol(argv[2], &end, 10);
	if (errno != 0 || !end || *end != '\0' || frames < 0 || frames > 1000000)
	{
		fprintf(stderr, "zvhost: the number of frames must be 0 to 1000000, not \"%s\"\n", argv[2]);
		return 2;
	}
	// The screenshot path is kept absolute: the host moves into the game's module folder.
	std::string screenshot;
	if (argc == 4)
	{
		screenshot = argv[3];
		if (!screenshot.empty() && screenshot[0] != '/')
		{
			char *cwd = getcwd(nullptr, 0);
			if (cwd)
			{
				screenshot = std::string(cwd) + "/" + screenshot;
				free(cwd);
			}
		}
	}

	CommandLine_Tier0()->CreateCmdLine(argc, argv);

	GameHost host;
	GameHost::Options options;
	options.gameFolder = argv[1];
	std::string error;
	if (!host.Load(options, &error))
	{
		fprintf(stderr, "zvhost: %s\n", error.c_str());
		return 1;
	}
	if (!host.Init())
	{
		fprintf(stderr, "zvhost: the menu plug-in failed to start\n");
		return 1;
	}
	host.StartLua();
	for (long i = 0; i < frames; ++i)
		host.Frame();
	printf("zvhost: %ld frames, %d menu frames\n", frames, host.MenuFrames());

	int status = 0;
	if (!screenshot.empty())
	{
		if (host.SaveScreenshot(screenshot, &error))
			printf("zvhost: screenshot %s\n", screenshot.c_str());
		else
		{
			fprintf(stderr, "zvhost: %s\n", error.c_str());
			status = 1;
		}
	}
	host.Shutdown();
	return status;
}
