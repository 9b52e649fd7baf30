#pragma once
// What an RPG Maker product cannot hold of a document: the losses of an export through the 2000,
// XP / VX / VX Ace or MV mapping, counted by kind, so that whoever exports (a clipboard export, a
// write into a game's database) can say what was left out or changed.
//
// Each count follows the mapping's own rules: frames past the frame limit, cells past the cell
// limit of a frame (only in the frames that are written), and so on. A document that the product
// holds whole gives no loss.

#include "document/messages.h"

#include <string>
#include <vector>

class cProject;

namespace interchange {

enum eExportLoss : int {
    kLossFrames,        // frames past the product's frame limit
    kLossCells,         // cells past the cell limit of a frame
    kLossPictures,      // picture slots the product has no place for
    kLossCellPictures,  // cells on a picture the product cannot name (drawn with another)
    kLossPatterns,      // patterns past the product's pattern range
    kLossTones,         // cells with a colour tone or saturation
    kLossAngles,        // cells turned (the product has no rotation)
    kLossMirror,        // mirrored cells the product cannot mirror
    kLossMagnification, // cells with different x and y magnifications (one zoom is kept)
    kLossZoomRange,     // cells whose zoom is outside the product's range
    kLossBlend,         // cells with a drawing method the product does not have
    kLossHue,           // pictures with a hue
    kLossTimings,       // effects past the product's timing limit
    kLossUserData,      // effects whose user data the product cannot hold
    kLossFlashDuration, // flashes whose duration the product cannot hold
    kLossFlashHide,     // "no colour" flashes (hide the target) the product has not
    kLossBalance,       // sounds panned off centre
};

struct strExportLoss {
    eExportLoss kind = kLossFrames;
    int count = 0; // how many frames, cells, pictures or effects
    int limit = 0; // the product's limit, where the kind has one

    bool operator==(const strExportLoss&) const = default;
};

// The losses of exporting doc for product 0 (2000), 2 (XP), 3 (VX), 4 (VX Ace) or 5 (MV), in the
// order of the enumeration; empty when the product holds the document whole (and for another
// product code).
std::vector<strExportLoss> ExportLosses(const cProject& doc, int product);

// The loss as a message of the document table, for the user's language: "12 frames past the limit
// of 200 left out".
strMessage ExportLossMessage(const strExportLoss& loss);
// Its English text.
std::string DescribeExportLoss(const strExportLoss& loss);

} // namespace interchange
