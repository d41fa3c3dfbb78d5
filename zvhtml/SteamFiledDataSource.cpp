// Answers asset://zorvan/ requests from the game's files through the engine file system.
#include "SteamFiledDataSource.h"

#include <cstring>
#include <memory>

#include "Kestrum/Utility/String.h"
#include "filesystem/IFileSystem.h"
#include "tier1/tier2.h"
#include "tier1/utlbuffer.h"

namespace
{
// Longest path passed to the file system; longer requests are refused unread.
const size_t kMaxAssetPath = 1023;

struct MimeRow
{
	const char *extension;
	const char *type;
};

// First match wins; "jpeg" is sent as "image/jpg" like "jpg".
const MimeRow kMimeTypes[] = {
	{ "png", "image/png" },
	{ "jpg", "image/jpg" },
	{ "jpeg", "image/jpg" },
	{ "js", "text/javascript" },
	{ "css", "text/css" },
};
}

namespace Awesomium
{
std::string ToString(const WebString &str)
{
	if (str.IsEmpty())
		return std::string();
	unsigned int len = str.ToUTF8(nullptr, 0);
	std::unique_ptr<char[]> buf(new char[len]);
	len = str.ToUTF8(buf.get(), len);
	return std::string(buf.get(), len);
}
}

const char *SteamFiledMimeType(const std::string &extension)
{
	for (const MimeRow &row : kMimeTypes)
		if (extension == row.extension)
			return row.type;
	return "text/html";
}

bool SteamFiledPathIsSafe(const std::string &path)
{
	if (path.size() > kMaxAssetPath || path.find('\0') != std::string::npos)
		return false;
	if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
		return false;
	if (path.size() > 1 && path[1] == ':')
		return false;
	// No segment may climb: ".." between separators of either kind.
	size_t start = 0;
	while (start <= path.size())
	{
		size_t end = path.find_first_of("/\\", start);
		if (end == std::string::npos)
			end = path.size();
		if (end - start == 2 && path.compare(start, 2, "..") == 0)
			return false;
		start = end + 1;
	}
	return true;
}

void SteamFiledDataSource::OnRequest(int request_id, const Awesomium::WebString &path)
{
	std::string strPath = Awesomium::ToString(path);
	Kestrum::String::Util::TrimAfter(strPath, "?", true);

	CUtlBuffer buf(0, 0, 0);
	// A path that would leave the game's folders is answered like a missing file.
	bool bRead = g_pFullFileSystem && SteamFiledPathIsSafe(strPath) &&
	             g_pFullFileSystem->ReadFile(strPath.c_str(), "GAME", buf, 0, 0, nullptr);
	if (!bRead)
	{
		SendResponse(request_id, 0, nullptr, Awesomium::WebString());
		return;
	}

	std::string strExt = Kestrum::String::File::GetFileExtension(strPath);
	const char *pMime = SteamFiledMimeType(strExt);
	SendResponse(request_id, static_cast<unsigned int>(buf.TellPut()), static_cast<unsigned char *>(buf.Base()),
	             Awesomium::WebString::CreateFromUTF8(pMime, static_cast<unsigned int>(strlen(pMime))));
}
