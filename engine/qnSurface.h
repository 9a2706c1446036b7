// An RGBA image converted into an off-screen image surface in the back buffer's format and
// copied, whole or a rectangle of it, straight into the back buffer.
//
// On a back buffer of neither 16 nor 32 bits, and when the surface cannot be locked for
// writing, Update keeps no surface and returns QN_ERR_CREATE_SURFACE. Rectangles that reach
// outside the surface or the back buffer are left to the device, which refuses them.
#pragma once

#include "platform/d3d8.h"
#include "qnError.h"
#include "qnRGBAImage.h"

class qnSurface {
public:
    qnSurface();
    qnSurface(const qnSurface&) = delete;
    qnSurface& operator=(const qnSurface&) = delete;
    ~qnSurface();

    qnError Create(const qnRGBAImage& kImage);
    qnError Update();
    // A null destination keeps the rectangle's own position; a null source is the whole image.
    qnError Render(const POINT* pkDestination, const RECT* pkSource);
    void SetImage(const qnRGBAImage& kImage);
    qnRGBAImage* GetImage() const;

private:
    void ReleaseSurface();

    IDirect3DSurface8* m_pkSurface;
    qnRGBAImage* m_pkImage;
};
