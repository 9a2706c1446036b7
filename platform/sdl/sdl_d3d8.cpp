#include "platform/d3d8.h"

IDirect3D8* Direct3DCreate8(UINT)
{
    return nullptr;
}
