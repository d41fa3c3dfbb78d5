// The "steamworks" library: Steam Workshop items for the menu scripts (player names, overlay
// pages, subscriptions, votes, listings, details, downloads into a local cache, add-on mount
// choices) and publishing a new item. Requests Steam answers later are heap objects that call
// the script's callback once, during Steam's callback dispatch, and then delete themselves.
#include "menu/Workshop.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Utility/CompressionLZMA.h"
#include "Kestrum/Utility/String.h"
#include "filesystem/IContentManagers.h"
#include "filesystem/IFileSystem.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "menu/SteamSettings.h"
#include "steam/steam_api.h"
#include "tier0/dbg.h"
#include "tier1/tier2.h"
#include "tier1/utlbuffer.h"

namespace
{
// Entries of the content filter, tested in this order.
const char *const kFilterEntries[] = {
	"fuck", "shit", "bitch", "cunt", "asshole", "bastard", "dickhead", "wanker", "twat", "bollocks",
	"motherfucker", "porn", "p0rn", "s3x", "hentai", "nude", "naked", "boobs", "blowjob", "handjob",
	"dildo", "orgasm", "erection", "masturbat", "sex tape", "nude mod", "free coins", "wall hack",
	"aimbot", "keygen", "warez", "cracked", "pirated", "torrent", "nulled", "leaked", "ripped",
	"exploit", "hacked", "bypass", "stolen",
};
static_assert(sizeof(kFilterEntries) / sizeof(kFilterEntries[0]) == 41, "the filter has 41 entries");
}

bool HasBadWords(const std::string &text)
{
	for (const char *entry : kFilterEntries)
		if (Kestrum::String::Test::Contains(text, entry, false))
			return true;
	if (text.size() < 11)
		return false;
	return text.find(' ') == std::string::npos;
}

namespace
{
ISteamFriends *Friends() { return steamapicontext ? steamapicontext->SteamFriends() : nullptr; }
ISteamUser *User() { return steamapicontext ? steamapicontext->SteamUser() : nullptr; }
ISteamRemoteStorage *RemoteStorage() { return steamapicontext ? steamapicontext->SteamRemoteStorage() : nullptr; }
IAddonSystem *Addons() { return g_pFullFileSystem ? g_pFullFileSystem->Addons() : nullptr; }

// A 64-bit id given as a decimal string (0 when it is not a number).
uint64_t IdArg(ILuaInterface *pLua, int index)
{
	return Kestrum::String::To::UInt64(pLua->CheckString(index));
}

// A number argument truncated toward zero to 32 bits (out-of-range values saturate, NaN is 0).
int32_t Int32Arg(ILuaInterface *pLua, int index)
{
	double value = pLua->CheckNumber(index);
	if (std::isnan(value))
		return 0;
	value = std::trunc(value);
	if (value <= static_cast<double>(INT32_MIN))
		return INT32_MIN;
	if (value >= static_cast<double>(INT32_MAX))
		return INT32_MAX;
	return static_cast<int32_t>(value);
}

std::string IdText(uint64_t id) { return Kestrum::String::Format::UInt64(id); }

// A text field of a Steam record, up to its NUL or the field's end.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
	return std::string(field, strnlen(field, N));
}

void OpenOverlayPage(const std::string &path)
{
	if (ISteamFriends *friends = Friends())
		friends->ActivateGameOverlayToWebPage((std::string(ZORVAN_COMMUNITY_HOST) + path).c_str());
}

// The strings at members 1, 2, ... of a table, up to the first member that is not a string;
// the array handed to Steam points into them and lives as long as this object.
class TagList
{
public:
	explicit TagList(CLuaObject &tags)
	{
		if (tags.isTable())
		{
			for (float key = 1;; key += 1)
			{
				CLuaObject member;
				tags.GetMember(key, &member);
				if (!member.isString())
					break;
				m_Texts.push_back(member.GetString());
			}
		}
		for (const std::string &text : m_Texts)
			m_Pointers.push_back(text.c_str());
		m_Array.m_ppStrings = m_Pointers.empty() ? nullptr : m_Pointers.data();
		m_Array.m_nNumStrings = static_cast<int32_t>(m_Pointers.size());
	}

	SteamParamStringArray_t *Array() { return &m_Array; }

private:
	std::vector<std::string> m_Texts;
	std::vector<const char *> m_Pointers;
	SteamParamStringArray_t m_Array;
};

// Whether a request's answer may reach Lua: the menu state that made it is still the one.
bool SameState(ILuaInterface *pOwner) { return g_Lua && g_Lua == pOwner; }

// Reads a whole file under "MOD" into the buffer; false when it is missing or unreadable.
bool ReadGameFile(const char *path, CUtlBuffer &out)
{
	return g_pFullFileSystem && g_pFullFileSystem->ReadFile(path, "MOD", out, 0, 0);
}

// Writes a whole file under "MOD", creating its folder; the result is not reported.
void WriteGameFile(const std::string &path, const void *data, uint32_t size)
{
	if (!g_pFullFileSystem)
		return;
	std::string::size_type slash = path.rfind('/');
	if (slash != std::string::npos)
		g_pFullFileSystem->CreateDirHierarchy(path.substr(0, slash).c_str(), "MOD");
	FileHandle_t file = g_pFullFileSystem->Open(path.c_str(), "wb", "MOD");
	if (!file)
		return;
	if (size > 0)
		g_pFullFileSystem->Write(data, static_cast<int>(size), file);
	g_pFullFileSystem->Close(file);
}

std::string CachePath(UGCHandle_t handle)
{
	return Kestrum::String::Format::Print("cache/workshop/%llu.cache", static_cast<unsigned long long>(handle));
}

// Pushes the callback with no arguments and calls it.
void CallWithNothing(CLuaObject &callback)
{
	callback.Push();
	g_Lua->Call(0, 0);
}

// Pushes the callback and one table or string and calls it.
void CallWithObject(CLuaObject &callback, CLuaObject &argument)
{
	callback.Push();
	argument.Push();
	g_Lua->Call(1, 0);
}

// "GetList": one page of the application's items, or of one user's.
class SW_GetList
{
public:
	SW_GetList(const char *type, CLuaObject &tags, int32_t start, int32_t count, int32_t days, uint64_t user,
	           int iCallback)
		: m_pLua(g_Lua), m_Callback(iCallback, -1), m_iCount(static_cast<uint32_t>(count))
	{
		ISteamRemoteStorage *storage = RemoteStorage();
		if (!storage)
			return;
		EWorkshopEnumerationType enumeration = k_EWorkshopEnumerationTypeRankedByVote;
		if (strcmp(type, "trending") == 0)
		{
			enumeration = k_EWorkshopEnumerationTypeTrending;
			days = 7;
		}
		else if (strcmp(type, "latest") == 0)
			enumeration = k_EWorkshopEnumerationTypeRecent;
		else if (strcmp(type, "friends") == 0)
			enumeration = k_EWorkshopEnumerationTypeContentByFriends;
		TagList tagList(tags);
		if (user == 0)
		{
			SteamAPICall_t call = storage->EnumeratePublishedWorkshopFiles(
				enumeration, static_cast<uint32_t>(start), static_cast<uint32_t>(count), static_cast<uint32_t>(days),
				tagList.Array(), nullptr);
			m_FileList.Set(call, this, &SW_GetList::OnFileList);
		}
		else
		{
			CSteamID owner(user);
			if (user == 1)
			{
				ISteamUser *self = User();
				owner = self ? self->GetSteamID() : CSteamID();
			}
			SteamAPICall_t call =
				storage->EnumerateUserSharedWorkshopFiles(owner, static_cast<uint32_t>(start), tagList.Array(), nullptr);
			m_UserFileList.Set(call, this, &SW_GetList::OnUserFileList);
		}
	}

	// Whether a call is awaited: a request Steam refused is never answered.
	bool IsWaiting() const { return m_FileList.IsActive() || m_UserFileList.IsActive(); }

	void OnFileList(RemoteStorageEnumerateWorkshopFilesResult_t *pResult, bool bIOFailure)
	{
		Answer(pResult->m_eResult, bIOFailure, pResult->m_nResultsReturned, pResult->m_nTotalResultCount,
		       IdsOf(pResult), "EnumeratePublishedWorkshopFiles Failed (%i)\n");
	}

	void OnUserFileList(RemoteStorageEnumerateUserSharedWorkshopFilesResult_t *pResult, bool bIOFailure)
	{
		Answer(pResult->m_eResult, bIOFailure, pResult->m_nResultsReturned, pResult->m_nTotalResultCount,
		       IdsOf(pResult), "EnumerateUserSharedWorkshopFiles Failed (%i)\n");
	}

	void Success(int32_t total, int32_t returned, CLuaObject &results)
	{
		CLuaTable answer;
		answer.SetMember("totalresults", static_cast<float>(total));
		answer.SetMember("numresults", static_cast<float>(returned));
		answer.SetMember("results", &results);
		CallWithObject(m_Callback, answer);
		delete this;
	}

	void Failed()
	{
		CallWithNothing(m_Callback);
		delete this;
	}

private:
	// The bytes of a page's id array (the record is packed: the ids may be misaligned).
	template <class Page>
	static const unsigned char *IdsOf(const Page *pResult)
	{
		return reinterpret_cast<const unsigned char *>(pResult) + offsetof(Page, m_rgPublishedFileId);
	}

	void Answer(EResult result, bool bIOFailure, int32_t returned, int32_t total, const unsigned char *ids,
	            const char *failure)
	{
		if (!SameState(m_pLua))
		{
			delete this;
			return;
		}
		if (returned > static_cast<int32_t>(m_iCount))
			returned = static_cast<int32_t>(m_iCount);
		if (result != k_EResultOK || bIOFailure)
		{
			Warning(failure, static_cast<int>(result));
			Failed();
			return;
		}
		// Steam's page holds at most 50 ids, whatever count it reports.
		if (returned > k_unEnumeratePublishedFilesMaxResults)
			returned = k_unEnumeratePublishedFilesMaxResults;
		CLuaTable results;
		for (int32_t i = 0; i < returned; ++i)
		{
			PublishedFileId_t id;
			memcpy(&id, ids + static_cast<size_t>(i) * sizeof(id), sizeof(id));
			results.SetMember(static_cast<float>(i + 1), IdText(id).c_str());
		}
		Success(total, returned, results);
	}

	ILuaInterface *m_pLua;
	CLuaObject m_Callback;
	uint32_t m_iCount;
	CCallResult<SW_GetList, RemoteStorageEnumerateWorkshopFilesResult_t> m_FileList;
	CCallResult<SW_GetList, RemoteStorageEnumerateUserSharedWorkshopFilesResult_t> m_UserFileList;
};

// "VoteInfo": an item's votes and score.
class SW_VoteInfo
{
public:
	SW_VoteInfo(uint64_t id, int iCallback) : m_pLua(g_Lua), m_Callback(iCallback, -1)
	{
		if (ISteamRemoteStorage *storage = RemoteStorage())
			m_Result.Set(storage->GetPublishedItemVoteDetails(id), this, &SW_VoteInfo::SteamResponse);
	}

	bool IsWaiting() const { return m_Result.IsActive(); }

	void SteamResponse(RemoteStorageGetPublishedItemVoteDetailsResult_t *pResult, bool)
	{
		if (!SameState(m_pLua))
		{
			delete this;
			return;
		}
		float up = static_cast<float>(pResult->m_nVotesFor);
		float down = static_cast<float>(pResult->m_nVotesAgainst);
		CLuaTable answer;
		answer.SetMember("up", up);
		answer.SetMember("down", down);
		answer.SetMember("total", up + down);
		answer.SetMember("score", pResult->m_fScore);
		Success(answer);
	}

	void Success(CLuaObject &answer)
	{
		CallWithObject(m_Callback, answer);
		delete this;
	}

private:
	ILuaInterface *m_pLua;
	CLuaObject m_Callback;
	CCallResult<SW_VoteInfo, RemoteStorageGetPublishedItemVoteDetailsResult_t> m_Result;
};

// "FileInfo": an item's details.
class SteamworksFileInfo
{
public:
	SteamworksFileInfo(uint64_t id, int iCallback) : m_pLua(g_Lua), m_Callback(iCallback, -1)
	{
		if (ISteamRemoteStorage *storage = RemoteStorage())
			m_Result.Set(storage->GetPublishedFileDetails(id, 0), this, &SteamworksFileInfo::OnResult);
	}

	bool IsWaiting() const { return m_Result.IsActive(); }

	void OnResult(RemoteStorageGetPublishedFileDetailsResult_t *pResult, bool bIOFailure)
	{
		if (!SameState(m_pLua))
		{
			delete this;
			return;
		}
		if (pResult->m_eResult != k_EResultOK || bIOFailure)
		{
			if (pResult->m_eResult == k_EResultTimeout)
				Warning("SteamRemoteStorage()->GetPublishedFileDetails failed (workshop is down - try later)\n");
			else
				Warning("SteamRemoteStorage()->GetPublishedFileDetails failed (%i)\n",
				        static_cast<int>(pResult->m_eResult));
			Failed();
			return;
		}
		// The record is packed: its 64-bit fields are copied out before use.
		PublishedFileId_t id;
		UGCHandle_t file, preview;
		uint64_t owner;
		memcpy(&id, &pResult->m_nPublishedFileId, sizeof(id));
		memcpy(&file, &pResult->m_hFile, sizeof(file));
		memcpy(&preview, &pResult->m_hPreviewFile, sizeof(preview));
		memcpy(&owner, &pResult->m_ulSteamIDOwner, sizeof(owner));

		ISteamFriends *friends = Friends();
		if (friends)
			friends->RequestUserInformation(CSteamID(owner), true);

		CLuaTable info;
		info.SetMember("id", IdText(id).c_str());
		info.SetMember("title", FieldText(pResult->m_rgchTitle).c_str());
		info.SetMember("description", FieldText(pResult->m_rgchDescription).c_str());
		info.SetMember("fileid", IdText(file).c_str());
		info.SetMember("previewid", IdText(preview).c_str());
		info.SetMember("owner", IdText(owner).c_str());
		info.SetMember("created", static_cast<float>(pResult->m_rtimeCreated));
		info.SetMember("updated", static_cast<float>(pResult->m_rtimeUpdated));
		info.SetMember("banned", pResult->m_bBanned);
		info.SetMember("tags", FieldText(pResult->m_rgchTags).c_str());
		info.SetMember("size", static_cast<float>(pResult->m_nFileSize));
		info.SetMember("previewsize", static_cast<float>(pResult->m_nPreviewFileSize));

		IAddonSystem *addons = Addons();
		if (addons && addons->IsSubscribed(id))
		{
			info.SetMember("installed", addons->IsSubscribed(id));
			info.SetMember("disabled", !addons->IsEnabled(id));
		}
		else
		{
			info.SetMember("installed", false);
			info.SetMember("disabled", false);
		}

		// Steam gives an empty name for a user it does not know yet.
		const char *name = friends ? friends->GetFriendPersonaName(CSteamID(owner)) : nullptr;
		info.SetMember("ownername", name && name[0] ? name : "Unnammed Player");

		CallWithObject(m_Callback, info);
		delete this;
	}

	void Failed()
	{
		CallWithNothing(m_Callback);
		delete this;
	}

private:
	ILuaInterface *m_pLua;
	CLuaObject m_Callback;
	CCallResult<SteamworksFileInfo, RemoteStorageGetPublishedFileDetailsResult_t> m_Result;
};

// "Download": an item file's content into the local cache.
class SteamworksFileDownload
{
public:
	SteamworksFileDownload(UGCHandle_t handle, bool bUncompress, int iCallback)
		: m_pLua(g_Lua), m_bUncompress(bUncompress), m_Callback(iCallback, -1)
	{
		if (ISteamRemoteStorage *storage = RemoteStorage())
			m_Result.Set(storage->UGCDownload(handle, 1), this, &SteamworksFileDownload::OnResult);
	}

	bool IsWaiting() const { return m_Result.IsActive(); }

	void OnResult(RemoteStorageDownloadUGCResult_t *pResult, bool bIOFailure)
	{
		if (!SameState(m_pLua))
		{
			delete this;
			return;
		}
		ISteamRemoteStorage *storage = RemoteStorage();
		if (bIOFailure || pResult->m_eResult != k_EResultOK || !storage)
		{
			Failed();
			return;
		}
		UGCHandle_t handle;
		memcpy(&handle, &pResult->m_hFile, sizeof(handle));
		int32_t size = -1;
		storage->GetUGCDetails(handle, nullptr, nullptr, &size, nullptr);
		if (size <= 0)
		{
			Failed();
			return;
		}
		std::vector<unsigned char> data;
		try
		{
			data.resize(static_cast<size_t>(size));
		}
		catch (const std::bad_alloc &)
		{
			Failed();
			return;
		}
		if (storage->UGCRead(handle, data.data(), size, 0) == 0)
		{
			Failed();
			return;
		}

		std::string path = CachePath(handle);
		Kestrum::AutoBuffer extracted(0);
		if (m_bUncompress &&
		    Kestrum::Compression::LZMA::Extract(data.data(), static_cast<uint32_t>(data.size()), extracted))
			WriteGameFile(path, extracted.GetBase(), extracted.GetWritten());
		else
			WriteGameFile(path, data.data(), static_cast<uint32_t>(data.size()));

		m_Callback.Push();
		g_Lua->PushString(path.c_str(), 0);
		g_Lua->Call(1, 0);
		delete this;
	}

	void Failed()
	{
		CallWithNothing(m_Callback);
		delete this;
	}

private:
	ILuaInterface *m_pLua;
	bool m_bUncompress;
	CLuaObject m_Callback;
	CCallResult<SteamworksFileDownload, RemoteStorageDownloadUGCResult_t> m_Result;
};

// Frees a request whose call Steam refused: nothing would ever answer it.
template <class Request>
void KeepIfWaiting(Request *request)
{
	if (!request->IsWaiting())
		delete request;
}

LUA_LIBRARY(steamworks);

LUA_FUNCTION(steamworks, GetPlayerName)
{
	uint64_t id = IdArg(pLua, 1);
	ISteamFriends *friends = Friends();
	const char *name = friends ? friends->GetFriendPersonaName(CSteamID(id)) : nullptr;
	pLua->PushString(name ? name : "", 0);
	return 1;
}

LUA_FUNCTION(steamworks, RequestPlayerInfo)
{
	uint64_t id = IdArg(pLua, 1);
	if (ISteamFriends *friends = Friends())
		friends->RequestUserInformation(CSteamID(id), true);
	return 0;
}

LUA_FUNCTION(steamworks, ViewFile)
{
	const char *id = pLua->CheckString(1);
	OpenOverlayPage(Kestrum::String::Format::Print("/sharedfiles/filedetails/?id=%s&requirelogin=true", id));
	return 0;
}

LUA_FUNCTION(steamworks, OpenWorkshop)
{
	OpenOverlayPage(Kestrum::String::Format::Print(
		"/workshop/browse?appid=%u&requirelogin=true&p=1&browsesort=trend&days=30&numperpage=30",
		static_cast<unsigned>(kZorvanAppId)));
	return 0;
}

LUA_FUNCTION(steamworks, Unsubscribe)
{
	uint64_t id = IdArg(pLua, 1);
	if (ISteamRemoteStorage *storage = RemoteStorage())
		storage->UnsubscribePublishedFile(id);
	return 0;
}

LUA_FUNCTION(steamworks, Subscribe)
{
	uint64_t id = IdArg(pLua, 1);
	if (ISteamRemoteStorage *storage = RemoteStorage())
		storage->SubscribePublishedFile(id);
	return 0;
}

LUA_FUNCTION(steamworks, Vote)
{
	uint64_t id = IdArg(pLua, 1);
	bool up = pLua->GetBool(2);
	if (ISteamRemoteStorage *storage = RemoteStorage())
		storage->UpdateUserPublishedItemVote(id, up);
	return 0;
}
}

// Waits for Steam's answer to a publish; removes the uploaded cloud files when it comes.
class CSteamCallbackHandler
{
public:
	void OnPublishSave(RemoteStoragePublishFileResult_t *pResult, bool bIOFailure)
	{
		ISteamRemoteStorage *storage = RemoteStorage();
		for (const std::string &name : m_Uploaded)
			if (storage)
				storage->FileDelete(name.c_str());
		m_Uploaded.clear();
		if (pResult->m_eResult != k_EResultOK || bIOFailure)
		{
			Msg("Oops! Failed to publish file! (%i)", static_cast<int>(pResult->m_eResult));
			return;
		}
		PublishedFileId_t id;
		memcpy(&id, &pResult->m_nPublishedFileId, sizeof(id));
		OpenOverlayPage(Kestrum::String::Format::Print("/sharedfiles/filedetails/?id=%llu&requirelogin=true",
		                                               static_cast<unsigned long long>(id)));
		Msg("File Published (%llu)\n", static_cast<unsigned long long>(id));
	}

	// Cloud files of publishes not answered yet, in upload order.
	std::vector<std::string> m_Uploaded;
};

CSteamCallbackHandler g_SteamCallbackHandler;
CCallResult<CSteamCallbackHandler, RemoteStoragePublishFileResult_t> g_SavePublishCallback;

namespace
{
std::string CloudName(const char *extension)
{
	return "creation/" + Kestrum::String::Random(16, true, false, false, false) + extension;
}

LUA_FUNCTION(steamworks, Publish)
{
	CLuaObject tags(1, -1);
	std::string content = pLua->CheckString(2);
	std::string preview = pLua->CheckString(3);
	std::string title = pLua->CheckString(4);
	std::string description = pLua->CheckString(5);
	TagList tagList(tags);

	CUtlBuffer contentBytes, previewBytes;
	if (!ReadGameFile(content.c_str(), contentBytes) || !ReadGameFile(preview.c_str(), previewBytes))
		return 0;
	Kestrum::AutoBuffer compressed(0);
	if (!Kestrum::Compression::LZMA::Compress(contentBytes.Base(), static_cast<uint32_t>(contentBytes.TellPut()),
	                                          compressed, 5, 0x10000))
		return 0;
	ISteamRemoteStorage *storage = RemoteStorage();
	if (!storage)
		return 0;

	std::string contentName = CloudName(".main");
	storage->FileWrite(contentName.c_str(), compressed.GetBase(), static_cast<int32_t>(compressed.GetWritten()));
	std::string previewName = CloudName(".jpg");
	storage->FileWrite(previewName.c_str(), previewBytes.Base(), previewBytes.TellPut());

	bool filtered = HasBadWords(title) || HasBadWords(description);
	SteamAPICall_t call = storage->PublishWorkshopFile(
		contentName.c_str(), previewName.c_str(), kZorvanAppId, title.c_str(), description.c_str(),
		filtered ? k_ERemoteStoragePublishedFileVisibilityFriendsOnly : k_ERemoteStoragePublishedFileVisibilityPublic,
		tagList.Array(), k_EWorkshopFileTypeCommunity);
	g_SavePublishCallback.Set(call, &g_SteamCallbackHandler, &CSteamCallbackHandler::OnPublishSave);
	g_SteamCallbackHandler.m_Uploaded.push_back(contentName);
	g_SteamCallbackHandler.m_Uploaded.push_back(previewName);
	return 0;
}

LUA_FUNCTION(steamworks, FileInfo)
{
	if (pLua->GetType(2) != LUA_TYPE_FUNCTION)
		return 0;
	uint64_t id = IdArg(pLua, 1);
	KeepIfWaiting(new SteamworksFileInfo(id, 2));
	return 0;
}

LUA_FUNCTION(steamworks, Download)
{
	if (pLua->GetType(3) != LUA_TYPE_FUNCTION)
		return 0;
	uint64_t handle = IdArg(pLua, 1);
	bool uncompress = pLua->GetBool(2);
	std::string path = CachePath(handle);
	if (g_pFullFileSystem && g_pFullFileSystem->FileExists(path.c_str(), "MOD"))
	{
		pLua->Push(3);
		pLua->PushString(path.c_str(), 0);
		pLua->Call(1, 0);
		return 0;
	}
	KeepIfWaiting(new SteamworksFileDownload(handle, uncompress, 3));
	return 0;
}

LUA_FUNCTION(steamworks, SetFilePlayed)
{
	uint64_t id = IdArg(pLua, 1);
	if (ISteamRemoteStorage *storage = RemoteStorage())
		storage->SetUserPublishedFileAction(id, k_EWorkshopFileActionPlayed);
	return 0;
}

LUA_FUNCTION(steamworks, SetFileCompleted)
{
	uint64_t id = IdArg(pLua, 1);
	if (ISteamRemoteStorage *storage = RemoteStorage())
		storage->SetUserPublishedFileAction(id, k_EWorkshopFileActionCompleted);
	return 0;
}

LUA_FUNCTION(steamworks, IsSubscribed)
{
	uint64_t id = IdArg(pLua, 1);
	IAddonSystem *addons = Addons();
	pLua->PushBool(addons && addons->IsSubscribed(id));
	return 1;
}

LUA_FUNCTION(steamworks, ShouldMountAddon)
{
	const char *name = pLua->CheckString(1);
	IAddonSystem *addons = Addons();
	pLua->PushBool(addons && addons->ShouldMount(name));
	return 1;
}

LUA_FUNCTION(steamworks, SetShouldMountAddon)
{
	const char *name = pLua->CheckString(1);
	bool mount = pLua->GetBool(2);
	if (IAddonSystem *addons = Addons())
		addons->SetShouldMount(name, mount);
	return 0;
}

LUA_FUNCTION(steamworks, ApplyAddons)
{
	if (IAddonSystem *addons = Addons())
		addons->Apply();
	if (g_pFullFileSystem)
		g_pFullFileSystem->MountedContentChanged();
	return 0;
}

LUA_FUNCTION(steamworks, GetList)
{
	const char *type = pLua->CheckString(1);
	CLuaObject tags(2, -1);
	int32_t start = Int32Arg(pLua, 3);
	int32_t count = Int32Arg(pLua, 4);
	int32_t days = Int32Arg(pLua, 5);
	uint64_t user = IdArg(pLua, 6);
	KeepIfWaiting(new SW_GetList(type, tags, start, count, days, user, 7));
	return 0;
}

LUA_FUNCTION(steamworks, VoteInfo)
{
	uint64_t id = IdArg(pLua, 1);
	KeepIfWaiting(new SW_VoteInfo(id, 2));
	return 0;
}
}
