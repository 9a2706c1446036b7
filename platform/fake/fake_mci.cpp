#include "fake/fake_mci.h"

#include <map>
#include <utility>

#include "fake/fake_win32.h"
#include "mci_reply.h"

namespace {

struct MciWorld {
    std::vector<std::string> commands;
    std::map<std::string, std::pair<std::string, MCIERROR>> replies;
};

MciWorld& TheMci()
{
    static MciWorld world;
    return world;
}

void ResetMci()
{
    TheMci() = MciWorld();
}

const bool g_bRegistered = (fake::OnReset(ResetMci), true);

}  // namespace

MCIERROR WINAPI mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND)
{
    std::string text = command ? command : "";
    fake::Log("mciSendStringA(" + text + ")");
    TheMci().commands.push_back(text);
    if (returnString && returnLength > 0) {
        returnString[0] = '\0';
    }
    if (fake::ShouldFail("mciSendStringA")) {
        return MCIERR_HARDWARE;
    }
    auto found = TheMci().replies.find(text);
    if (found == TheMci().replies.end()) {
        return 0;
    }
    MCIERROR uiWritten = mci::WriteReply(found->second.first, returnString, returnLength);
    return found->second.second != 0 ? found->second.second : uiWritten;
}

namespace fake {

const std::vector<std::string>& MciCommands()
{
    return TheMci().commands;
}

void SetMciReply(const std::string& command, const std::string& reply, MCIERROR code)
{
    TheMci().replies[command] = {reply, code};
}

}  // namespace fake
