#pragma once
// The inverse mapping of a drawn quad: which target pixels a scaled and rotated w x h texture covers
// and which texel each of them takes. Every raster path of the drawing device uses it, so they agree
// on coverage and sampling to the bit.
//
// Along target row j the texel coordinates of column i are lx(i) = bx + ax * i and
// ly(i) = by + ay * i, evaluated in double precision exactly in this form (no fused multiply-add).
// Sampling rule: a pixel centre is nudged right, and by far less down, before it is tested. So a
// centre on the quad's left or top edge is inside and one on its right or bottom edge outside, and
// a centre on a texel boundary takes the texel to its right or below on screen. Mirrored and turned
// quads therefore cover the same pixels as the plain one, with the texels mirrored about the
// pattern's centre. In texel terms an axis whose coordinate grows with the nudge ("forward") takes
// floor(l) for l in [0, n); one that shrinks takes ceil(l) - 1 for l in (0, n].

namespace render {

// The texel index t of coordinate l on an axis of n texels; false when l is outside.
inline bool TexelOf(double l, int n, bool forward, int& t) {
    if (forward) {
        if (!(l >= 0 && l < n)) return false;
        t = int(l);
    } else {
        if (!(l > 0 && l <= n)) return false;
        t = int(l);
        if (double(t) == l) --t;
    }
    return true;
}

struct strQuadMapping {
    int w = 0, h = 0;      // texture size in texels
    double ax = 0, ay = 0; // change of lx and ly from one column to the next
    bool forwardX = true, forwardY = true;
    int rowLo = 0, rowHi = -1; // rows that may be covered (a superset)
    int colLo = 0, colHi = -1; // columns that may be covered (a superset)

    // bx and by of row j.
    void row(int j, double& bx, double& by) const {
        const double dy = j - cy_;
        bx = (-cx_ * c_ + dy * s_) / sx_ + w / 2.0;
        by = (cx_ * s_ + dy * c_) / sy_ + h / 2.0;
    }
    // Columns [i0, i1] of row (bx, by) that may be covered, a superset of the covered ones within
    // colLo..colHi; false when none can be.
    bool span(double bx, double by, int& i0, int& i1) const;
    // Whether column i of row (bx, by) is covered, and its texel.
    bool texel(double bx, double by, int i, int& tx, int& ty) const {
        return TexelOf(bx + ax * i, w, forwardX, tx) && TexelOf(by + ay * i, h, forwardY, ty);
    }

    double cx_ = 0, cy_ = 0, c_ = 1, s_ = 0, sx_ = 1, sy_ = 1;
};

// The mapping of a w x h texture centred at (cx, cy) in target pixel coordinates (pixel centres at
// integers), scaled by (sx, sy) about its centre and turned clockwise by angleDegrees (an angle of
// at most 0.000001 radians counts as none), on a target of targetW x targetH. False when it covers
// nothing: a zero or non-finite scale or position, or a quad off the target.
bool MapQuad(int w, int h, double cx, double cy, double sx, double sy, double angleDegrees, int targetW,
             int targetH, strQuadMapping& m);

} // namespace render
