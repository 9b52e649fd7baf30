#include "image/pattern_grid.h"

#include <algorithm>

bool ComputePatternGrid(int width, int height, int a, int b, bool byWidth, strPatternGrid& grid) {
    grid = {};
    if (width < 1 || height < 1 || a < 1 || b < 1) return false;
    strPatternGrid g;
    if (byWidth) {
        g.cellWidth = a;
        g.cellHeight = b;
    } else {
        g.cellWidth = std::max(width / a, 1);
        g.cellHeight = std::max(height / b, 1);
    }
    g.columns = width / g.cellWidth;
    g.rows = height / g.cellHeight;
    int64_t count = int64_t(g.columns) * g.rows;
    if (count < 1 || count > kMaxPatternCount) return false;
    g.count = int(count);
    grid = g;
    return true;
}

bool PatternRect(const strPatternGrid& grid, int k, strRect& rect) {
    rect = {};
    if (k < 0 || k >= grid.count || grid.columns < 1) return false;
    rect.left = (k % grid.columns) * grid.cellWidth;
    rect.top = (k / grid.columns) * grid.cellHeight;
    rect.right = rect.left + grid.cellWidth;
    rect.bottom = rect.top + grid.cellHeight;
    return true;
}

int PatternHitTest(const strPatternGrid& grid, int x, int y) {
    if (grid.count < 1 || grid.cellWidth < 1 || grid.cellHeight < 1) return -1;
    if (x < 0 || y < 0) return -1; // truncating division would put -1..-cell+1 into column 0
    int col = x / grid.cellWidth, row = y / grid.cellHeight;
    if (col >= grid.columns || row >= grid.rows) return -1;
    int k = row * grid.columns + col;
    return k < grid.count ? k : -1;
}

bool PatternUv(const strPatternGrid& grid, int width, int height, int k, float origin[2], float extent[2]) {
    origin[0] = origin[1] = 0.0f;
    extent[0] = extent[1] = 1.0f;
    if (width < 1 || height < 1 || grid.columns < 1 || k < 0 || k >= grid.count) return false;
    origin[0] = float(k % grid.columns) * float(grid.cellWidth) / float(width);
    origin[1] = float(k / grid.columns) * float(grid.cellHeight) / float(height);
    extent[0] = float(grid.cellWidth) / float(width);
    extent[1] = float(grid.cellHeight) / float(height);
    return true;
}
