#pragma once
// The actor-side view: an animation played on an actor in a side-view battle is shown mirrored left
// to right around the target (the animation's origin). Each cell's x is negated, the cell is flipped
// (magnification x negated) and turns the other way (angle negated); the target picture is flipped
// and its offset negated too, so the whole composition is the plain one mirrored around x = 0.
// Nothing of the document changes: the composer mirrors the cells it draws.

#include "render/frame_composer.h"

struct strCell;

// The cell as the actor side shows it. Values that have no negation in their field (-32768) are held
// to the field's range.
void MirrorCellForActorSide(strCell& cell);
// The capture area that shows, mirrored, what `area` shows plain (left and right mirrored around 0).
strCaptureArea MirrorAreaForActorSide(const strCaptureArea& area);
