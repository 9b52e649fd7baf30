#pragma once

// What a change touched, as a bit set.
enum eDocChange : unsigned {
    kDocCells = 0x01,    // cells, frames or frame intervals
    kDocLock = 0x02,     // the cell-to-picture lock table
    kDocPictures = 0x04, // the picture table
    kDocEffects = 0x08,  // the effect table
    kDocProject = 0x10,  // settings, texts, the cell number
    kDocHistory = 0x20,  // what Undo and Redo offer, or the saved state (the modified flag)
};
