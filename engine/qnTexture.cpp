#include "qnTexture.h"

#include "qnPixelConversion.h"
#include "qnScreen.h"

int32_t qnTexture::m_iNextID = 0;
int32_t qnTexture::m_iActiveID = -1;

qnTexture::qnTexture() : m_pkTexture(nullptr), m_pkImage(nullptr), m_iID(0), m_bFourBitAlpha(0) {}

qnTexture::~qnTexture()
{
    ReleaseTexture();
    delete m_pkImage;
    m_pkImage = nullptr;
}

qnError qnTexture::Create(const qnRGBAImage& kImage)
{
    m_iID = m_iNextID++;
    SetImage(kImage);
    return Upload();
}

qnError qnTexture::Upload()
{
    if (!m_pkImage) {
        return QN_ERR_NO_IMAGE;
    }
    ReleaseTexture();
    m_bFourBitAlpha = 1;
    qnScreen* pkScreen = qnScreen::GetSingleton();
    int iDepth = pkScreen->GetBitDepth();
    D3DFORMAT eFormat = D3DFMT_UNKNOWN;
    if (iDepth == 32) {
        eFormat = D3DFMT_A8R8G8B8;
        if (FAILED(CreateDeviceTexture(eFormat))) {
            eFormat = pkScreen->GetFormat();
            if (FAILED(CreateDeviceTexture(eFormat))) {
                m_bFourBitAlpha = 0;
                return QN_ERR_CREATE_TEXTURE;
            }
        }
    } else if (iDepth == 16) {
        eFormat = D3DFMT_A4R4G4B4;
        if (FAILED(CreateDeviceTexture(eFormat))) {
            m_bFourBitAlpha = 0;
            eFormat = pkScreen->GetFormat();
            if (FAILED(CreateDeviceTexture(eFormat))) {
                return QN_ERR_CREATE_TEXTURE;
            }
        }
    } else {
        m_bFourBitAlpha = 0;
        return QN_ERR_CREATE_TEXTURE;
    }
    if (!Fill(eFormat, iDepth)) {
        ReleaseTexture();
        return QN_ERR_CREATE_TEXTURE;
    }
    return QN_OK;
}

void qnTexture::SetImage(const qnRGBAImage& kImage)
{
    if (!m_pkImage) {
        m_pkImage = new qnRGBAImage;
    }
    m_pkImage->SetWidth(kImage.GetWidth());
    m_pkImage->SetHeight(kImage.GetHeight());
    m_pkImage->SetRawData(kImage.GetRawData());
}

qnRGBAImage* qnTexture::GetImage() const
{
    return m_pkImage;
}

void qnTexture::Activate() const
{
    if (m_iActiveID != m_iID) {
        qnScreen::GetSingleton()->GetDevice()->SetTexture(0, m_pkTexture);
        m_iActiveID = m_iID;
    }
}

int qnTexture::GetID() const
{
    return m_iID;
}

int qnTexture::GetActiveID()
{
    return m_iActiveID;
}

void qnTexture::ForgetActive()
{
    m_iActiveID = -1;
}

void qnTexture::ReleaseTexture()
{
    if (m_pkTexture) {
        m_pkTexture->Release();
        m_pkTexture = nullptr;
    }
}

HRESULT qnTexture::CreateDeviceTexture(D3DFORMAT eFormat)
{
    HRESULT iResult = qnScreen::GetSingleton()->GetDevice()->CreateTexture(
        m_pkImage->GetWidth(), m_pkImage->GetHeight(), 0, 0, eFormat, D3DPOOL_MANAGED, &m_pkTexture);
    if (FAILED(iResult)) {
        m_pkTexture = nullptr;
    }
    return iResult;
}

// Writes the image into level 0; false, with the level unwritten, when it cannot be locked.
bool qnTexture::Fill(D3DFORMAT eFormat, int iDepth)
{
    D3DLOCKED_RECT kLocked = {};
    if (FAILED(m_pkTexture->LockRect(0, &kLocked, nullptr, 0))) {
        return false;
    }
    bool bWritten = qnPixelConversion::WriteImage(*m_pkImage, eFormat, iDepth / 8, kLocked);
    m_pkTexture->UnlockRect(0);
    return bWritten;
}
