// The statistics and achievements interface: achievement display attributes.
#include "Core.h"
#include "LocalFacts.h"

namespace steamstandin {

namespace {

class Offered : public ISteamUserStats {
public:
    const char* GetAchievementDisplayAttribute(const char* pchName, const char* pchKey) override
    {
        if (!pchName || !pchKey || !AchievementAttribute(pchName, pchKey, m_answer))
            m_answer.clear();
        return m_answer.c_str();
    }
    // The stand-in holds no achievement icons.
    int GetAchievementIcon(const char*) override { return 0; }

private:
    std::string m_answer;
};

} // namespace

ISteamUserStats* UserStatsInterface()
{
    static Offered offered;
    return &offered;
}

} // namespace steamstandin
