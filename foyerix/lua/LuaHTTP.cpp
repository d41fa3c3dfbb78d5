// The global function HTTP: one GET or POST request through Steam's HTTP interface, answered
// on a later frame in the request table's `success` or `failed` function.
#include <climits>
#include <cstring>
#include <string>

#include "IGet.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "steam/steam_api.h"
#include "tier0/dbg.h"
#include "tier1/utlbuffer.h"

namespace
{
// The response headers handed to `success`, asked for in this order under exactly these names.
const char *const kProbedHeaders[] = {
	"Connection", "Content-Encoding", "Content-Type:", "Date", "Server", "Transfer-Encoding",
	"Vary: ", "Cache-Control", "Expires", "Get-Dictionary", "Status", "Version",
	"Pragma", "Set-Cookie", "X-Powered-By", "X-UA-Compatible", "Age", "Allow",
	"Connection", "Last-Modified", "Location", "Refresh", "Warning",
};

const int kHeaderValueSize = 2048;

ISteamHTTP *SteamHTTP()
{
	return get ? get->SteamHTTP() : nullptr;
}

// Calls the function on top of the stack below its `args` arguments. An error is reported and
// does not unwind: the request still finishes and frees itself.
void CallProtected(int args)
{
	if (g_Lua->PCall(args, 0, 0))
		return;
	const char *error = g_Lua->GetString(-1, nullptr);
	g_Lua->ErrorNoHalt("%s", error ? error : "unknown error");
	g_Lua->Pop(1);
}
}

// One request in flight: the script's request table and the Steam call that answers it.
// Lives from HTTP until its last callback has run, then deletes itself.
class CHTTP
{
public:
	void Init(ILuaObject *table);
	void OnFailure(const char *reason);
	void OnComplete(HTTPRequestCompleted_t *result, bool bIOFailure);
	void Finish();

private:
	// The table's function under `name`; none once the menu state that made the table was
	// closed or replaced.
	bool GetCallback(const char *name, CLuaObject &function);
	void ReleaseRequest();

	CLuaObject m_Table;
	CCallResult<CHTTP, HTTPRequestCompleted_t> m_CallResult;
	HTTPRequestHandle m_hRequest = INVALID_HTTPREQUEST_HANDLE;
};

bool CHTTP::GetCallback(const char *name, CLuaObject &function)
{
	if (!g_Lua || !m_Table.isTable())
		return false;
	m_Table.GetMember(name, &function);
	return function.isFunction();
}

void CHTTP::ReleaseRequest()
{
	if (m_hRequest == INVALID_HTTPREQUEST_HANDLE)
		return;
	if (ISteamHTTP *http = SteamHTTP())
		http->ReleaseHTTPRequest(m_hRequest);
	m_hRequest = INVALID_HTTPREQUEST_HANDLE;
}

void CHTTP::Init(ILuaObject *table)
{
	m_Table.Set(table);

	// Copied: a string made by an __index function is held by nothing once it is read.
	const char *urlText = m_Table.GetMemberStr("url", "");
	std::string url = urlText ? urlText : "";
	if (url.empty())
	{
		OnFailure("invalid url");
		return;
	}
	const char *method = m_Table.GetMemberStr("method", "get");
	EHTTPMethod eMethod = method && strcmp(method, "post") == 0 ? k_EHTTPMethodPOST : k_EHTTPMethodGET;

	ISteamHTTP *http = SteamHTTP();
	m_hRequest = http ? http->CreateHTTPRequest(eMethod, url.c_str()) : INVALID_HTTPREQUEST_HANDLE;
	if (m_hRequest == INVALID_HTTPREQUEST_HANDLE)
	{
		OnFailure("invalid request");
		return;
	}

	CLuaObject parameters;
	m_Table.GetMember("parameters", &parameters);
	if (parameters.isTable())
	{
		parameters.Push();
		g_Lua->PushNil();
		while (g_Lua->Next(-2))
		{
			if (g_Lua->GetType(-2) == LUA_TYPE_STRING && g_Lua->GetType(-1) == LUA_TYPE_STRING)
				http->SetHTTPRequestGetOrPostParameter(m_hRequest, g_Lua->GetString(-2), g_Lua->GetString(-1));
			g_Lua->Pop(1);
		}
		g_Lua->Pop(1);
	}

	SteamAPICall_t hCall = k_uAPICallInvalid;
	// A send that gives no call could never complete: it fails like a refused send.
	if (!http->SendHTTPRequest(m_hRequest, &hCall) || hCall == k_uAPICallInvalid)
	{
		ReleaseRequest();
		OnFailure("invalid request");
		return;
	}
	m_CallResult.Set(hCall, this, &CHTTP::OnComplete);
}

void CHTTP::OnFailure(const char *reason)
{
	CLuaObject failed;
	if (GetCallback("failed", failed))
	{
		failed.Push();
		g_Lua->PushString(reason ? reason : "unknown");
		CallProtected(1);
	}
	Finish();
}

void CHTTP::OnComplete(HTTPRequestCompleted_t *result, bool bIOFailure)
{
	if (bIOFailure)
	{
		ReleaseRequest();
		OnFailure("error");
		return;
	}
	if (!result->m_bRequestSuccessful)
	{
		ReleaseRequest();
		OnFailure("unsuccessful");
		return;
	}
	ISteamHTTP *http = SteamHTTP();
	// A request that outlived its menu state (closed or reloaded) has no one left to tell.
	if (!http || !g_Lua || !m_Table.isTable())
	{
		ReleaseRequest();
		Finish();
		return;
	}

	CLuaTable headers;
	for (const char *name : kProbedHeaders)
	{
		uint8_t value[kHeaderValueSize];
		if (!http->GetHTTPResponseHeaderValue(m_hRequest, name, value, sizeof(value)))
			continue;
		value[sizeof(value) - 1] = 0;
		Msg("Found Header %s\n", name);
		headers.SetMember(name, reinterpret_cast<const char *>(value));
	}

	uint32_t bodySize = 0;
	if (!http->GetHTTPResponseBodySize(m_hRequest, &bodySize) || bodySize > INT_MAX)
		bodySize = 0;
	CUtlBuffer body(0, static_cast<int>(bodySize), 0);
	// A body that cannot be copied arrives empty, never as uninitialised memory.
	if (bodySize && (!body.Base() || !http->GetHTTPResponseBodyData(m_hRequest, static_cast<uint8_t *>(body.Base()), bodySize)))
		bodySize = 0;
	body.SeekPut(CUtlBuffer::SEEK_HEAD, static_cast<int>(bodySize));

	CLuaObject success;
	m_Table.GetMember("success", &success);
	if (success.isFunction())
	{
		success.Push();
		g_Lua->PushNumber(static_cast<double>(static_cast<uint32_t>(result->m_eStatusCode)));
		if (bodySize)
			g_Lua->PushString(static_cast<const char *>(body.Base()), bodySize);
		else
			g_Lua->PushString("", 0);
		headers.Push();
		CallProtected(3);
	}

	ReleaseRequest();
	Finish();
}

void CHTTP::Finish()
{
	m_CallResult.Cancel();
	m_Table.UnReference();
	delete this;
}

LUA_GLOBAL_FUNCTION(HTTP)
{
	if (!SteamHTTP())
	{
		Warning("HTTP failed - ISteamHTTP isn't available!\n");
		return 0;
	}
	ILuaObject *table = g_Lua->GetObject(1);
	if (!table || !table->isTable())
		return 0;
	CHTTP *request = new CHTTP();
	request->Init(table);  // may already have failed and freed the request
	g_Lua->PushBool(true);
	return 1;
}
