// Bitmap fonts and the text pipeline in front of the render device: font sets, the text cache
// that lays whole strings out on texture pages, and the text manager's font list and queue.
#pragma once

#include <cstdint>
#include <vector>

#include "RenderDevice.h"

// Reads the character that starts at text[offset] and returns how many bytes it takes: 1 for a
// byte below 0x80, 2 for a lead byte (bit 7 set) with the byte after it, 0 at the terminator.
// A lead byte directly before the terminator is not a character: the string ends there.
int ReadCharacter(const char* text, int offset, uint16_t* code);

// Text pages are square; glyphs larger than a page's rows cannot be laid out.
constexpr int kPageSize = 128;
constexpr int kMaxGlyphWidth = kPageSize;
constexpr int kMaxGlyphHeight = kPageSize - 1;

struct GlyphRecord {
    int32_t m_iDataOffset;
    uint8_t m_ucWidth;
    uint8_t m_ucHeight;
};

// One bitmap font: character codes in ascending order, one glyph record each, and the glyphs'
// 2-bit pixels packed four to a byte, lowest bits first, rows unpadded.
class FontSet {
public:
    FontSet();
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // False when the file cannot be opened or does not hold a complete, usable font; the
    // font set then stays empty.
    bool Load(const char* path);
    // Index of the first glyph whose code is not below the code, at most the last glyph;
    // reports when the code itself is missing. -1 for an empty font.
    int FindGlyph(uint16_t code) const;
    int GetGlyphWidth(uint16_t code) const;
    int GetTextWidth(const char* text) const;
    // Writes the glyph's pixel values 0 to 3 into its width x height rectangle of the
    // destination and returns its width.
    int RenderGlyph(uint8_t* destination, int pitch, uint16_t code) const;
    int GetHeight() const;

private:
    std::vector<GlyphRecord> m_akGlyphs;
    int32_t m_iLineHeight;
    uint16_t m_uiGlyphCount;
    std::vector<uint16_t> m_auiCodes;
    std::vector<uint8_t> m_aucBitmap;
};

// Draws one coloured, textured quad on the render device.
class QuadDrawer {
public:
    explicit QuadDrawer(RenderDevice* device);
    void DrawQuad(int slot, float x, float y, float w, float h, float u, float v, float du,
                  float dv, uint32_t flags, int a, int r, int g, int b);
    void ResetBlendMode();

protected:
    RenderDevice* m_pkDevice;
};

// A node of the cache's page ring; its texture slot is 0 until the texture is created.
struct TextPage {
    TextPage* m_pkNext;
    int m_iSlot;
};

// Where a later row of a run begins: the byte offset of its first character and the run's
// width before it.
struct TextBreak {
    int32_t m_iTextOffset;
    int32_t m_iWidthBefore;
};

// One cached string of one font; its text follows the record in the same allocation.
struct TextRun {
    TextRun* m_pkPrevious;
    TextRun* m_pkNext;
    FontSet* m_pkFont;
    int32_t m_iStamp;
    TextPage* m_pkFirstPage;
    int32_t m_iX;
    int32_t m_iRowY;
    int32_t m_iWidth;
    int32_t m_iHeight;
    int32_t m_iFirstRowHeight;
    int32_t m_iBreakCount;
    TextBreak m_akBreaks[3];

    const char* GetText() const { return reinterpret_cast<const char*>(this + 1); }
    char* GetText() { return reinterpret_cast<char*>(this + 1); }
};

// Lays whole strings out once on 128 x 128 pages of 2-bit pixels, uploads them through a grey
// palette and draws them as one quad per page row.
class TextCache : public QuadDrawer {
public:
    explicit TextCache(RenderDevice* device);
    ~TextCache();
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;

    RenderDevice* GetDevice() const;
    void BeginFrame();
    TextRun* GetRun(const char* text, FontSet* font, int* width);
    int GetRunWidth(const TextRun* run) const;
    void DrawRun(float x, float y, float scale, uint32_t flags, int a, int r, int g, int b,
                 TextRun* run);

private:
    void LayoutRun(TextRun* run);
    TextRun* EvictPage(TextPage* page);
    void UploadRows(TextPage* page, int first, int end);
    static TextRun* LinkRun(TextRun* list, TextRun* run);
    static TextRun* UnlinkRun(TextRun* list, TextRun* run);

    TextRun* FindRun(const char* text, const FontSet* font) const;
    TextRun* CreateRun(const char* text, FontSet* font);
    static void FreeRun(TextRun* run);
    // Leaves the current page for the next one of the ring, inserting a new page when the
    // next is the barrier; returns the runs of this frame that started on a recycled page.
    TextRun* StartNewPage();
    static TextRun* AppendRuns(TextRun* list, TextRun* tail);
    int MeasureRow(const TextRun* run, int* offset, int end, int* carry) const;

    TextPage* m_pkCurrentPage;
    TextPage* m_pkBarrierPage;
    TextRun* m_pkRuns;
    int32_t m_iFrameStamp;
    std::vector<uint8_t> m_aucStaging;
    int32_t m_iPenX;
    int32_t m_iRowY;
    int32_t m_iRowHeight;
    int32_t m_iDirtyEnd;
    int32_t m_iDirtyStart;
};

// One loaded font set under the name it was selected by; the name follows the node in the
// same allocation.
struct LoadedFont {
    LoadedFont* m_pkNext;
    FontSet* m_pkFont;

    const char* GetName() const { return reinterpret_cast<const char*>(this + 1); }
    char* GetName() { return reinterpret_cast<char*>(this + 1); }
};

struct QueuedText {
    TextRun* m_pkRun;
    float m_fX;
    float m_fY;
    float m_fScale;
    int32_t m_iA;
    int32_t m_iR;
    int32_t m_iG;
    int32_t m_iB;
    uint32_t m_uiDrawFlags;
};

// The front end: fonts by file name, the colour and flags of the next texts, and the queue
// that a flush draws as one cache frame.
class TextManager {
public:
    static constexpr int kQueueSize = 128;

    explicit TextManager(RenderDevice* device);
    ~TextManager();
    TextManager(const TextManager&) = delete;
    TextManager& operator=(const TextManager&) = delete;

    void ResetCache();
    bool SelectFont(const char* fileName);
    void SetColor(int a, int r, int g, int b);
    void SetDrawFlags(uint32_t flags);
    // Queues a text in the current font and returns its width in font pixels; with no font
    // current nothing is queued and the width is 0.
    int QueueText(float x, float y, const char* text, float scale);
    void Flush();
    void EndDraw();

    FontSet* GetCurrentFont() const { return m_pkCurrentFont; }
    int GetQueueCount() const { return m_iCount; }
    const QueuedText& GetQueued(int index) const { return m_akQueue[index]; }

private:
    LoadedFont* FindFont(const char* fileName) const;
    void AddFont(FontSet* font, const char* fileName);

    TextCache* m_pkTextCache;
    RenderDevice* m_pkDevice;
    LoadedFont* m_pkFonts;
    FontSet* m_pkCurrentFont;
    int32_t m_iA;
    int32_t m_iR;
    int32_t m_iG;
    int32_t m_iB;
    uint32_t m_uiDrawFlags;
    QueuedText m_akQueue[kQueueSize];
    int32_t m_iCount;
};
