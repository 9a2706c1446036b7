// A render device that remembers what the text cache asks of it: textures, uploaded pixels
// (through the palette, one grey byte per pixel) and every quad.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "RenderDevice.h"

struct RecordedUpload {
    int slot;
    int firstRow;
    int rowCount;
};

struct RecordedFan {
    int slot;
    uint32_t flags;
    std::vector<TexturedVertex> vertices;
};

class RecordingRenderDevice : public RenderDevice {
public:
    static constexpr int kSide = 128;

    int CreateTexture(int width, int height) override
    {
        ++m_iCreations;
        if (m_iFailCreations > 0) {
            --m_iFailCreations;
            return 0;
        }
        m_akCreated.push_back({width, height});
        m_aaucPixels.emplace_back();
        return static_cast<int>(m_aaucPixels.size());
    }
    void ReleaseTexture(int slot) override { m_aiReleased.push_back(slot); }
    void UploadTexture(int slot, const uint8_t* source, int destinationByteOffset,
                       int destinationRow, int width, int height, int sourcePitch,
                       const uint8_t* palette) override
    {
        m_akUploads.push_back({slot, destinationRow, height});
        std::array<uint8_t, kSide * kSide>& pixels = m_aaucPixels[static_cast<size_t>(slot - 1)];
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                const uint8_t index = source[row * sourcePitch + column];
                pixels[static_cast<size_t>((destinationRow + row) * kSide + column +
                                           destinationByteOffset)] = palette[3 * index];
            }
        }
    }
    void Clear(uint32_t, float) override {}
    void SetTexture(int slot) override { m_iBound = slot; }
    void DrawFan(const TexturedVertex* vertices, int count, uint32_t flags) override
    {
        m_akFans.push_back(
            {m_iBound, flags, std::vector<TexturedVertex>(vertices, vertices + count)});
    }
    void ResetBlendMode() override { ++m_iBlendResets; }

    uint8_t Pixel(int slot, int x, int y) const
    {
        return m_aaucPixels[static_cast<size_t>(slot - 1)][static_cast<size_t>(y * kSide + x)];
    }
    // Quads drawn near the view, leaving out the page quads that a frame begins with.
    std::vector<RecordedFan> TextQuads() const
    {
        std::vector<RecordedFan> quads;
        for (const RecordedFan& fan : m_akFans) {
            if (fan.vertices[0].m_fY > -400000.0f) {
                quads.push_back(fan);
            }
        }
        return quads;
    }

    int m_iCreations = 0;
    int m_iFailCreations = 0;
    int m_iBound = 0;
    int m_iBlendResets = 0;
    std::vector<std::array<int, 2>> m_akCreated;
    std::vector<std::array<uint8_t, kSide * kSide>> m_aaucPixels;
    std::vector<int> m_aiReleased;
    std::vector<RecordedUpload> m_akUploads;
    std::vector<RecordedFan> m_akFans;
};
