// The game's heaviest text load: ten strings a frame, half of them new each frame. Prints the
// CPU time per DrawString for strings drawn every frame and for new ones, with the uploads and
// allocations each costs. Every DrawString is a cache frame of its own, so the page ring stays
// at two pages, and a string stays cached only while the strings drawn between two of its
// draws fit in the other page; the short load shows what a string that stays cached costs.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "CpuClock.h"
#include "FontFile.h"
#include "TextOutput.h"
#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"
#include "font.h"

namespace {

constexpr int kFrames = 4000;
constexpr int kStringsPerKind = 5;
const char* const kSteadyTexts[2 * kStringsPerKind] = {
    "HI SCORE 012500", "INSERT COIN", "FUEL", "CREDIT 0", "1UP",
    "SCORE 0000000",   "GAME OVER",   "2UP",  "PUSH START", "ZONE 1",
};
// Short texts that stay within what the two-page ring holds between two draws of each.
const char* const kShortTexts[3] = {"1UP", "FUEL", "2UP"};

// Printable ASCII, 32 pixels high, widths 12 to 27.
std::string WriteBenchFont()
{
    std::vector<TestGlyph> glyphs;
    for (int code = 0x20; code < 0x7F; ++code) {
        glyphs.push_back(SolidGlyph(static_cast<uint16_t>(code), 12 + code % 16, 32, 2));
    }
    const std::string path = std::string(BRASK_SCREENSHOT_DIR) + "/bench_text.fnt";
    if (!WriteBytes(path, FontFileBytes(glyphs))) {
        std::fprintf(stderr, "text bench: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

struct Totals {
    long draws = 0;
    double seconds = 0.0;
    long allocations = 0;
    long uploads = 0;
};

struct Figures {
    Totals steady;
    Totals fresh;
};

Figures g_kCachedOnlyFigures;

void PrintTotals(const char* kind, const Totals& totals)
{
    if (totals.draws == 0) {
        return;
    }
    const double draws = static_cast<double>(totals.draws);
    std::printf("  %-28s %8.3f us per DrawString, %5.2f allocations, %5.2f uploads\n", kind,
                totals.seconds / draws * 1e6, static_cast<double>(totals.allocations) / draws,
                static_cast<double>(totals.uploads) / draws);
}

void Print(const char* load, const Figures& figures)
{
    std::printf(" %s\n", load);
    PrintTotals("strings drawn every frame:", figures.steady);
    PrintTotals("strings new this frame:", figures.fresh);
}

// Runs kFrames frames of steadyCount texts drawn every frame, then freshCount texts never
// drawn before. The first frame is left out of the steady figures: its texts were new then.
template <typename DrawFunction, typename UploadFunction>
Figures RunFrames(int steadyCount, int freshCount, DrawFunction draw, UploadFunction uploads,
                  const char* const* steadyTexts = kSteadyTexts)
{
    static int s_iFreshNumber = 0;
    Figures figures;
    char text[32];
    for (int frame = 0; frame < kFrames; ++frame) {
        for (int i = 0; i < steadyCount + freshCount; ++i) {
            const bool steady = i < steadyCount;
            if (steady) {
                std::snprintf(text, sizeof text, "%s", steadyTexts[i]);
            } else {
                std::snprintf(text, sizeof text, "SCORE %07d", ++s_iFreshNumber);
            }
            const long allocationsBefore = AllocationCount();
            const long uploadsBefore = uploads();
            const double start = CpuSeconds();
            draw(text);
            const double seconds = CpuSeconds() - start;
            if (steady && frame == 0) {
                continue;
            }
            Totals& totals = steady ? figures.steady : figures.fresh;
            ++totals.draws;
            totals.seconds += seconds;
            totals.allocations += AllocationCount() - allocationsBefore;
            totals.uploads += uploads() - uploadsBefore;
        }
    }
    return figures;
}

// The render device with nothing behind it: the text renderer's own cost.
class CountingRenderDevice : public RenderDevice {
public:
    int CreateTexture(int, int) override { return ++m_iTextures; }
    void ReleaseTexture(int) override {}
    void UploadTexture(int, const uint8_t*, int, int, int, int, int, const uint8_t*) override
    {
        ++m_lUploads;
    }
    void Clear(D3DCOLOR, float) override {}

    int m_iTextures = 0;
    long m_lUploads = 0;
};

void BenchTextManager(const std::string& fontPath)
{
    CountingRenderDevice device;
    TextManager manager(&device);
    if (!manager.SelectFont(fontPath.c_str())) {
        std::exit(1);
    }
    const auto draw = [&](const char* text) {
        manager.SetColor(255, 255, 255, 0);
        manager.SetDrawFlags(DRAW_BLEND_ADD);
        manager.QueueText(-300.0f, -200.0f, text, 1.0f);
        manager.Flush();
        manager.EndDraw();
    };
    const auto uploads = [&] { return device.m_lUploads; };
    std::printf("The text renderer on a render device that does nothing:\n");
    Print("5 strings drawn every frame and 5 new ones:",
          RunFrames(kStringsPerKind, kStringsPerKind, draw, uploads));
    Print("10 strings drawn every frame:", RunFrames(2 * kStringsPerKind, 0, draw, uploads));
    g_kCachedOnlyFigures = RunFrames(3, 0, draw, uploads, kShortTexts);
    Print("3 short strings drawn every frame (they stay cached):", g_kCachedOnlyFigures);
    Print("10 new strings a frame:", RunFrames(0, 2 * kStringsPerKind, draw, uploads));
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void BenchTextOutput(const std::string& fontPath)
{
    fake::Reset();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.lpszClassName = "TextBench";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TextBench", "bench", WS_POPUP, 0, 0, 1024, 768, nullptr,
                                  nullptr, nullptr, nullptr);
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 1024;
    parameters.BackBufferHeight = 768;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    IDirect3DDevice8* device = nullptr;
    if (!d3d || d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                  D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                  &device) != D3D_OK) {
        std::exit(1);
    }
    {
        TextOutput output;
        if (!output.Init(window, device) || !output.LoadFont(fontPath.c_str())) {
            std::exit(1);
        }
        long locks = 0;
        const auto draw = [&](const char* text) {
            output.DrawString(-300.0f, -200.0f, 1.0f, 255, 255, 255, 0, text);
            locks += fake::CountCalls("IDirect3DTexture8::LockRect");
            fake::ClearCalls();
            fake::d3d::ClearDraws();
        };
        const auto uploads = [&] { return locks; };
        std::printf("TextOutput::DrawString on the fake Direct3D device (its call log "
                    "allocates):\n");
        Print("5 strings drawn every frame and 5 new ones:",
              RunFrames(kStringsPerKind, kStringsPerKind, draw, uploads));
        Print("10 strings drawn every frame:", RunFrames(2 * kStringsPerKind, 0, draw, uploads));
        Print("3 short strings drawn every frame (they stay cached):",
              RunFrames(3, 0, draw, uploads, kShortTexts));
    }
    device->Release();
    d3d->Release();
    fake::Reset();
}

}  // namespace

int main()
{
    const std::string fontPath = WriteBenchFont();
    std::printf("%d frames per load\n", kFrames);
    BenchTextManager(fontPath);
    BenchTextOutput(fontPath);
    std::remove(fontPath.c_str());
    // A string that is still cached must cost no upload and no allocation.
    const bool cachedIsFree =
        g_kCachedOnlyFigures.steady.allocations == 0 && g_kCachedOnlyFigures.steady.uploads == 0;
    std::printf("cached strings free of uploads and allocations: %s\n",
                cachedIsFree ? "yes" : "NO");
    return cachedIsFree ? 0 : 1;
}
