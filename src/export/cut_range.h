#pragma once
// "Auto" of the export windows: the cut range that holds every cell of every frame.

class cPictureSlotTable;
class cProject;

struct strCutRange {
    int left = 0, top = 0, width = 0, height = 0;
};

// Over all cells of all frames (cells whose picture or pattern is not valid are left out), the four
// corners of each cell's drawn quad (the sprite geometry, in animation coordinates); the minimum and
// maximum start at 0, so the range always holds the origin. Left = floor(min x) - 1, top =
// floor(min y) - 1, width and height reach ceil(max) + 1. False (range unchanged) when minimum and
// maximum all stay 0.
bool ComputeAutoCutRange(const cProject& doc, const cPictureSlotTable& slots, strCutRange& range);
