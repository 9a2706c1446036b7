// The test world's multimedia device: the command strings it received and its scripted replies.
#pragma once

#include <string>
#include <vector>

#include "platform/mci.h"

namespace fake {

// The command strings mciSendStringA received, in order.
const std::vector<std::string>& MciCommands();
// What the device answers to one command string; any other gets an empty reply and 0.
// FailCall("mciSendStringA") makes a command fail with MCIERR_HARDWARE.
void SetMciReply(const std::string& command, const std::string& reply, MCIERROR code = 0);

}  // namespace fake
