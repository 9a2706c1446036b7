// The files the fuzz targets hand to the readers, in a temporary folder of this process's own
// (the process id in its name), removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fuzz {

// The path of a file of that name in the folder; the folder is made on the first call.
std::string ScratchPath(const char* acName);
// Writes the bytes to that file and returns its path.
std::string WriteScratch(const char* acName, const uint8_t* pucData, size_t uiSize);
// Stops the process with the message when bHolds is false.
void Require(bool bHolds, const char* acMessage);

// The scratch folder is the current folder while this lives, for readers whose file names are
// relative to it.
class InScratchFolder {
public:
    InScratchFolder();
    InScratchFolder(const InScratchFolder&) = delete;
    InScratchFolder& operator=(const InScratchFolder&) = delete;
    ~InScratchFolder();

private:
    std::filesystem::path m_kPrevious;
};

}  // namespace fuzz
