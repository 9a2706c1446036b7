#include "Scratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "ImageFiles.h"

namespace fuzz {

namespace {

class ScratchFolder {
public:
    ScratchFolder() : m_kPath(testfiles::UniquePath("fuzz"))
    {
        std::error_code kError;
        std::filesystem::create_directories(m_kPath, kError);
        Require(!kError, "fuzz: cannot make the scratch folder");
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::error_code kError;
        std::filesystem::remove_all(m_kPath, kError);
    }

    const std::filesystem::path& Path() const { return m_kPath; }

private:
    std::filesystem::path m_kPath;
};

}  // namespace

std::string ScratchPath(const char* acName)
{
    static const ScratchFolder kFolder;
    return (kFolder.Path() / acName).string();
}

std::string WriteScratch(const char* acName, const uint8_t* pucData, size_t uiSize)
{
    std::string kPath = ScratchPath(acName);
    std::FILE* pkFile = std::fopen(kPath.c_str(), "wb");
    Require(pkFile != nullptr, "fuzz: cannot write a scratch file");
    bool bWritten = uiSize == 0 || std::fwrite(pucData, 1, uiSize, pkFile) == uiSize;
    Require(std::fclose(pkFile) == 0 && bWritten, "fuzz: cannot write a scratch file");
    return kPath;
}

void Require(bool bHolds, const char* acMessage)
{
    if (!bHolds) {
        std::fprintf(stderr, "%s\n", acMessage);
        std::abort();
    }
}

InScratchFolder::InScratchFolder()
{
    std::error_code kError;
    m_kPrevious = std::filesystem::current_path(kError);
    std::filesystem::current_path(ScratchPath(""), kError);
    Require(!kError, "cannot work in the scratch folder");
}

InScratchFolder::~InScratchFolder()
{
    std::error_code kError;
    std::filesystem::current_path(m_kPrevious, kError);
}

}  // namespace fuzz
