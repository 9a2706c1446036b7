// Runs every file of each fuzz target's corpus (its minimised corpus and the reproducers of what
// the fuzzers found) through the target, as an ordinary test of every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace fuzz {

// Names the target in the test's listing.
void PrintTo(const Target& kTarget, std::ostream* pkOut)
{
    *pkOut << kTarget.acName;
}

}  // namespace fuzz

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(const char* acTarget)
{
    std::vector<fs::path> kFiles;
    std::error_code kError;
    for (const fs::directory_entry& kEntry :
         fs::directory_iterator(fs::path(BRASK_TEST_SOURCE_DIR) / "fuzz" / "corpus" / acTarget,
                                kError)) {
        if (kEntry.is_regular_file()) {
            kFiles.push_back(kEntry.path());
        }
    }
    std::sort(kFiles.begin(), kFiles.end());
    return kFiles;
}

std::vector<uint8_t> ReadAll(const fs::path& kPath)
{
    std::ifstream kIn(kPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(kIn), std::istreambuf_iterator<char>()};
}

class CorpusReplay : public ::testing::TestWithParam<fuzz::Target> {};

TEST_P(CorpusReplay, EveryFileReadsWithoutFault)
{
    const fuzz::Target& kTarget = GetParam();
    std::vector<fs::path> kFiles = CorpusFiles(kTarget.acName);
    ASSERT_FALSE(kFiles.empty()) << "no corpus for " << kTarget.acName;
    for (const fs::path& kFile : kFiles) {
        std::vector<uint8_t> kBytes = ReadAll(kFile);
        // Printed first: a file that stops the process names itself in the output.
        std::fprintf(stderr, "%s\n", kFile.filename().c_str());
        kTarget.pfnRun(kBytes.data(), kBytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, CorpusReplay, ::testing::ValuesIn(fuzz::Targets().begin(),
                                                                     fuzz::Targets().end()),
                         [](const ::testing::TestParamInfo<fuzz::Target>& kInfo) {
                             return std::string(kInfo.param.acName);
                         });

}  // namespace
