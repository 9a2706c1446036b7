#include <cstring>

#include "FakeScreen.h"
#include "platform/crt.h"
#include "qnParticleEmitter.h"
#include "qnTexture.h"

namespace {

struct Vertex {
    float fX, fY, fZ, fRhw;
    D3DCOLOR uiColor;
    float fU, fV;
};
static_assert(sizeof(Vertex) == 28);

std::vector<Vertex> VerticesOf(const fake::d3d::Draw& kDraw)
{
    std::vector<Vertex> kVertices(kDraw.vertices.size() / sizeof(Vertex));
    std::memcpy(kVertices.data(), kDraw.vertices.data(), kVertices.size() * sizeof(Vertex));
    return kVertices;
}

class ParticleRenderTest : public FakeScreenTest {
protected:
    void SetUp() override
    {
        FakeScreenTest::SetUp();
        crt::SeedRand(1);
        MakeScreen();
        m_kParams.m_kPosition = qnVector2(100, 50);
        m_kParams.m_fStartSize = 8.0f;
        m_kParams.m_fEndSize = 2.0f;
        m_kParams.m_uiStartColor = 0xff0000ff;
        m_kParams.m_uiEndColor = 0x00ff0000;
        m_kParams.m_fLifetime = 1.0f;
        m_kParams.m_fSpread = 1.0f;
        m_kParams.m_fSpeed = 1.0f;
    }

    void MakeTexture()
    {
        qnRGBAImage kImage;
        kImage.SetWidth(1);
        kImage.SetHeight(1);
        const uint32_t aiPixel[] = {0xffffffff};
        kImage.SetRawData(aiPixel);
        ASSERT_EQ(m_kTexture.Create(kImage), QN_OK);
    }

    // Slots 0 .. count-1 given as live particles at the positions and ages chosen.
    void PlaceParticles(const std::vector<std::pair<qnVector2, float>>& akParticles)
    {
        for (size_t uiIndex = 0; uiIndex < akParticles.size(); ++uiIndex) {
            qnParticle& kParticle = m_kEmitter.m_pkParticles[uiIndex];
            kParticle.Emit(m_kEmitter);
            kParticle.m_kPosition = akParticles[uiIndex].first;
            kParticle.m_fAge = akParticles[uiIndex].second;
        }
        fake::ClearCalls();
        fake::d3d::ClearDraws();
    }

    qnParticleEmitterParams m_kParams;
    qnParticleEmitter m_kEmitter;
    qnTexture m_kTexture;
};

TEST_F(ParticleRenderTest, StatesAreSetOnceAroundTheDrawsAndTheStandingBlendRestored)
{
    MakeTexture();
    m_kEmitter.Create(&m_kParams, 3, 10, &m_kTexture);
    PlaceParticles({{{0, 0}, 0.0f}, {{1, 1}, 0.5f}, {{2, 2}, 0.9f}});
    m_kEmitter.Render();
    const std::vector<std::string> kExpected = {
        "IDirect3DDevice8::SetTexture(0,ptr)",
        "IDirect3DDevice8::SetRenderState(19,5)",
        "IDirect3DDevice8::SetRenderState(20,2)",
        "IDirect3DDevice8::SetVertexShader(324)",
        "IDirect3DDevice8::DrawPrimitiveUP(6,2,ptr,28)",
        "IDirect3DDevice8::DrawPrimitiveUP(6,2,ptr,28)",
        "IDirect3DDevice8::DrawPrimitiveUP(6,2,ptr,28)",
        "IDirect3DDevice8::SetRenderState(19,5)",
        "IDirect3DDevice8::SetRenderState(20,6)",
    };
    EXPECT_EQ(fake::Calls(), kExpected);
    ASSERT_EQ(fake::d3d::Draws().size(), 3u);
    for (const fake::d3d::Draw& kDraw : fake::d3d::Draws()) {
        EXPECT_EQ(kDraw.type, D3DPT_TRIANGLEFAN);
        EXPECT_EQ(kDraw.fvf, 0x144u);
        EXPECT_EQ(kDraw.texture, fake::d3d::Textures().at(0));
    }
    EXPECT_EQ(fake::d3d::VertexShader(), 0x144u);
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_INVSRCALPHA));
}

struct QuadCase {
    std::string name;
    qnVector2 kPosition;
    float fAge;
    float fCentreX, fCentreY;
    float fHalf;
    D3DCOLOR uiColor;
};

TEST_F(ParticleRenderTest, QuadInterpolatesColourAndSizeAroundTheEmitter)
{
    const std::vector<QuadCase> akCases = {
        {"at birth", {0, 0}, 0.0f, 100, 50, 8, 0xff0000ff},
        {"half-way, channels truncated", {3, -4}, 0.5f, 103, 46, 5, 0x7f7f007f},
        {"three quarters", {-10, 20}, 0.75f, 90, 70, 3.5f, 0x3fbf003f},
    };
    for (const QuadCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        m_kEmitter.Create(&m_kParams, 1, 0, nullptr);
        PlaceParticles({{kCase.kPosition, kCase.fAge}});
        EXPECT_EQ(m_kEmitter.m_pkParticles[0].Render(m_kEmitter), QN_OK);
        ASSERT_EQ(fake::d3d::Draws().size(), 1u);
        const std::vector<Vertex> kVertices = VerticesOf(fake::d3d::Draws()[0]);
        ASSERT_EQ(kVertices.size(), 4u);
        const float afSignX[] = {-1, 1, 1, -1};
        const float afSignY[] = {-1, -1, 1, 1};
        const float afU[] = {0, 1, 1, 0};
        const float afV[] = {0, 0, 1, 1};
        for (int iVertex = 0; iVertex < 4; ++iVertex) {
            const Vertex& kVertex = kVertices[iVertex];
            EXPECT_FLOAT_EQ(kVertex.fX, kCase.fCentreX + afSignX[iVertex] * kCase.fHalf) << iVertex;
            EXPECT_FLOAT_EQ(kVertex.fY, kCase.fCentreY + afSignY[iVertex] * kCase.fHalf) << iVertex;
            EXPECT_EQ(kVertex.fZ, 0.0f);
            EXPECT_EQ(kVertex.fRhw, 1.0f);
            EXPECT_EQ(kVertex.uiColor, kCase.uiColor) << iVertex;
            EXPECT_EQ(kVertex.fU, afU[iVertex]);
            EXPECT_EQ(kVertex.fV, afV[iVertex]);
        }
    }
}

TEST_F(ParticleRenderTest, OnlyParticlesYoungerThanOneAreDrawn)
{
    m_kEmitter.Create(&m_kParams, 4, 0, nullptr);
    PlaceParticles({{{0, 0}, 1.0f}, {{1, 0}, 0.99f}, {{2, 0}, 1.5f}});
    m_kEmitter.Render();
    ASSERT_EQ(fake::d3d::Draws().size(), 1u);
    EXPECT_FLOAT_EQ(VerticesOf(fake::d3d::Draws()[0])[0].fX, 101.0f - ((2.0f - 8.0f) * 0.99f + 8.0f));
}

TEST_F(ParticleRenderTest, SetPositionMovesLiveParticlesAtOnce)
{
    m_kEmitter.Create(&m_kParams, 2, 0, nullptr);
    PlaceParticles({{{5, 6}, 0.0f}, {{-5, -6}, 0.0f}});
    m_kEmitter.SetPosition(qnVector2(300, 200));
    EXPECT_EQ(m_kEmitter.GetPosition().m_fX, 300.0f);
    m_kEmitter.Render();
    ASSERT_EQ(fake::d3d::Draws().size(), 2u);
    EXPECT_FLOAT_EQ(VerticesOf(fake::d3d::Draws()[0])[0].fX, 305.0f - 8.0f);
    EXPECT_FLOAT_EQ(VerticesOf(fake::d3d::Draws()[1])[2].fY, 194.0f + 8.0f);
}

TEST_F(ParticleRenderTest, FailedDrawIsReportedByTheParticleAndSkippedByTheEmitter)
{
    m_kEmitter.Create(&m_kParams, 3, 0, nullptr);
    PlaceParticles({{{0, 0}, 0.0f}, {{1, 0}, 0.0f}, {{2, 0}, 0.0f}});
    fake::FailCall("IDirect3DDevice8::DrawPrimitiveUP", 1);
    EXPECT_EQ(m_kEmitter.m_pkParticles[0].Render(m_kEmitter), QN_ERR_DRAW);
    fake::FailCall("IDirect3DDevice8::DrawPrimitiveUP", 1);
    m_kEmitter.Render();
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::DrawPrimitiveUP"), 4);
    EXPECT_EQ(fake::d3d::Draws().size(), 2u);
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_INVSRCALPHA));
}

TEST_F(ParticleRenderTest, WithoutTextureDrawsUntexturedAndLeavesTheBindingAlone)
{
    MakeTexture();
    m_kTexture.Activate();
    const int iActive = qnTexture::GetActiveID();
    m_kEmitter.Create(&m_kParams, 1, 0, nullptr);
    PlaceParticles({{{0, 0}, 0.0f}});
    m_kEmitter.Render();
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTexture("), 0);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTextureStageState(0,1,1)"), 1);
    EXPECT_EQ(fake::d3d::Draws().size(), 1u);
    EXPECT_EQ(fake::d3d::TextureStageState(0, D3DTSS_COLOROP), static_cast<DWORD>(D3DTOP_MODULATE));
    EXPECT_EQ(qnTexture::GetActiveID(), iActive);
    EXPECT_EQ(fake::d3d::BoundTexture(0), fake::d3d::Textures().at(0));
}

TEST_F(ParticleRenderTest, UpdateThenRenderDrawsWhatWasEmitted)
{
    m_kEmitter.Create(&m_kParams, 8, 4, nullptr);
    m_kEmitter.Update(1.0f);
    m_kEmitter.Render();
    EXPECT_EQ(fake::d3d::Draws().size(), 4u);
    m_kEmitter.Create(&m_kParams, 8, 4, nullptr);
    fake::d3d::ClearDraws();
    m_kEmitter.Render();
    EXPECT_EQ(fake::d3d::Draws().size(), 0u);
}

}  // namespace
