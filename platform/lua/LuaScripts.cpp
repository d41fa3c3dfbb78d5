// Script files of the stand-in Lua service, read from the folders given for each path name.
#include "LuaScripts.h"

#include <dirent.h>
#include <fnmatch.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace
{
std::map<std::string, std::vector<std::string>> &Folders()
{
	static std::map<std::string, std::vector<std::string>> folders;
	return folders;
}

// Names stay inside their folder: no absolute paths, no ".." components.
bool IsSafeName(const std::string &name)
{
	if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find('\0') != std::string::npos)
		return false;
	size_t start = 0;
	while (start <= name.size())
	{
		size_t end = name.find_first_of("/\\", start);
		if (end == std::string::npos)
			end = name.size();
		if (name.compare(start, end - start, "..") == 0)
			return false;
		start = end + 1;
	}
	return true;
}

bool Find(const std::string &pathName, const std::string &name, std::string *found)
{
	if (!IsSafeName(name))
		return false;
	auto it = Folders().find(pathName);
	if (it == Folders().end())
		return false;
	for (const std::string &folder : it->second)
	{
		std::string full = folder + "/" + name;
		std::ifstream in(full, std::ios::binary);
		if (in.good())
		{
			*found = full;
			return true;
		}
	}
	return false;
}
}

void LuaScripts::AddFolder(const std::string &pathName, const std::string &folder)
{
	Folders()[pathName].push_back(folder);
}

void LuaScripts::Clear() { Folders().clear(); }

bool LuaScripts::Exists(const std::string &pathName, const std::string &name)
{
	std::string found;
	return Find(pathName, name, &found);
}

bool LuaScripts::Read(const std::string &pathName, const std::string &name, std::string *code, std::string *foundPath)
{
	if (!Find(pathName, name, foundPath))
		return false;
	std::ifstream in(*foundPath, std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	if (in.bad())
		return false;
	*code = text.str();
	return true;
}

std::vector<std::string> LuaScripts::FindNames(const std::string &pathName, const std::string &pattern)
{
	std::vector<std::string> names;
	if (!IsSafeName(pattern))
		return names;
	auto it = Folders().find(pathName);
	if (it == Folders().end())
		return names;
	size_t slash = pattern.find_last_of("/\\");
	std::string sub = slash == std::string::npos ? std::string() : pattern.substr(0, slash);
	std::string wild = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
	for (const std::string &folder : it->second)
	{
		DIR *dir = opendir(sub.empty() ? folder.c_str() : (folder + "/" + sub).c_str());
		if (!dir)
			continue;
		std::vector<std::string> here;
		while (dirent *entry = readdir(dir))
		{
			std::string name = entry->d_name;
			if (name == "." || name == ".." || fnmatch(wild.c_str(), name.c_str(), 0) != 0)
				continue;
			if (std::find(names.begin(), names.end(), name) == names.end())
				here.push_back(name);
		}
		closedir(dir);
		std::sort(here.begin(), here.end());
		names.insert(names.end(), here.begin(), here.end());
	}
	return names;
}
