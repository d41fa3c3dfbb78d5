// Parsing of the stand-in's settings file.
#include "Settings.h"

#include <cstdlib>
#include <fstream>

namespace steamstandin {

namespace {

std::string Trim(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

// Whole-text decimal number, possibly negative; false for anything else.
bool ParseNumber(const std::string& text, int64_t& out)
{
    if (text.empty() || text.size() > 20)
        return false;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0')
        return false;
    out = value;
    return true;
}

bool ParseBool(const std::string& text)
{
    return !(text == "0" || text == "false" || text == "no" || text == "off");
}

const char kFailPrefix[] = "fail_";

} // namespace

std::string Settings::Failure(const std::string& operation) const
{
    auto it = failures.find(operation);
    if (it == failures.end() || it->second == "0" || it->second == "no" || it->second == "false")
        return std::string();
    return it->second;
}

Settings LoadSettings(const std::string& path)
{
    Settings settings;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        int64_t number = 0;
        if (key == "running") {
            settings.running = ParseBool(value);
        } else if (key == "app_id") {
            if (ParseNumber(value, number) && number >= 0 && number <= UINT32_MAX)
                settings.appId = static_cast<AppId_t>(number);
        } else if (key == "user_id") {
            char* end = nullptr;
            unsigned long long id = std::strtoull(value.c_str(), &end, 10);
            if (!value.empty() && *end == '\0')
                settings.userId = id;
        } else if (key == "persona") {
            settings.persona = value;
        } else if (key.compare(0, 8, "persona_") == 0) {
            std::string id = key.substr(8);
            char* end = nullptr;
            unsigned long long user = std::strtoull(id.c_str(), &end, 10);
            if (!id.empty() && id[0] != '-' && *end == '\0')
                settings.personas[user] = value;
        } else if (key == "quota") {
            if (ParseNumber(value, number) && number >= 0)
                settings.quotaBytes = number;
        } else if (key == "enumerate_total") {
            if (ParseNumber(value, number))
                settings.enumerateTotal = number;
        } else if (key == "enumerate_returned") {
            if (ParseNumber(value, number))
                settings.enumerateReturned = number;
        } else if (key == "http_loopback_only") {
            settings.httpLoopbackOnly = ParseBool(value);
        } else if (key == "http_body_limit") {
            if (ParseNumber(value, number) && number >= 0)
                settings.httpBodyLimit = number;
        } else if (key.compare(0, sizeof(kFailPrefix) - 1, kFailPrefix) == 0) {
            settings.failures[key.substr(sizeof(kFailPrefix) - 1)] = value;
        }
    }
    return settings;
}

} // namespace steamstandin
