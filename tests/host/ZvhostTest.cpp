// zvhost run as a program on the sample game folder.
#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/wait.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "fixtures/ScratchFolder.h"

namespace
{
struct HostRun
{
	int status = -1;
	std::string output;
};

HostRun RunHost(const std::string &arguments, const std::string &steamFolder)
{
	HostRun run;
	std::string command = "ZV_STEAM_DIR='" + steamFolder + "' '" ZVHOST_BINARY "' " + arguments + " 2>&1";
	FILE *pipe = popen(command.c_str(), "r");
	if (!pipe)
		return run;
	char buffer[4096];
	size_t n;
	while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
		run.output.append(buffer, n);
	int status = pclose(pipe);
	run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	return run;
}

uint32_t BigEndian32(const std::string &bytes, size_t at)
{
	return (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
	       (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint32_t(uint8_t(bytes[at + 3]));
}

TEST(ZvhostTest, RunsTheSampleMenuAndSavesAScreenshot)
{
	ScratchFolder scratch;
	ASSERT_TRUE(scratch.Ok());
	std::string shot = scratch / "shot.png";
	HostRun run = RunHost("'" ZV_SAMPLE_GAME "' 20 '" + shot + "'", scratch.Path());
	ASSERT_EQ(run.status, 0) << run.output;
	for (const char *line : { "init_menu: CLIENT=true SERVER=false", "quorl: loaded", "vgui_base: loaded",
	                          "skins/default: loaded", "menu: started", "menu: game content changed",
	                          "menu: tick at frame", "zvhost: 20 frames, 20 menu frames" })
		EXPECT_NE(run.output.find(line), std::string::npos) << line << " in:\n" << run.output;

	std::ifstream file(shot, std::ios::binary);
	std::string png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	ASSERT_GT(png.size(), 24u);
	EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
	EXPECT_EQ(BigEndian32(png, 16), 640u);
	EXPECT_EQ(BigEndian32(png, 20), 480u);
}

TEST(ZvhostTest, RefusesBadArguments)
{
	ScratchFolder scratch;
	ASSERT_TRUE(scratch.Ok());
	const char *cases[] = { "", "'" ZV_SAMPLE_GAME "'", "'" ZV_SAMPLE_GAME "' -3", "'" ZV_SAMPLE_GAME "' 12x",
		                    "'" ZV_SAMPLE_GAME "' 1 a b" };
	for (const char *arguments : cases)
		EXPECT_EQ(RunHost(arguments, scratch.Path()).status, 2) << arguments;
	HostRun missing = RunHost("/no/such/game 1", scratch.Path());
	EXPECT_EQ(missing.status, 1);
	EXPECT_NE(missing.output.find("no game folder"), std::string::npos) << missing.output;
}
}
