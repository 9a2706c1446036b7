#include "font.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/crt.h"

namespace {

constexpr int kStagingBytes = kPageSize * kPageSize;
constexpr int kBreakSlots = 3;

// Pixel values 0 to 3 as blue, green, red grey levels.
constexpr uint8_t kGreyPalette[4 * 3] = {
    0x00, 0x00, 0x00, 0x80, 0x80, 0x80, 0xC4, 0xC4, 0xC4, 0xFF, 0xFF, 0xFF,
};

int GlyphByteCount(int width, int height)
{
    return (width * height + 3) / 4;
}

bool ReadBytes(std::FILE* file, void* destination, size_t count)
{
    return std::fread(destination, 1, count, file) == count;
}

bool ReadUint16(std::FILE* file, uint16_t* value)
{
    uint8_t bytes[2];
    if (!ReadBytes(file, bytes, sizeof bytes)) {
        return false;
    }
    *value = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    return true;
}

bool ReadUint32(std::FILE* file, uint32_t* value)
{
    uint8_t bytes[4];
    if (!ReadBytes(file, bytes, sizeof bytes)) {
        return false;
    }
    *value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
             static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

}  // namespace

int ReadCharacter(const char* text, int offset, uint16_t* code)
{
    const uint8_t lead = static_cast<uint8_t>(text[offset]);
    if (lead == 0) {
        return 0;
    }
    if ((lead & 0x80) == 0) {
        *code = lead;
        return 1;
    }
    const uint8_t trail = static_cast<uint8_t>(text[offset + 1]);
    if (trail == 0) {
        return 0;
    }
    *code = static_cast<uint16_t>(lead << 8 | trail);
    return 2;
}

// ---------------------------------------------------------------------------------------------
// FontSet

FontSet::FontSet() : m_iLineHeight(0), m_uiGlyphCount(0) {}

FontSet::~FontSet() = default;

bool FontSet::Load(const char* path)
{
    std::FILE* file = crt::OpenFile(path, "rb");
    if (!file) {
        return false;
    }
    uint16_t glyphCount = 0;
    uint32_t bitmapBytes = 0;
    bool valid = ReadUint16(file, &glyphCount) && ReadUint32(file, &bitmapBytes) &&
                 glyphCount > 0;
    std::vector<uint16_t> codes;
    std::vector<GlyphRecord> glyphs;
    std::vector<uint8_t> bitmap;
    int lineHeight = 0;
    for (int i = 0; valid && i < glyphCount; ++i) {
        uint16_t code = 0;
        uint8_t size[2];
        valid = ReadUint16(file, &code) && ReadBytes(file, size, sizeof size) &&
                size[0] <= kMaxGlyphWidth && size[1] <= kMaxGlyphHeight;
        if (!valid) {
            break;
        }
        const size_t offset = bitmap.size();
        const size_t count = static_cast<size_t>(GlyphByteCount(size[0], size[1]));
        valid = offset + count <= bitmapBytes;
        if (!valid) {
            break;
        }
        bitmap.resize(offset + count);
        valid = ReadBytes(file, bitmap.data() + offset, count);
        codes.push_back(code);
        glyphs.push_back({static_cast<int32_t>(offset), size[0], size[1]});
        lineHeight = std::max<int>(lineHeight, size[1]);
    }
    std::fclose(file);
    if (!valid) {
        return false;
    }
    m_auiCodes = std::move(codes);
    m_akGlyphs = std::move(glyphs);
    m_aucBitmap = std::move(bitmap);
    m_uiGlyphCount = glyphCount;
    m_iLineHeight = lineHeight;
    return true;
}

int FontSet::FindGlyph(uint16_t code) const
{
    if (m_uiGlyphCount == 0) {
        crt::DebugReport("font", __LINE__, "");
        return -1;
    }
    int lo = 0;
    int hi = m_uiGlyphCount - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (m_auiCodes[mid] < code) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (m_auiCodes[lo] != code) {
        crt::DebugReport("font", __LINE__, "");
    }
    return lo;
}

int FontSet::GetGlyphWidth(uint16_t code) const
{
    const int index = FindGlyph(code);
    return index < 0 ? 0 : m_akGlyphs[index].m_ucWidth;
}

int FontSet::GetTextWidth(const char* text) const
{
    int width = 0;
    int offset = 0;
    uint16_t code = 0;
    while (const int length = ReadCharacter(text, offset, &code)) {
        width += GetGlyphWidth(code);
        offset += length;
    }
    return width;
}

int FontSet::RenderGlyph(uint8_t* destination, int pitch, uint16_t code) const
{
    const int index = FindGlyph(code);
    if (index < 0) {
        return 0;
    }
    const GlyphRecord& glyph = m_akGlyphs[index];
    const uint8_t* packed = m_aucBitmap.data() + glyph.m_iDataOffset;
    int pixel = 0;
    for (int row = 0; row < glyph.m_ucHeight; ++row) {
        for (int column = 0; column < glyph.m_ucWidth; ++column, ++pixel) {
            const int shift = 2 * (pixel % 4);
            destination[row * pitch + column] = (packed[pixel / 4] >> shift) & 3;
        }
    }
    return glyph.m_ucWidth;
}

int FontSet::GetHeight() const
{
    return m_iLineHeight;
}

// ---------------------------------------------------------------------------------------------
// QuadDrawer

QuadDrawer::QuadDrawer(RenderDevice* device) : m_pkDevice(device) {}

void QuadDrawer::DrawQuad(int slot, float x, float y, float w, float h, float u, float v,
                          float du, float dv, uint32_t flags, int a, int r, int g, int b)
{
    const uint32_t color = static_cast<uint32_t>(a & 0xFF) << 24 |
                           static_cast<uint32_t>(r & 0xFF) << 16 |
                           static_cast<uint32_t>(g & 0xFF) << 8 | static_cast<uint32_t>(b & 0xFF);
    const float left = x - 0.5f;
    const float top = y - 0.5f;
    const TexturedVertex vertices[4] = {
        {left, top, 0.0f, color, u, v},
        {left + w, top, 0.0f, color, u + du, v},
        {left + w, top + h, 0.0f, color, u + du, v + dv},
        {left, top + h, 0.0f, color, u, v + dv},
    };
    m_pkDevice->SetTexture(slot);
    m_pkDevice->DrawFan(vertices, 4, flags | DRAW_FAN | DRAW_NO_CULL);
}

void QuadDrawer::ResetBlendMode()
{
    m_pkDevice->ResetBlendMode();
}

// ---------------------------------------------------------------------------------------------
// TextCache

TextCache::TextCache(RenderDevice* device)
    : QuadDrawer(device),
      m_pkCurrentPage(new TextPage{nullptr, 0}),
      m_pkBarrierPage(m_pkCurrentPage),
      m_pkRuns(nullptr),
      m_iFrameStamp(1),
      m_aucStaging(kStagingBytes, 0),
      m_iPenX(0),
      m_iRowY(0),
      m_iRowHeight(0),
      m_iDirtyEnd(0),
      m_iDirtyStart(0)
{
    m_pkCurrentPage->m_pkNext = m_pkCurrentPage;
}

TextCache::~TextCache()
{
    TextPage* page = m_pkCurrentPage;
    do {
        TextPage* next = page->m_pkNext;
        if (page->m_iSlot != 0) {
            m_pkDevice->ReleaseTexture(page->m_iSlot);
        }
        delete page;
        page = next;
    } while (page != m_pkCurrentPage);
    while (m_pkRuns) {
        TextRun* next = m_pkRuns->m_pkNext;
        FreeRun(m_pkRuns);
        m_pkRuns = next;
    }
}

RenderDevice* TextCache::GetDevice() const
{
    return m_pkDevice;
}

void TextCache::BeginFrame()
{
    UploadRows(m_pkCurrentPage, m_iDirtyStart, m_iDirtyEnd);
    m_iDirtyEnd = m_iDirtyStart = m_iRowY;
    m_pkBarrierPage = m_pkCurrentPage;
    ++m_iFrameStamp;
    int index = 0;
    TextPage* page = m_pkCurrentPage;
    do {
        DrawQuad(page->m_iSlot, -180.0f + 69.0f * static_cast<float>(index), -464000.0f, 64.0f,
                 64.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0, 255, 0, 0, 0);
        page = page->m_pkNext;
        ++index;
    } while (page != m_pkCurrentPage);
}

TextRun* TextCache::GetRun(const char* text, FontSet* font, int* width)
{
    TextRun* run = FindRun(text, font);
    if (!run) {
        run = CreateRun(text, font);
        m_pkRuns = LinkRun(m_pkRuns, run);
        LayoutRun(run);
    }
    run->m_iStamp = m_iFrameStamp;
    if (width) {
        *width = run->m_iWidth;
    }
    return run;
}

int TextCache::GetRunWidth(const TextRun* run) const
{
    return run->m_iWidth;
}

TextRun* TextCache::FindRun(const char* text, const FontSet* font) const
{
    for (TextRun* run = m_pkRuns; run; run = run->m_pkNext) {
        if (run->m_pkFont == font && std::strcmp(run->GetText(), text) == 0) {
            return run;
        }
    }
    return nullptr;
}

TextRun* TextCache::CreateRun(const char* text, FontSet* font)
{
    const size_t length = std::strlen(text) + 1;
    void* memory = ::operator new(sizeof(TextRun) + length);
    TextRun* run = new (memory) TextRun{};
    std::memcpy(run->GetText(), text, length);
    run->m_pkFont = font;
    run->m_iStamp = 0;
    return run;
}

void TextCache::FreeRun(TextRun* run)
{
    run->~TextRun();
    ::operator delete(run);
}

void TextCache::LayoutRun(TextRun* run)
{
    const FontSet* font = run->m_pkFont;
    const int lineHeight = font->GetHeight();
    m_iRowHeight = std::max(m_iRowHeight, lineHeight);
    run->m_iX = m_iPenX;
    run->m_iRowY = m_iRowY;
    run->m_iHeight = lineHeight;
    run->m_iFirstRowHeight = m_iRowHeight;
    run->m_iWidth = 0;
    run->m_iBreakCount = 0;
    run->m_pkFirstPage = m_pkCurrentPage;
    run->m_iStamp = m_iFrameStamp;
    TextRun* handedBack = nullptr;
    const char* text = run->GetText();
    int offset = 0;
    uint16_t code = 0;
    while (const int length = ReadCharacter(text, offset, &code)) {
        const int width = font->GetGlyphWidth(code);
        if (m_iPenX + width > kPageSize || m_iRowY + m_iRowHeight >= kPageSize) {
            m_iPenX = 0;
            m_iRowY += m_iRowHeight + 1;
            m_iRowHeight = lineHeight;
            if (m_iRowY + lineHeight >= kPageSize) {
                TextRun* evicted = StartNewPage();
                handedBack = AppendRuns(handedBack, evicted);
            }
            if (offset == 0) {
                run->m_iX = m_iPenX;
                run->m_iRowY = m_iRowY;
                run->m_iFirstRowHeight = m_iRowHeight;
                run->m_pkFirstPage = m_pkCurrentPage;
            } else if (run->m_iBreakCount < kBreakSlots) {
                run->m_akBreaks[run->m_iBreakCount++] = {offset, run->m_iWidth};
            }
        }
        font->RenderGlyph(m_aucStaging.data() + m_iRowY * kPageSize + m_iPenX, kPageSize, code);
        m_iPenX += width;
        run->m_iWidth += width;
        offset += length;
    }
    m_iDirtyEnd = std::max(m_iDirtyEnd, m_iRowY + lineHeight + 1);
    while (handedBack) {
        TextRun* next = handedBack->m_pkNext;
        m_pkRuns = LinkRun(m_pkRuns, handedBack);
        LayoutRun(handedBack);
        handedBack = next;
    }
}

TextRun* TextCache::StartNewPage()
{
    UploadRows(m_pkCurrentPage, m_iDirtyStart, m_iRowY);
    TextRun* evicted = nullptr;
    if (m_pkCurrentPage->m_pkNext == m_pkBarrierPage) {
        m_pkCurrentPage->m_pkNext = new TextPage{m_pkCurrentPage->m_pkNext, 0};
    } else {
        evicted = EvictPage(m_pkCurrentPage->m_pkNext);
    }
    m_pkCurrentPage = m_pkCurrentPage->m_pkNext;
    m_iPenX = m_iRowY = m_iDirtyStart = m_iDirtyEnd = 0;
    std::fill(m_aucStaging.begin(), m_aucStaging.end(), 0);
    return evicted;
}

TextRun* TextCache::AppendRuns(TextRun* list, TextRun* tail)
{
    if (!list) {
        return tail;
    }
    TextRun* last = list;
    while (last->m_pkNext) {
        last = last->m_pkNext;
    }
    last->m_pkNext = tail;
    if (tail) {
        tail->m_pkPrevious = last;
    }
    return list;
}

TextRun* TextCache::EvictPage(TextPage* page)
{
    TextRun* kept = nullptr;
    TextRun* run = m_pkRuns;
    while (run) {
        TextRun* next = run->m_pkNext;
        if (run->m_pkFirstPage == page) {
            m_pkRuns = UnlinkRun(m_pkRuns, run);
            if (run->m_iStamp == m_iFrameStamp) {
                kept = LinkRun(kept, run);
            } else {
                FreeRun(run);
            }
        }
        run = next;
    }
    return kept;
}

void TextCache::UploadRows(TextPage* page, int first, int end)
{
    end = std::min(end, kPageSize);
    if (first >= end) {
        return;
    }
    if (page->m_iSlot == 0) {
        page->m_iSlot = m_pkDevice->CreateTexture(kPageSize, kPageSize);
    }
    if (page->m_iSlot == 0) {
        return;
    }
    m_pkDevice->UploadTexture(page->m_iSlot, m_aucStaging.data() + first * kPageSize, 0, first,
                              kPageSize, end - first, kPageSize, kGreyPalette);
}

TextRun* TextCache::LinkRun(TextRun* list, TextRun* run)
{
    run->m_pkPrevious = nullptr;
    run->m_pkNext = list;
    if (list) {
        list->m_pkPrevious = run;
    }
    return run;
}

TextRun* TextCache::UnlinkRun(TextRun* list, TextRun* run)
{
    if (run->m_pkPrevious) {
        run->m_pkPrevious->m_pkNext = run->m_pkNext;
    }
    if (run->m_pkNext) {
        run->m_pkNext->m_pkPrevious = run->m_pkPrevious;
    }
    TextRun* head = list == run ? run->m_pkNext : list;
    run->m_pkPrevious = run->m_pkNext = nullptr;
    return head;
}

void TextCache::DrawRun(float x, float y, float scale, uint32_t flags, int a, int r, int g, int b,
                        TextRun* run)
{
    const int lineHeight = run->m_iHeight;
    TextPage* page = run->m_pkFirstPage;
    int row = run->m_iRowY;
    int start = run->m_iX;
    int end = run->m_iX;
    int remaining = run->m_iWidth;
    int offset = 0;
    int carry = 0;
    for (int k = 0;; ++k) {
        if (start + remaining <= kPageSize) {
            end = start + remaining;
        } else if (k < kBreakSlots) {
            offset = run->m_akBreaks[k].m_iTextOffset;
            end += run->m_akBreaks[k].m_iWidthBefore -
                   (k == 0 ? 0 : run->m_akBreaks[k - 1].m_iWidthBefore);
        } else {
            end = MeasureRow(run, &offset, end, &carry);
        }
        const int segment = end - start;
        if (page->m_iSlot != 0) {
            DrawQuad(page->m_iSlot, x, y, static_cast<float>(segment) * scale,
                     static_cast<float>(lineHeight) * scale, static_cast<float>(start) / kPageSize,
                     static_cast<float>(row) / kPageSize, static_cast<float>(segment) / kPageSize,
                     static_cast<float>(lineHeight) / kPageSize, flags, a, r, g, b);
        }
        remaining -= segment;
        if (remaining <= 0) {
            return;
        }
        x += static_cast<float>(segment) * scale;
        row += (k == 0 ? run->m_iFirstRowHeight : lineHeight) + 1;
        start = 0;
        end = k < kBreakSlots ? 0 : carry;
        if (row + lineHeight + 1 > kPageSize) {
            page = page->m_pkNext;
            row = 0;
        }
    }
}

int TextCache::MeasureRow(const TextRun* run, int* offset, int end, int* carry) const
{
    const char* text = run->GetText();
    uint16_t code = 0;
    while (const int length = ReadCharacter(text, *offset, &code)) {
        *offset += length;
        const int width = run->m_pkFont->GetGlyphWidth(code);
        if (end + width > kPageSize) {
            *carry = width;
            break;
        }
        end += width;
    }
    return end;
}

// ---------------------------------------------------------------------------------------------
// TextManager

TextManager::TextManager(RenderDevice* device)
    : m_pkTextCache(new TextCache(device)),
      m_pkDevice(device),
      m_pkFonts(nullptr),
      m_pkCurrentFont(nullptr),
      m_iA(255),
      m_iR(0),
      m_iG(0),
      m_iB(0),
      m_uiDrawFlags(0),
      m_akQueue{},
      m_iCount(0)
{
}

TextManager::~TextManager()
{
    delete m_pkTextCache;
    while (m_pkFonts) {
        LoadedFont* next = m_pkFonts->m_pkNext;
        delete m_pkFonts->m_pkFont;
        m_pkFonts->~LoadedFont();
        ::operator delete(m_pkFonts);
        m_pkFonts = next;
    }
}

void TextManager::ResetCache()
{
    m_iCount = 0;
    delete m_pkTextCache;
    m_pkTextCache = new TextCache(m_pkDevice);
}

bool TextManager::SelectFont(const char* fileName)
{
    if (const LoadedFont* loaded = FindFont(fileName)) {
        m_pkCurrentFont = loaded->m_pkFont;
        return true;
    }
    FontSet* font = new FontSet;
    m_pkCurrentFont = font;
    if (!font->Load(fileName)) {
        delete font;
        m_pkCurrentFont = nullptr;
        return false;
    }
    AddFont(font, fileName);
    return true;
}

LoadedFont* TextManager::FindFont(const char* fileName) const
{
    for (LoadedFont* loaded = m_pkFonts; loaded; loaded = loaded->m_pkNext) {
        if (std::strcmp(loaded->GetName(), fileName) == 0) {
            return loaded;
        }
    }
    return nullptr;
}

void TextManager::AddFont(FontSet* font, const char* fileName)
{
    const size_t length = std::strlen(fileName) + 1;
    void* memory = ::operator new(sizeof(LoadedFont) + length);
    LoadedFont* loaded = new (memory) LoadedFont{m_pkFonts, font};
    std::memcpy(loaded->GetName(), fileName, length);
    m_pkFonts = loaded;
}

void TextManager::SetColor(int a, int r, int g, int b)
{
    m_iA = a;
    m_iR = r;
    m_iG = g;
    m_iB = b;
}

void TextManager::SetDrawFlags(uint32_t flags)
{
    m_uiDrawFlags = flags;
}

int TextManager::QueueText(float x, float y, const char* text, float scale)
{
    if (!m_pkCurrentFont) {
        return 0;
    }
    if (m_iCount == kQueueSize) {
        Flush();
    }
    int width = 0;
    TextRun* run = m_pkTextCache->GetRun(text, m_pkCurrentFont, &width);
    m_akQueue[m_iCount++] = {run, x, y, scale, m_iA, m_iR, m_iG, m_iB, m_uiDrawFlags};
    return width;
}

void TextManager::Flush()
{
    m_pkTextCache->BeginFrame();
    for (int i = 0; i < m_iCount; ++i) {
        const QueuedText& queued = m_akQueue[i];
        m_pkTextCache->DrawRun(queued.m_fX, queued.m_fY, queued.m_fScale, queued.m_uiDrawFlags,
                               queued.m_iA, queued.m_iR, queued.m_iG, queued.m_iB,
                               queued.m_pkRun);
    }
    m_iCount = 0;
}

void TextManager::EndDraw()
{
    m_pkTextCache->ResetBlendMode();
}
