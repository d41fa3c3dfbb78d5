// The "file" library and the File class: menu scripts find, read and write game files
// through the engine file system, within the access rules of IsFileAccessAllowed.
#include "lua/LuaFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "Kestrum/Utility/String.h"
#include "filesystem/IFileSystem.h"
#include "lua/ILuaShared.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "tier1/strtools.h"
#include "tier1/tier2.h"

namespace
{
struct fileinfo_t
{
	std::string name;
	int32_t time;
};

// The open File behind a File userdata.
struct LuaFile_t
{
	FileHandle_t handle;
	bool open;
};

// Sort mode of the Find in progress, read by SortFindFiles.
std::string g_SortMethod = "namedesc";

bool SortFindFiles(const fileinfo_t &a, const fileinfo_t &b)
{
	if (g_SortMethod == "datedesc")
		return a.time > b.time;
	if (g_SortMethod == "dateasc")
		return a.time < b.time;
	if (g_SortMethod == "namedesc")
		return a.name < b.name;
	return b.name < a.name;
}

// The script-facing "LUA" names the host's Lua script cache.
const char *ConvertPathID(const char *pathID)
{
	return strcmp(pathID, "LUA") == 0 ? "lsv" : pathID;
}

// A path argument with every "\" turned into "/".
std::string PathArg(ILuaInterface *pLua, int index)
{
	Kestrum::BString path = pLua->CheckString(index);
	Kestrum::String::File::FixSlashes(path);
	return path;
}

void CollectName(const char *name, void *context)
{
	static_cast<std::vector<std::string> *>(context)->push_back(name);
}
}

bool IsFileAccessAllowed(const std::string &path, const std::string &pathID, bool bWrite, bool bAnyExtension)
{
	if (bWrite)
	{
		if (pathID != "DATA")
			return false;
		if (!bAnyExtension)
		{
			Kestrum::BString ext = Kestrum::String::File::GetFileExtension(path);
			if (ext != "txt" && ext != "dat")
				return false;
		}
	}
	if (!Kestrum::String::Test::ContainsOnly(
			path, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ01234567890-_ ./*"))
		return false;
	if (!path.empty() && path[0] == '/')
		return false;
	if (path.find("..") != std::string::npos)
		return false;
	if (path.find("./") != std::string::npos)
		return false;
	return true;
}

LUA_LIBRARY(file);
CLuaClass LC_File("File", 34, nullptr, nullptr);

LUA_FUNCTION(file, Exists)
{
	std::string path = PathArg(pLua, 1);
	const char *pathID = ConvertPathID(pLua->CheckString(2));
	if (!IsFileAccessAllowed(path, pathID, false, false))
		return 0;
	bool bExists = false;
	if (strcmp(pathID, "lcl") == 0 || strcmp(pathID, "lsv") == 0)
	{
		LuaSharedService *shared = LuaShared();
		bExists = shared && shared->FindCachedFiles(path.c_str(), pathID, nullptr, nullptr) > 0;
	}
	else if (g_pFullFileSystem)
	{
		bExists = g_pFullFileSystem->FileExists(path.c_str(), pathID);
	}
	pLua->PushBool(bExists);
	return 1;
}

LUA_FUNCTION(file, IsDir)
{
	std::string path = PathArg(pLua, 1);
	const char *pathID = ConvertPathID(pLua->CheckString(2));
	if (!IsFileAccessAllowed(path, pathID, false, true))
		return 0;
	pLua->PushBool(g_pFullFileSystem && g_pFullFileSystem->IsDirectory(path.c_str(), pathID));
	return 1;
}

LUA_FUNCTION(file, Find)
{
	const char *rawPattern = pLua->CheckString(1);
	const char *pathID = ConvertPathID(pLua->CheckString(2));
	Kestrum::BString folder = rawPattern;
	Kestrum::String::File::StripFilename(folder);

	g_SortMethod = "namedesc";
	if (pLua->GetType(3) == LUA_TYPE_STRING)
		g_SortMethod = pLua->GetString(3);

	Kestrum::BString pattern = rawPattern;
	Kestrum::String::File::FixSlashes(pattern);
	if (!IsFileAccessAllowed(pattern, pathID, false, false))
		return 0;

	std::vector<fileinfo_t> files;
	std::vector<fileinfo_t> folders;
	if (strcmp(pathID, "lsv") == 0)
	{
		g_SortMethod = "namedesc";
		std::vector<std::string> names;
		if (LuaSharedService *shared = LuaShared())
			shared->FindCachedFiles(pattern.c_str(), "lsv", CollectName, &names);
		for (const std::string &name : names)
		{
			if (Kestrum::String::Test::EndsWith(name, ".lua"))
				files.push_back(fileinfo_t{name, 0});
			else
				folders.push_back(fileinfo_t{name, 0});
		}
	}
	else if (g_pFullFileSystem)
	{
		bool bByDate = g_SortMethod == "datedesc" || g_SortMethod == "dateasc";
		FileFindHandle_t handle = FILESYSTEM_INVALID_FIND_HANDLE;
		const char *name = g_pFullFileSystem->FindFirstEx(pattern.c_str(), pathID, &handle);
		while (name)
		{
			if (*name && name[0] != '.' && !V_stristr(name, "Copy ("))
			{
				int32_t time = 0;
				if (bByDate)
					time = static_cast<int32_t>(g_pFullFileSystem->GetFileTime((folder + name).c_str(), pathID));
				if (g_pFullFileSystem->FindIsDirectory(handle))
					folders.push_back(fileinfo_t{name, time});
				else
					files.push_back(fileinfo_t{name, time});
			}
			name = g_pFullFileSystem->FindNext(handle);
		}
		if (handle != FILESYSTEM_INVALID_FIND_HANDLE)
			g_pFullFileSystem->FindClose(handle);
	}

	for (std::vector<fileinfo_t> *list : { &files, &folders })
		if (!list->empty())
			std::sort(list->begin(), list->end(), SortFindFiles);

	for (std::vector<fileinfo_t> *list : { &files, &folders })
	{
		CLuaTable table;
		float key = 1;
		for (const fileinfo_t &info : *list)
			table.SetMember(key++, info.name.c_str());
		table.Push();
	}
	return 2;
}

LUA_FUNCTION(file, Delete)
{
	std::string path = PathArg(pLua, 1);
	const char *pathID = "DATA";
	if (pLua->GetType(2) == LUA_TYPE_STRING)
		pathID = pLua->GetString(2);
	// Scripts delete only what they can write: .txt and .dat files under "DATA".
	if (!IsFileAccessAllowed(path, pathID, true, false))
		return 0;
	if (g_pFullFileSystem)
		g_pFullFileSystem->RemoveFile(path.c_str(), pathID);
	return 0;
}

LUA_FUNCTION(file, CreateDir)
{
	std::string path = PathArg(pLua, 1);
	if (!IsFileAccessAllowed(path, "DATA", true, true))
		return 0;
	if (g_pFullFileSystem)
		g_pFullFileSystem->CreateDirHierarchy(path.c_str(), "DATA");
	return 0;
}

LUA_FUNCTION(file, Time)
{
	std::string path = PathArg(pLua, 1);
	const char *pathID = ConvertPathID(pLua->CheckString(2));
	if (!IsFileAccessAllowed(path, pathID, false, false))
		return 0;
	int32_t time = g_pFullFileSystem ? static_cast<int32_t>(g_pFullFileSystem->GetFileTime(path.c_str(), pathID)) : 0;
	pLua->PushNumber(time);
	return 1;
}

LUA_FUNCTION(file, Size)
{
	std::string path = PathArg(pLua, 1);
	const char *pathID = ConvertPathID(pLua->CheckString(2));
	if (!IsFileAccessAllowed(path, pathID, false, false))
		return 0;
	pLua->PushNumber(g_pFullFileSystem ? g_pFullFileSystem->FileSize(path.c_str(), pathID) : 0);
	return 1;
}

LUA_FUNCTION(file, Open)
{
	std::string path = PathArg(pLua, 1);
	const char *mode = pLua->CheckString(2);
	const char *pathID = ConvertPathID(pLua->CheckString(3));
	bool bWrite;
	if (!strcmp(mode, "w") || !strcmp(mode, "wb") || !strcmp(mode, "a") || !strcmp(mode, "ab"))
		bWrite = true;
	else if (!strcmp(mode, "r") || !strcmp(mode, "rb"))
		bWrite = false;
	else
		return 0;
	if (!IsFileAccessAllowed(path, pathID, bWrite, false) || !g_pFullFileSystem)
		return 0;
	FileHandle_t handle = g_pFullFileSystem->OpenEx(path.c_str(), mode, 0, pathID, nullptr);
	if (!handle)
		return 0;
	LuaFile_t *file = new (std::nothrow) LuaFile_t{handle, true};
	if (!file)
	{
		g_pFullFileSystem->Close(handle);
		return 0;
	}
	LC_File.Push(file);
	return 1;
}

namespace
{
// The File of argument 1 when it is open; null for a closed one. A released object (its
// __gc already ran) is an invalid object.
LuaFile_t *OpenFileArg()
{
	LuaFile_t *file = static_cast<LuaFile_t *>(LC_File.Get(1));
	if (!file)
		LuaInvalidObject("File");
	return file->open ? file : nullptr;
}

// Reads exactly sizeof(T) bytes or fewer; bytes not read stay zero. False when none came.
template <typename T> bool ReadValue(LuaFile_t *file, T *value)
{
	unsigned char bytes[sizeof(T)] = {};
	if (g_pFullFileSystem->Read(bytes, static_cast<int>(sizeof(T)), file->handle) <= 0)
		return false;
	memcpy(value, bytes, sizeof(T));
	return true;
}

template <typename T> void WriteValue(LuaFile_t *file, T value)
{
	unsigned char bytes[sizeof(T)];
	memcpy(bytes, &value, sizeof(T));
	g_pFullFileSystem->Write(bytes, static_cast<int>(sizeof(T)), file->handle);
}

// A Lua number truncated toward zero into 64 bits without undefined behaviour for values
// out of range (NaN becomes 0); the callers keep the low bits.
int64_t TruncatedNumber(double d)
{
	if (!(d == d))
		return 0;
	if (d >= 9223372036854775807.0)
		return INT64_MAX;
	if (d <= -9223372036854775808.0)
		return INT64_MIN;
	return static_cast<int64_t>(d);
}

uint32_t Low32(double d)
{
	return static_cast<uint32_t>(static_cast<uint64_t>(TruncatedNumber(d)));
}
}

LUA_CLASS_METHOD(File, Close, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	g_pFullFileSystem->Close(file->handle);
	file->handle = nullptr;
	file->open = false;
	return 0;
}

LUA_CLASS_METHOD(File, Size, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	pLua->PushNumber(g_pFullFileSystem->Size(file->handle));
	return 1;
}

LUA_CLASS_METHOD(File, Read, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	uint32_t length = Low32(pLua->CheckNumber(2));
	// No more than what is left of the file is ever read: a huge count allocates nothing.
	uint32_t size = g_pFullFileSystem->Size(file->handle);
	uint32_t pos = g_pFullFileSystem->Tell(file->handle);
	uint32_t left = pos < size ? size - pos : 0;
	length = std::min(length, left);
	length = std::min<uint32_t>(length, 0x7FFFFFFF);
	if (length == 0)
		return 0;
	char *block = static_cast<char *>(malloc(length));
	if (!block)
		return 0;
	int read = g_pFullFileSystem->Read(block, static_cast<int>(length), file->handle);
	if (read > 0)
		pLua->PushString(block, static_cast<unsigned int>(read));
	free(block);
	return read > 0 ? 1 : 0;
}

LUA_CLASS_METHOD(File, Write, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	unsigned int length = 0;
	const char *data = pLua->CheckString(2);
	data = pLua->GetString(2, &length);
	const char *p = data;
	// The file system writes at most INT_MAX bytes a call.
	while (p && length > 0)
	{
		int chunk = static_cast<int>(std::min<unsigned int>(length, 0x40000000u));
		int written = g_pFullFileSystem->Write(p, chunk, file->handle);
		if (written <= 0)
			break;
		p += written;
		length -= static_cast<unsigned int>(written);
	}
	return 0;
}

LUA_CLASS_METHOD(File, Seek, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	g_pFullFileSystem->Seek(file->handle, static_cast<int>(Low32(pLua->GetNumber(2))), FILESYSTEM_SEEK_HEAD);
	return 0;
}

LUA_CLASS_METHOD(File, Skip, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	g_pFullFileSystem->Seek(file->handle, static_cast<int>(Low32(pLua->GetNumber(2))), FILESYSTEM_SEEK_CURRENT);
	return 0;
}

LUA_CLASS_METHOD(File, Tell, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	pLua->PushNumber(g_pFullFileSystem->Tell(file->handle));
	return 1;
}

LUA_CLASS_METHOD(File, ReadByte, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	uint8_t value;
	if (!file || !ReadValue(file, &value))
		return 0;
	pLua->PushNumber(value);
	return 1;
}

LUA_CLASS_METHOD(File, ReadBool, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	uint8_t value;
	if (!file || !ReadValue(file, &value))
		return 0;
	pLua->PushBool((value & 1) != 0);
	return 1;
}

LUA_CLASS_METHOD(File, ReadShort, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	int16_t value;
	if (!file || !ReadValue(file, &value))
		return 0;
	pLua->PushNumber(value);
	return 1;
}

LUA_CLASS_METHOD(File, ReadLong, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	int32_t value;
	if (!file || !ReadValue(file, &value))
		return 0;
	pLua->PushNumber(value);
	return 1;
}

LUA_CLASS_METHOD(File, ReadFloat, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	float value;
	if (!file || !ReadValue(file, &value))
		return 0;
	pLua->PushNumber(value);
	return 1;
}

LUA_CLASS_METHOD(File, ReadDouble, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	double value;
	if (!file || !ReadValue(file, &value))
		return 0;
	pLua->PushNumber(value);
	return 1;
}

LUA_CLASS_METHOD(File, WriteByte, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	WriteValue(file, static_cast<uint8_t>(Low32(pLua->CheckNumber(2))));
	return 0;
}

LUA_CLASS_METHOD(File, WriteBool, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	WriteValue(file, static_cast<uint8_t>(pLua->GetBool(2) ? 1 : 0));
	return 0;
}

LUA_CLASS_METHOD(File, WriteShort, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	WriteValue(file, static_cast<uint16_t>(Low32(pLua->GetNumber(2))));
	return 0;
}

LUA_CLASS_METHOD(File, WriteLong, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	WriteValue(file, Low32(pLua->GetNumber(2)));
	return 0;
}

LUA_CLASS_METHOD(File, WriteFloat, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	WriteValue(file, static_cast<float>(pLua->GetNumber(2)));
	return 0;
}

LUA_CLASS_METHOD(File, WriteDouble, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	WriteValue(file, pLua->GetNumber(2));
	return 0;
}

LUA_CLASS_METHOD(File, __gc, LC_File)
{
	LuaFile_t *file = static_cast<LuaFile_t *>(LC_File.Release(1));
	if (!file)
		return 0;
	if (file->open && g_pFullFileSystem)
		g_pFullFileSystem->Close(file->handle);
	delete file;
	return 0;
}

LUA_CLASS_METHOD(File, Flush, LC_File)
{
	LuaFile_t *file = OpenFileArg();
	if (!file)
		return 0;
	g_pFullFileSystem->Flush(file->handle);
	return 0;
}
