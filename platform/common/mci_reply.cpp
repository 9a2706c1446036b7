#include "mci_reply.h"

#include <algorithm>
#include <cstring>

namespace mci {

MCIERROR WriteReply(const std::string& reply, LPSTR returnString, UINT returnLength)
{
    if (!returnString || returnLength == 0) {
        return 0;
    }
    size_t uiFits = std::min<size_t>(reply.size(), returnLength - 1);
    std::memcpy(returnString, reply.data(), uiFits);
    returnString[uiFits] = '\0';
    return uiFits < reply.size() ? MCIERR_PARAM_OVERFLOW : 0;
}

}  // namespace mci
