#pragma once
// Division of a picture into equal patterns: the grid, the rectangle of a
// pattern, the hit test and the texture coordinates. Pattern indices here are 0-based.

#include <cstdint>

inline constexpr int kMaxPatternCount = 10000;

struct strRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const strRect&) const = default;
};

struct strPatternGrid {
    int cellWidth = 0, cellHeight = 0;
    int columns = 0, rows = 0;
    int count = 0;
    bool operator==(const strPatternGrid&) const = default;
};

// Computes the grid of a width x height picture from the numbers a, b: cell size a x b when
// byWidth, else a x b sheets. False (grid zeroed) on no size, a or b below 1, or a pattern count
// outside 1..kMaxPatternCount.
bool ComputePatternGrid(int width, int height, int a, int b, bool byWidth, strPatternGrid& grid);

// Rectangle of pattern k; false (rect zeroed) when k is outside 0..count-1.
bool PatternRect(const strPatternGrid& grid, int k, strRect& rect);

// The pattern under (x, y), or -1.
int PatternHitTest(const strPatternGrid& grid, int x, int y);

// Texture coordinates of pattern k on a width x height picture (single precision). With no picture
// (or no grid) origin (0, 0) and extent (1, 1), and false.
bool PatternUv(const strPatternGrid& grid, int width, int height, int k, float origin[2], float extent[2]);
