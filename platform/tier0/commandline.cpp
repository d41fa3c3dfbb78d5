// Command line of the tier0 stand-in: a list of arguments (the first is the program), set by
// the host or a test, with switch lookups that ignore letter case.
#include "tier0/icommandline.h"

#include <strings.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class CommandLineStore final : public ICommandLine {
public:
    void CreateCmdLine(const char *pCommandLine) override {
        m_Args.clear();
        if (pCommandLine) Split(pCommandLine);
        Join();
    }

    void CreateCmdLine(int argc, char **argv) override {
        m_Args.clear();
        for (int i = 0; argv && i < argc; ++i) m_Args.emplace_back(argv[i] ? argv[i] : "");
        Join();
    }

    const char *GetCmdLine() const override { return m_Joined.c_str(); }

    const char *CheckParm(const char *psz, const char **ppszValue) const override {
        if (ppszValue) *ppszValue = nullptr;
        int i = FindParm(psz);
        if (i == 0) return nullptr;
        if (ppszValue && i + 1 < ParmCount() && !IsSwitch(m_Args[i + 1]))
            *ppszValue = m_Args[i + 1].c_str();
        return m_Args[i].c_str();
    }

    int FindParm(const char *psz) const override {
        if (!psz) return 0;
        for (size_t i = 1; i < m_Args.size(); ++i)
            if (strcasecmp(m_Args[i].c_str(), psz) == 0) return static_cast<int>(i);
        return 0;
    }

    const char *ParmValue(const char *psz, const char *pDefaultVal) const override {
        const char *value = nullptr;
        return CheckParm(psz, &value) && value ? value : pDefaultVal;
    }

    int ParmValue(const char *psz, int nDefaultVal) const override {
        const char *value = ParmValue(psz, static_cast<const char *>(nullptr));
        return value ? atoi(value) : nDefaultVal;
    }

    float ParmValue(const char *psz, float flDefaultVal) const override {
        const char *value = ParmValue(psz, static_cast<const char *>(nullptr));
        return value ? static_cast<float>(atof(value)) : flDefaultVal;
    }

    int ParmCount() const override { return static_cast<int>(m_Args.size()); }

    const char *GetParm(int nIndex) const override {
        if (nIndex < 0 || nIndex >= ParmCount()) return "";
        return m_Args[nIndex].c_str();
    }

private:
    // A switch begins with '-' or '+' not followed by a digit (so "-5" is a value).
    static bool IsSwitch(const std::string &arg) {
        if (arg.empty() || (arg[0] != '-' && arg[0] != '+')) return false;
        return arg.size() == 1 || !((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
    }

    void Split(const char *p) {
        while (*p) {
            while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
            if (!*p) break;
            std::string arg;
            bool quoted = false;
            for (; *p; ++p) {
                if (*p == '"') {
                    quoted = !quoted;
                    continue;
                }
                if (!quoted && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')) break;
                arg += *p;
            }
            m_Args.push_back(arg);
        }
    }

    void Join() {
        m_Joined.clear();
        for (size_t i = 0; i < m_Args.size(); ++i) {
            if (i) m_Joined += ' ';
            m_Joined += m_Args[i];
        }
    }

    std::vector<std::string> m_Args;
    std::string m_Joined;
};

}  // namespace

ICommandLine *CommandLine_Tier0() {
    static CommandLineStore s_CommandLine;
    return &s_CommandLine;
}
