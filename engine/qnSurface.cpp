#include "qnSurface.h"

#include "qnPixelConversion.h"
#include "qnScreen.h"

qnSurface::qnSurface() : m_pkSurface(nullptr), m_pkImage(nullptr) {}

qnSurface::~qnSurface()
{
    ReleaseSurface();
    delete m_pkImage;
    m_pkImage = nullptr;
}

qnError qnSurface::Create(const qnRGBAImage& kImage)
{
    SetImage(kImage);
    return Update();
}

qnError qnSurface::Update()
{
    ReleaseSurface();
    if (!m_pkImage) {
        return QN_ERR_NO_IMAGE;
    }
    qnScreen* pkScreen = qnScreen::GetSingleton();
    int iDepth = pkScreen->GetBitDepth();
    if (iDepth != 16 && iDepth != 32) {
        return QN_ERR_CREATE_SURFACE;
    }
    D3DFORMAT eFormat = pkScreen->GetFormat();
    if (FAILED(pkScreen->GetDevice()->CreateImageSurface(m_pkImage->GetWidth(),
                                                         m_pkImage->GetHeight(), eFormat,
                                                         &m_pkSurface))) {
        m_pkSurface = nullptr;
        return QN_ERR_CREATE_SURFACE;
    }
    D3DLOCKED_RECT kLocked = {};
    if (FAILED(m_pkSurface->LockRect(&kLocked, nullptr, 0))) {
        ReleaseSurface();
        return QN_ERR_CREATE_SURFACE;
    }
    bool bWritten = qnPixelConversion::WriteImage(*m_pkImage, eFormat, iDepth / 8, kLocked);
    m_pkSurface->UnlockRect();
    if (!bWritten) {
        ReleaseSurface();
        return QN_ERR_CREATE_SURFACE;
    }
    return QN_OK;
}

qnError qnSurface::Render(const POINT* pkDestination, const RECT* pkSource)
{
    if (!m_pkSurface) {
        return QN_OK;
    }
    IDirect3DSurface8* pkBackBuffer = nullptr;
    IDirect3DDevice8* pkDevice = qnScreen::GetSingleton()->GetDevice();
    pkDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &pkBackBuffer);
    RECT kWhole = {0, 0, static_cast<LONG>(m_pkImage->GetWidth()),
                   static_cast<LONG>(m_pkImage->GetHeight())};
    pkDevice->CopyRects(m_pkSurface, pkSource ? pkSource : &kWhole, 1, pkBackBuffer,
                        pkDestination);
    if (pkBackBuffer) {
        pkBackBuffer->Release();
    }
    return QN_OK;
}

void qnSurface::SetImage(const qnRGBAImage& kImage)
{
    if (!m_pkImage) {
        m_pkImage = new qnRGBAImage;
    }
    m_pkImage->SetWidth(kImage.GetWidth());
    m_pkImage->SetHeight(kImage.GetHeight());
    m_pkImage->SetRawData(kImage.GetRawData());
}

qnRGBAImage* qnSurface::GetImage() const
{
    return m_pkImage;
}

void qnSurface::ReleaseSurface()
{
    if (m_pkSurface) {
        m_pkSurface->Release();
        m_pkSurface = nullptr;
    }
}
