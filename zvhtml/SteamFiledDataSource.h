// The data source behind asset://zorvan/<path>: answers each request with the game file's bytes
// and a MIME type chosen by extension.
#pragma once

#include <string>

#include "webcore/WebCore.h"

namespace Awesomium
{
// The UTF-8 text of a web string (empty for an empty one).
std::string ToString(const WebString &str);
}

class SteamFiledDataSource : public Awesomium::DataSource
{
public:
	~SteamFiledDataSource() override {}
	void OnRequest(int request_id, const Awesomium::WebString &path) override;
};

// The MIME type sent for a file extension (case-sensitive; "text/html" when none matches).
const char *SteamFiledMimeType(const std::string &extension);
// True when a requested path may be handed to the file system: relative, no ".." segment,
// no drive or NUL, and not longer than the engine's path limit.
bool SteamFiledPathIsSafe(const std::string &path);

extern SteamFiledDataSource gSteamFiledDataSource;
