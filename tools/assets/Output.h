#pragma once
// Where the generator writes: a data folder, laid out with the game's relative paths.
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

class Output {
public:
    explicit Output(std::string root) : m_root(std::move(root)) {}

    // gamePath uses the game's backslashes ("graphics\title.bmp"); folders are made as needed.
    bool Write(const std::string& gamePath, const std::vector<uint8_t>& bytes);
    bool WriteText(const std::string& gamePath, const std::string& text);
    int Failures() const { return m_failures; }

private:
    std::string m_root;
    int m_failures = 0;
};

void PutLittle16(std::vector<uint8_t>& out, uint32_t v);
void PutLittle32(std::vector<uint8_t>& out, uint32_t v);

}  // namespace assets
