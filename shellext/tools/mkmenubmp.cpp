// Turns the text drawing of the menu image into a 24-bit BMP for windres.
// Usage: mkmenubmp <drawing.txt> <out.bmp>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

void put16(std::vector<unsigned char> &out, unsigned v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char> &out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

int fail(const std::string &message)
{
    std::fprintf(stderr, "mkmenubmp: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return fail("usage: mkmenubmp <drawing.txt> <out.bmp>");

    std::ifstream in(argv[1]);
    if (!in)
        return fail(std::string("cannot read ") + argv[1]);

    std::map<char, std::uint32_t> palette;
    std::vector<std::string> rows;
    bool inPixels = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!inPixels) {
            if (!line.empty() && line[0] == '#')
                continue;
            if (line.empty()) {
                inPixels = !palette.empty();
                continue;
            }
            std::istringstream fields(line);
            std::string key, hex;
            if (!(fields >> key >> hex) || key.size() != 1 || hex.size() != 6)
                return fail("bad palette line: " + line);
            palette[key[0]] = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
        } else if (!line.empty()) {
            rows.push_back(line);
        }
    }
    if (rows.empty())
        return fail("no pixel rows");
    const size_t width = rows[0].size();
    for (const std::string &row : rows) {
        if (row.size() != width)
            return fail("rows differ in length");
        for (char c : row) {
            if (!palette.count(c))
                return fail(std::string("colour not in palette: ") + c);
        }
    }

    const size_t height = rows.size();
    const size_t stride = (width * 3 + 3) & ~static_cast<size_t>(3);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::vector<unsigned char> bmp;
    // BITMAPFILEHEADER
    bmp.push_back('B');
    bmp.push_back('M');
    put32(bmp, 14 + 40 + imageSize);
    put32(bmp, 0);
    put32(bmp, 14 + 40);
    // BITMAPINFOHEADER
    put32(bmp, 40);
    put32(bmp, static_cast<std::uint32_t>(width));
    put32(bmp, static_cast<std::uint32_t>(height)); // positive: bottom row first
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0); // BI_RGB
    put32(bmp, imageSize);
    put32(bmp, 2835); // 72 dpi
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);
    for (size_t y = height; y-- > 0;) {
        size_t written = 0;
        for (char c : rows[y]) {
            const std::uint32_t rgb = palette[c];
            bmp.push_back(static_cast<unsigned char>(rgb & 0xFF));
            bmp.push_back(static_cast<unsigned char>((rgb >> 8) & 0xFF));
            bmp.push_back(static_cast<unsigned char>((rgb >> 16) & 0xFF));
            written += 3;
        }
        for (; written < stride; ++written)
            bmp.push_back(0);
    }

    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char *>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    if (!out)
        return fail(std::string("cannot write ") + argv[2]);
    return 0;
}
