#include "image/builtin_pictures.h"

#include <cstring>

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// A bottom-up BI_RGB BMP file of an indexed picture given as one index per pixel, top row first.
std::vector<uint8_t> MakeIndexedBmp(int w, int h, int bits, const std::vector<uint32_t>& table,
                                    const std::vector<uint8_t>& indices) {
    int stride = ((w * bits + 31) / 32) * 4;
    uint32_t off = 14 + 40 + uint32_t(table.size()) * 4;
    std::vector<uint8_t> v;
    v.push_back('B');
    v.push_back('M');
    Put32(v, off + uint32_t(stride * h));
    Put32(v, 0);
    Put32(v, off);
    Put32(v, 40);
    Put32(v, uint32_t(w));
    Put32(v, uint32_t(h));
    Put16(v, 1);
    Put16(v, uint32_t(bits));
    Put32(v, 0);
    Put32(v, uint32_t(stride * h));
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, uint32_t(table.size()));
    Put32(v, 0);
    for (uint32_t c : table)
        Put32(v, c & 0x00FFFFFF);
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(stride), 0);
        for (int x = 0; x < w; ++x) {
            uint8_t i = indices[size_t(y * w + x)];
            if (bits == 1)
                row[size_t(x / 8)] |= uint8_t((i & 1) << (7 - x % 8));
            else if (bits == 4)
                row[size_t(x / 2)] |= uint8_t((x & 1) ? (i & 15) : (i << 4));
            else
                row[size_t(x)] = i;
        }
        v.insert(v.end(), row.begin(), row.end());
    }
    return v;
}

std::vector<uint8_t> MakeErrorPicture() {
    const int n = 32;
    std::vector<uint8_t> px(size_t(n * n), 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            bool frame = x < 2 || y < 2 || x >= n - 2 || y >= n - 2;
            bool cross = (x - y >= -1 && x - y <= 1) || (x + y >= n - 2 && x + y <= n);
            if (frame || cross)
                px[size_t(y * n + x)] = 1;
            else if ((x + y) % 4 == 0)
                px[size_t(y * n + x)] = 2;
        }
    // 0 background (transparent through Palette number 0), 1 red, 2 dark red hatching.
    return MakeIndexedBmp(n, n, 4, {0x000000, 0xFF2020, 0x601010}, px);
}

std::vector<uint8_t> MakeLabelBitmap() {
    // 5 x 7 digits, one byte per row, bit 4 = leftmost column.
    static const uint8_t kDigits[10][7] = {
        {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
        {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
        {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
        {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
        {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
    };
    const int w = kLabelCellWidth * 10, h = kLabelCellHeight;
    std::vector<uint8_t> px(size_t(w * h), 0);
    for (int d = 0; d < 10; ++d)
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 5; ++c)
                if (kDigits[d][r] & (0x10 >> c)) px[size_t((r + 1) * w + d * kLabelCellWidth + c + 1)] = 1;
    return MakeIndexedBmp(w, h, 1, {0x000000, 0xFFFFFF}, px);
}

} // namespace

const std::vector<uint8_t>* BuiltinBitmapResource(const std::string& name) {
    static const std::vector<uint8_t> error = MakeErrorPicture();
    static const std::vector<uint8_t> label = MakeLabelBitmap();
    if (name == "BITMAP_ERCELL") return &error;
    if (name == "BITMAP_LABEL") return &label;
    return nullptr;
}
