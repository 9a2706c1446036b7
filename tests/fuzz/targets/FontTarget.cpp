// Font-set files through FontSet::Load, then every question the text renderer asks of a font.
#include <algorithm>
#include <vector>

#include "FuzzTargets.h"
#include "Scratch.h"
#include "font.h"
#include "platform/crt.h"

namespace fuzz {

namespace {

constexpr size_t kLongestText = 64;

// Missing characters are reported; a run reports them by the thousand, so they go nowhere.
void IgnoreReport(const char*, int, const char*) {}

// Renders the glyphs of the codes that the input's own bytes spell, into a page of the largest
// glyph size, and sums their widths as the text cache does.
void Render(const FontSet& kFont, const uint8_t* pucData, size_t uiSize)
{
    std::vector<char> kText(pucData, pucData + std::min(uiSize, kLongestText));
    kText.push_back('\0');
    kText.push_back('\0');
    std::vector<uint8_t> kPage(size_t{kMaxGlyphWidth} * kMaxGlyphHeight);
    int iOffset = 0;
    uint16_t uiCode = 0;
    while (int iLength = ReadCharacter(kText.data(), iOffset, &uiCode)) {
        int iWidth = kFont.RenderGlyph(kPage.data(), kMaxGlyphWidth, uiCode);
        Require(iWidth == kFont.GetGlyphWidth(uiCode), "font: widths disagree");
        iOffset += iLength;
    }
    kFont.GetTextWidth(kText.data());
}

}  // namespace

void LoadFont(const uint8_t* pucData, size_t uiSize)
{
    std::string kPath = WriteScratch("input.fnt", pucData, uiSize);
    crt::DebugReportHandler pfnPrevious = crt::SetDebugReportHandler(IgnoreReport);
    {
        FontSet kFont;
        bool bLoaded = kFont.Load(kPath.c_str());
        Require(bLoaded ? kFont.GetHeight() <= kMaxGlyphHeight : kFont.GetHeight() == 0,
                "font: line height out of range");
        Render(kFont, pucData, uiSize);
    }
    crt::SetDebugReportHandler(pfnPrevious);
}

}  // namespace fuzz
