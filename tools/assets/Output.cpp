#include "Output.h"

#include <cstdio>
#include <filesystem>

namespace assets {

bool Output::Write(const std::string& gamePath, const std::vector<uint8_t>& bytes)
{
    std::string relative = gamePath;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    const std::filesystem::path path = std::filesystem::path(m_root) / relative;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    bool ok = f != nullptr;
    if (f) {
        ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = std::fclose(f) == 0 && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "brask-assets: cannot write %s\n", path.string().c_str());
        ++m_failures;
    }
    return ok;
}

bool Output::WriteText(const std::string& gamePath, const std::string& text)
{
    return Write(gamePath, std::vector<uint8_t>(text.begin(), text.end()));
}

void PutLittle16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLittle32(std::vector<uint8_t>& out, uint32_t v)
{
    PutLittle16(out, v & 0xFFFF);
    PutLittle16(out, v >> 16);
}

}  // namespace assets
