// Facts of this machine and of the user's achievements that the utilities and user-stats
// interfaces report.
#pragma once

#include <cstdint>
#include <string>

namespace steamstandin {

uint32_t SecondsSinceAppActive();
uint32_t SecondsSinceComputerActive();
// "ip_country = XX" of settings.txt, else "US".
std::string IPCountry();
// The first battery's charge in percent, 255 when there is none (mains power).
uint8_t BatteryPower();
// "name", "desc" or "hidden" of an achievement from achievements.txt; false when unknown.
bool AchievementAttribute(const std::string& apiName, const std::string& key, std::string& out);

} // namespace steamstandin
