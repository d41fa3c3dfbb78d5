// Machine facts from /proc and /sys, the user's country from settings.txt, and achievement
// texts from achievements.txt in the state folder: one "API_NAME<TAB>name<TAB>description"
// line per achievement ("hidden" is "1" when a fourth field says 1).
#include "LocalFacts.h"

#include "Core.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace steamstandin {

namespace {

const auto kLoaded = std::chrono::steady_clock::now();

std::string Trim(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

} // namespace

uint32_t SecondsSinceAppActive()
{
    auto elapsed = std::chrono::steady_clock::now() - kLoaded;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count());
}

uint32_t SecondsSinceComputerActive()
{
    std::ifstream in("/proc/uptime");
    double seconds = 0;
    if (!(in >> seconds) || seconds < 0 || seconds > 4294967295.0)
        return SecondsSinceAppActive();
    return static_cast<uint32_t>(seconds);
}

std::string IPCountry()
{
    std::string folder = Running() ? Running()->folder : StateFolder();
    std::ifstream in(folder + "/settings.txt");
    std::string line;
    std::string country = "US";
    while (std::getline(in, line)) {
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        size_t eq = line.find('=');
        if (eq != std::string::npos && Trim(line.substr(0, eq)) == "ip_country")
            country = Trim(line.substr(eq + 1)).substr(0, 2);
    }
    return country;
}

uint8_t BatteryPower()
{
    for (const char* name : { "BAT0", "BAT1", "battery" }) {
        std::ifstream in(std::string("/sys/class/power_supply/") + name + "/capacity");
        int percent = -1;
        if (in >> percent && percent >= 0 && percent <= 100)
            return static_cast<uint8_t>(percent);
    }
    return 255;
}

bool AchievementAttribute(const std::string& apiName, const std::string& key, std::string& out)
{
    std::string folder = Running() ? Running()->folder : StateFolder();
    std::ifstream in(folder + "/achievements.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t'))
            fields.push_back(field);
        if (fields.size() < 2 || fields[0] != apiName)
            continue;
        if (key == "name")
            out = fields[1];
        else if (key == "desc")
            out = fields.size() > 2 ? fields[2] : std::string();
        else if (key == "hidden")
            out = fields.size() > 3 && fields[3] == "1" ? "1" : "0";
        else
            return false;
        return true;
    }
    return false;
}

} // namespace steamstandin
