#include "qnScreen.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

#include "platform/d3dx8.h"
#include "qnSingleInstance.h"
#include "qnTexturedVertex.h"

namespace {

const char* const kModule = "qnscreen";

constexpr D3DFORMAT kFormats16[] = {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5};
constexpr D3DFORMAT kFormats32[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8};

struct FormatList {
    const D3DFORMAT* peFormats;
    size_t uiCount;
};

// The back-buffer formats that serve a colour depth, in the order they are tried.
FormatList CandidateFormats(uint16_t uiDepth)
{
    if (uiDepth == 16) {
        return {kFormats16, std::size(kFormats16)};
    }
    return {kFormats32, std::size(kFormats32)};
}

bool IsCandidate(uint16_t uiDepth, D3DFORMAT eFormat)
{
    FormatList kList = CandidateFormats(uiDepth);
    for (size_t i = 0; i < kList.uiCount; ++i) {
        if (kList.peFormats[i] == eFormat) {
            return true;
        }
    }
    return false;
}

D3DCOLOR PackColor(uint8_t uiRed, uint8_t uiGreen, uint8_t uiBlue, uint8_t uiAlpha)
{
    return static_cast<D3DCOLOR>(uiAlpha) << 24 | static_cast<D3DCOLOR>(uiRed) << 16 |
           static_cast<D3DCOLOR>(uiGreen) << 8 | uiBlue;
}

qnTexturedVertex LineVertex(double dX, double dY, D3DCOLOR uiColor)
{
    return {static_cast<float>(dX), static_cast<float>(dY), 0.0f, uiColor, 0.0f, 0.0f};
}

// Frames per second from one frame's seconds; a frame too short to measure counts as the
// largest value an int holds.
int FramesPerSecond(double dSeconds)
{
    double dRate = 1.0 / dSeconds;
    constexpr double kMax = std::numeric_limits<int>::max();
    if (!(dRate < kMax)) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(dRate);
}

}  // namespace

qnScreen* qnScreen::m_pkSingleton = nullptr;

qnScreen::qnScreen()
    : m_pkD3D(nullptr),
      m_pkD3DDevice(nullptr),
      m_iFPS(0),
      m_hWindow(nullptr),
      m_kTimer(),
      m_eFormat(D3DFMT_UNKNOWN),
      m_kPresentParameters()
{
    qnSingleInstance<qnScreen>::Register(m_pkSingleton, this, kModule);
}

qnScreen::qnScreen(HWND hWindow) : qnScreen()
{
    m_hWindow = hWindow;
    Init(hWindow);
}

qnScreen::~qnScreen()
{
    if (m_pkD3DDevice) {
        m_pkD3DDevice->Release();
        m_pkD3DDevice = nullptr;
    }
    if (m_pkD3D) {
        m_pkD3D->Release();
        m_pkD3D = nullptr;
    }
    m_iFPS = 0;
    qnSingleInstance<qnScreen>::Unregister(m_pkSingleton, kModule);
}

qnError qnScreen::Init(HWND hWindow)
{
    m_pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
    m_hWindow = hWindow;
    return m_pkD3D ? QN_OK : QN_ERR_D3D_CREATE;
}

qnError qnScreen::SetMode(int iFullScreen, uint16_t uiWidth, uint16_t uiHeight, uint16_t uiDepth,
                          bool bHardware)
{
    if (!m_pkD3D) {
        return QN_ERR_DEVICE_CREATE;
    }
    if (m_pkD3DDevice) {
        m_pkD3DDevice->Release();
        m_pkD3DDevice = nullptr;
    }
    D3DDEVTYPE eType = bHardware ? D3DDEVTYPE_HAL : D3DDEVTYPE_REF;
    m_kPresentParameters = D3DPRESENT_PARAMETERS{};
    m_kPresentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;

    auto CreateDevice = [&]() {
        return m_pkD3D->CreateDevice(D3DADAPTER_DEFAULT, eType, m_hWindow,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &m_kPresentParameters,
                                     &m_pkD3DDevice);
    };
    if (!iFullScreen) {
        D3DDISPLAYMODE kMode = {};
        if (FAILED(m_pkD3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &kMode))) {
            return QN_ERR_DISPLAY_MODE;
        }
        m_kPresentParameters.Windowed = TRUE;
        m_kPresentParameters.BackBufferCount = 1;
        m_kPresentParameters.BackBufferFormat = kMode.Format;
        if (FAILED(CreateDevice())) {
            m_pkD3DDevice = nullptr;
            return QN_ERR_DEVICE_CREATE;
        }
    } else {
        m_kPresentParameters.Windowed = FALSE;
        m_kPresentParameters.BackBufferCount = 1;
        m_kPresentParameters.BackBufferWidth = uiWidth;
        m_kPresentParameters.BackBufferHeight = uiHeight;
        m_kPresentParameters.FullScreen_RefreshRateInHz = D3DPRESENT_RATE_DEFAULT;
        m_kPresentParameters.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
        FormatList kList = CandidateFormats(uiDepth);
        bool bCreated = false;
        for (size_t i = 0; i < kList.uiCount && !bCreated; ++i) {
            m_kPresentParameters.BackBufferFormat = kList.peFormats[i];
            bCreated = SUCCEEDED(CreateDevice());
        }
        if (!bCreated) {
            m_pkD3DDevice = nullptr;
            return QN_ERR_DEVICE_CREATE;
        }
    }
    m_eFormat = m_kPresentParameters.BackBufferFormat;

    SetDefaultStates();
    return QN_OK;
}

void qnScreen::SetDefaultStates()
{
    if (!m_pkD3DDevice) {
        return;
    }
    m_pkD3DDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    m_pkD3DDevice->SetRenderState(D3DRS_LIGHTING, FALSE);
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_pkD3DDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    m_pkD3DDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    m_pkD3DDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    m_pkD3DDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
}

qnError qnScreen::Clear(uint8_t uiRed, uint8_t uiGreen, uint8_t uiBlue, uint8_t uiAlpha)
{
    HRESULT iResult = m_pkD3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET,
                                           PackColor(uiRed, uiGreen, uiBlue, uiAlpha), 0.0f, 0);
    return FAILED(iResult) ? QN_ERR_CLEAR : QN_OK;
}

qnError qnScreen::StartFrame()
{
    m_kTimer.Update();
    return FAILED(m_pkD3DDevice->BeginScene()) ? QN_ERR_BEGIN_SCENE : QN_OK;
}

qnError qnScreen::EndFrame()
{
    if (FAILED(m_pkD3DDevice->EndScene())) {
        return QN_ERR_END_SCENE;
    }
    if (FAILED(m_pkD3DDevice->Present(nullptr, nullptr, nullptr, nullptr))) {
        return QN_ERR_PRESENT;
    }
    m_kTimer.Update();
    m_iFPS = FramesPerSecond(m_kTimer.GetDelta());
    return QN_OK;
}

qnError qnScreen::DrawLine(float fX1, float fY1, float fX2, float fY2, uint8_t uiRed,
                           uint8_t uiGreen, uint8_t uiBlue, uint8_t uiAlpha)
{
    D3DCOLOR uiColor = PackColor(uiRed, uiGreen, uiBlue, uiAlpha);
    const qnTexturedVertex akVertices[] = {LineVertex(fX1, fY1, uiColor),
                                           LineVertex(fX2, fY2, uiColor)};
    return DrawLines(D3DPT_LINELIST, 1, akVertices);
}

qnError qnScreen::DrawRectangle(float fX1, float fY1, float fX2, float fY2, uint8_t uiRed,
                                uint8_t uiGreen, uint8_t uiBlue, uint8_t uiAlpha)
{
    D3DCOLOR uiColor = PackColor(uiRed, uiGreen, uiBlue, uiAlpha);
    const qnTexturedVertex akVertices[] = {
        LineVertex(fX1, fY1, uiColor), LineVertex(fX2, fY1, uiColor),
        LineVertex(fX2, fY2, uiColor), LineVertex(fX1, fY2, uiColor),
        LineVertex(fX1, fY1, uiColor)};
    return DrawLines(D3DPT_LINESTRIP, 4, akVertices);
}

qnError qnScreen::DrawCircle(float fX, float fY, float fRadius, uint8_t uiRed, uint8_t uiGreen,
                             uint8_t uiBlue, uint8_t uiAlpha, unsigned int uiSegments)
{
    if (uiSegments == 0) {
        return QN_OK;
    }
    D3DCOLOR uiColor = PackColor(uiRed, uiGreen, uiBlue, uiAlpha);
    std::vector<qnTexturedVertex> kVertices(static_cast<size_t>(uiSegments) + 1);
    for (unsigned int i = 0; i < uiSegments; ++i) {
        float fT = static_cast<float>(i) / static_cast<float>(uiSegments);
        double dAngle = 6.2831 * fT;
        kVertices[i] = LineVertex(fX + fRadius * std::cos(dAngle), fY + fRadius * std::sin(dAngle),
                                  uiColor);
    }
    kVertices[uiSegments] = kVertices[0];
    return DrawLines(D3DPT_LINESTRIP, uiSegments, kVertices.data());
}

qnError qnScreen::DrawLines(D3DPRIMITIVETYPE eType, unsigned int uiPrimitives,
                            const void* pkVertices)
{
    IDirect3DDevice8* pkDevice = GetSingleton()->GetDevice();
    pkDevice->SetVertexShader(kTexturedVertexFormat);
    HRESULT iResult =
        pkDevice->DrawPrimitiveUP(eType, uiPrimitives, pkVertices, sizeof(qnTexturedVertex));
    return FAILED(iResult) ? QN_ERR_DRAW : QN_OK;
}

bool qnScreen::IsModeSupported(uint16_t uiWidth, uint16_t uiHeight, uint16_t uiDepth)
{
    if (!m_pkD3D) {
        return false;
    }
    UINT uiModes = m_pkD3D->GetAdapterModeCount(D3DADAPTER_DEFAULT);
    for (UINT i = 0; i < uiModes; ++i) {
        D3DDISPLAYMODE kMode = {};
        m_pkD3D->EnumAdapterModes(D3DADAPTER_DEFAULT, i, &kMode);
        if (kMode.Width == uiWidth && kMode.Height == uiHeight && IsCandidate(uiDepth, kMode.Format)) {
            return true;
        }
    }
    return false;
}

void qnScreen::ShowCursor(BOOL bShow)
{
    m_pkD3DDevice->ShowCursor(bShow);
}

IDirect3DDevice8* qnScreen::GetDevice() const
{
    return m_pkD3DDevice;
}

int qnScreen::GetFPS() const
{
    return m_iFPS;
}

D3DFORMAT qnScreen::GetFormat() const
{
    return m_eFormat;
}

int qnScreen::GetBitDepth() const
{
    switch (m_eFormat) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
        return 32;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
        return 16;
    default:
        return 0;
    }
}

qnScreen* qnScreen::GetSingleton()
{
    return qnSingleInstance<qnScreen>::Get(m_pkSingleton, kModule);
}

void qnScreen::SetCamera(float fEyeX, float fEyeY, float fEyeZ, float fAtX, float fAtY, float fAtZ)
{
    D3DXMATRIX kWorld;
    D3DXMatrixIdentity(&kWorld);
    D3DXMatrixRotationX(&kWorld, 15.7f);
    m_pkD3DDevice->SetTransform(D3DTS_WORLD, &kWorld);

    D3DXMATRIX kView;
    D3DXVECTOR3 kEye(fEyeX, fEyeY, fEyeZ);
    D3DXVECTOR3 kAt(fAtX, fAtY, fAtZ);
    D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&kView, &kEye, &kAt, &kUp);
    m_pkD3DDevice->SetTransform(D3DTS_VIEW, &kView);

    D3DXMATRIX kProjection;
    D3DXMatrixPerspectiveFovLH(&kProjection, 1.0f, 1.3333f, 1.0f, 6048.0f);
    m_pkD3DDevice->SetTransform(D3DTS_PROJECTION, &kProjection);
}
