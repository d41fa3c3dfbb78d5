// Where the stand-in Lua service finds script files: folders per path name.
#pragma once

#include <string>
#include <vector>

namespace LuaScripts
{
	void AddFolder(const std::string &pathName, const std::string &folder);
	void Clear();
	// A relative name without ".." components, looked up in the path name's folders in order.
	bool Exists(const std::string &pathName, const std::string &name);
	// Entry names in the path name's folders matching the pattern's last part (a wildcard),
	// each once, in name order per folder; the folder part follows the rule of Exists.
	std::vector<std::string> FindNames(const std::string &pathName, const std::string &pattern);
	bool Read(const std::string &pathName, const std::string &name, std::string *code, std::string *foundPath);
}
