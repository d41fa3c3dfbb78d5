// A fresh, private state folder for the Steam stand-in, pointed to by ZV_STEAM_DIR and removed
// with everything in it at the end of the test.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <dirent.h>
#include <unistd.h>

class SteamTestFolder {
public:
    SteamTestFolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zv-steam-test-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()))
            m_path = name.data();
        setenv("ZV_STEAM_DIR", m_path.c_str(), 1);
    }
    ~SteamTestFolder()
    {
        if (!m_path.empty())
            RemoveTree(m_path);
    }
    SteamTestFolder(const SteamTestFolder&) = delete;
    SteamTestFolder& operator=(const SteamTestFolder&) = delete;

    const std::string& Path() const { return m_path; }

    // Replaces the settings file with the given lines.
    void Settings(const std::string& lines) const { WriteFile(m_path + "/settings.txt", lines); }

    std::string Cloud(const std::string& name) const { return m_path + "/cloud/" + name; }

    // Names of every regular file below the cloud folder, relative to it.
    std::vector<std::string> CloudFiles() const
    {
        std::vector<std::string> files;
        ListFiles(m_path + "/cloud", "", files);
        return files;
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static bool ReadFile(const std::string& path, std::string& bytes)
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }

    static bool Exists(const std::string& path)
    {
        struct stat st;
        return stat(path.c_str(), &st) == 0;
    }

private:
    static void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& out)
    {
        DIR* dir = opendir(folder.c_str());
        if (!dir)
            return;
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat st;
            std::string path = folder + "/" + name;
            if (lstat(path.c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode))
                ListFiles(path, prefix + name + "/", out);
            else
                out.push_back(prefix + name);
        }
        closedir(dir);
    }

    static void RemoveTree(const std::string& path)
    {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0)
            return;
        if (S_ISDIR(st.st_mode)) {
            if (DIR* dir = opendir(path.c_str())) {
                while (dirent* entry = readdir(dir)) {
                    std::string name = entry->d_name;
                    if (name != "." && name != "..")
                        RemoveTree(path + "/" + name);
                }
                closedir(dir);
            }
            rmdir(path.c_str());
        } else {
            unlink(path.c_str());
        }
    }

    std::string m_path;
};
