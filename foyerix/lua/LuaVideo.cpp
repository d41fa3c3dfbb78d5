// The "video" library and the IVideoWriter class: recording the menu into a video through a
// writer the host lends, one frame per call from the script's "CaptureVideo" hook.
#include <algorithm>
#include <string>

#include "IGet.h"
#include "IHostUtil.h"
#include "IZorvan.h"
#include "Kestrum/Utility/String.h"
#include "lua/LuaClass.h"
#include "tier1/convar.h"

CLuaClass LC_IVideoWriter("IVideoWriter", 33, nullptr, nullptr);

namespace
{
const char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890-_";

IVideoWriter &SelfWriter()
{
	IVideoWriter *writer = static_cast<IVideoWriter *>(LC_IVideoWriter.Get(1));
	if (!writer)
		LuaInvalidObject("IVideoWriter");
	return *writer;
}

void SetFpsMax(int fps)
{
	ConVarRef fpsMax("fps_max", true);
	if (fpsMax.IsValid())
		fpsMax.SetValue(static_cast<float>(fps));
}

int Refuse(ILuaInterface *pLua, const char *message)
{
	pLua->PushBool(false);
	pLua->PushString(message, 0);
	return 2;
}

LUA_LIBRARY(video);

LUA_FUNCTION(video, Record)
{
	if (pLua->GetType(1) != LUA_TYPE_TABLE)
		return Refuse(pLua, "Not a table");
	CLuaObject settings(1, LUA_TYPE_TABLE);
	int width = settings.GetMemberInt("width", 640);
	int height = settings.GetMemberInt("height", 480);
	int fps = settings.GetMemberInt("fps", 25);
	int bitrate = settings.GetMemberInt("bitrate", 8192);
	float quality = settings.GetMemberFloat("quality", 0.0f);
	bool raw = settings.GetMemberBool("raw", false);
	bool lockfps = settings.GetMemberBool("lockfps", false);
	std::string container = settings.GetMemberStr("container", "");
	std::string videoCodec = settings.GetMemberStr("video", "");
	std::string audioCodec = settings.GetMemberStr("audio", "");
	std::string name = settings.GetMemberStr("name", "");
	if (name.empty() || !Kestrum::String::Test::ContainsOnly(name, kNameCharacters))
		return Refuse(pLua, "Invalid Name");
	IHostUtil *util = get ? get->Util() : nullptr;
	IVideoWriter *writer = util ? util->CreateVideoWriter() : nullptr;
	if (!writer)
		return 0;
	const char *error = writer->Start(container.c_str(), videoCodec.c_str(), audioCodec.c_str(), std::max(width, 32),
	                                  std::max(height, 32), fps, name.c_str(), bitrate, quality, raw);
	if (error && error[0])
	{
		// The text may belong to the writer: keep a copy before destroying it.
		std::string message = error;
		writer->Destroy();
		return Refuse(pLua, message.c_str());
	}
	if (lockfps)
		SetFpsMax(fps);
	LC_IVideoWriter.Push(writer);
	return 1;
}
}

LUA_CLASS_METHOD(IVideoWriter, __gc, LC_IVideoWriter)
{
	if (IVideoWriter *writer = static_cast<IVideoWriter *>(LC_IVideoWriter.Release(1)))
	{
		writer->Finish();
		writer->Destroy();
	}
	return 0;
}

LUA_CLASS_METHOD(IVideoWriter, Finish, LC_IVideoWriter)
{
	SelfWriter().Finish();
	SetFpsMax(1000);
	return 0;
}

LUA_CLASS_METHOD(IVideoWriter, AddFrame, LC_IVideoWriter)
{
	IVideoWriter &writer = SelfWriter();
	float frameTime = static_cast<float>(pLua->CheckNumber(2));
	bool bracket = pLua->GetBool(3) && izorvan;
	if (bracket)
		izorvan->PrepareFrameCapture(writer.m_nWidth, writer.m_nHeight);
	writer.AddFrame(0, 0, frameTime);
	if (bracket)
		izorvan->FinishFrameCapture(writer.m_nWidth, writer.m_nHeight);
	return 0;
}

LUA_CLASS_METHOD(IVideoWriter, Width, LC_IVideoWriter)
{
	pLua->PushNumber(SelfWriter().m_nWidth);
	return 1;
}

LUA_CLASS_METHOD(IVideoWriter, Height, LC_IVideoWriter)
{
	pLua->PushNumber(SelfWriter().m_nHeight);
	return 1;
}

LUA_CLASS_METHOD(IVideoWriter, SetRecordSound, LC_IVideoWriter)
{
	IVideoWriter &writer = SelfWriter();
	bool flag = pLua->GetBool(2);
	writer.m_bRecordSound = flag;
	pLua->PushBool(flag);
	return 1;
}
