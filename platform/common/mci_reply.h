// How both backends hand a command's reply back to the caller's buffer. Internal to platform/.
#pragma once

#include <string>

#include "platform/mci.h"

namespace mci {

// Copies the reply into the caller's buffer, cut to fit with its terminating zero; a cut reply
// gives MCIERR_PARAM_OVERFLOW. Without a buffer the reply is dropped.
MCIERROR WriteReply(const std::string& reply, LPSTR returnString, UINT returnLength);

}  // namespace mci
