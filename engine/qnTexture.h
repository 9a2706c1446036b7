// A device texture made from an RGBA image, of which it keeps a copy so that it can be rebuilt.
// Every texture gets a process-wide number; Activate binds it to stage 0 only when another
// number was bound last.
//
// On a screen of neither 16 nor 32 bits, and when the texture cannot be locked for writing,
// Upload creates no texture and returns QN_ERR_CREATE_TEXTURE.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"
#include "qnError.h"
#include "qnRGBAImage.h"

class qnTexture {
public:
    qnTexture();
    qnTexture(const qnTexture&) = delete;
    qnTexture& operator=(const qnTexture&) = delete;
    ~qnTexture();

    qnError Create(const qnRGBAImage& kImage);
    qnError Upload();
    void SetImage(const qnRGBAImage& kImage);
    qnRGBAImage* GetImage() const;
    void Activate() const;
    int GetID() const;
    static int GetActiveID();
    // After a device reset nothing is bound any more: the next Activate binds again.
    static void ForgetActive();

private:
    void ReleaseTexture();
    HRESULT CreateDeviceTexture(D3DFORMAT eFormat);
    bool Fill(D3DFORMAT eFormat, int iDepth);

    IDirect3DTexture8* m_pkTexture;
    qnRGBAImage* m_pkImage;
    int32_t m_iID;
    int32_t m_bFourBitAlpha;

    static int32_t m_iNextID;
    static int32_t m_iActiveID;
};
