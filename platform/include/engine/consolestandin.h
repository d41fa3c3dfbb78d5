// Controls of the engine console stand-in for hosts and tests ("ZvConsoleStandIn001" from the
// engine's factory): running command text and asking for completions. The system's own code
// never includes this header.
#pragma once

#include <string>
#include <vector>

#define CONSOLE_STANDIN_INTERFACE_VERSION "ZvConsoleStandIn001"

class IConsoleStandIn
{
public:
    // Runs command lines separated by ';' or newlines (outside quotes): "name value" sets a
    // variable, "name" alone prints it, a command is dispatched with its words.
    virtual void ExecuteCommandText(const char *pText) = 0;
    // Suggestions for a partial line: the command's own completion when the first word names
    // one that completes, otherwise the registered names starting with the text.
    virtual std::vector<std::string> AutoComplete(const char *pPartial) = 0;
    // Whether material-thread variables may be set directly (true by default).
    virtual void SetMaterialThreadSetAllowed(bool bAllowed) = 0;
    // Number of registered variables and commands.
    virtual int RegisteredCount() const = 0;

protected:
    ~IConsoleStandIn() = default;
};
