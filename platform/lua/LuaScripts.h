// Where the stand-in Lua service finds script files: folders per path name.
#pragma once

#include <string>

namespace LuaScripts
{
	void AddFolder(const std::string &pathName, const std::string &folder);
	void Clear();
	// A relative name without ".." components, looked up in the path name's folders in order.
	bool Exists(const std::string &pathName, const std::string &name);
	bool Read(const std::string &pathName, const std::string &name, std::string *code, std::string *foundPath);
}
