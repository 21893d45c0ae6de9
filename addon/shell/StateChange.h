// Reactions to the host's state changes: "dlb.cfg" follows the layout file,
// controls stay anchored to the paper while their frame is resized, the host
// objects are freed at quit, and one idle callback per burst of notifications
// brings the tool dialog's sensitivity up to date.
#pragma once

#include "QORADDON.h"

namespace quorvin::builder {

// One remembered control position, in paper coordinates.
struct AnchorRecord {
    bool IsText = false;
    Text_ID Text = nullptr;
    Geom_ID Geom = nullptr;
    GeomType_e GeomType = GeomType_LineSegs;
    double X = 0, Y = 0;
    double Width = 0;  // images and rectangles
    double Height = 0; // rectangles
};

constexpr int kMaxAnchorRecords = 512;

struct AnchorTableT {
    AnchorRecord Records[kMaxAnchorRecords];
    int Count = 0;
    double FrameWidth = 0, FrameHeight = 0;
    // Where the frame was when the records were last brought up to date.
    double FrameX = 0, FrameY = 0;
    // The frame the records belong to; only its resizing moves them.
    UniqueID_t FrameId = 0;
};

extern AnchorTableT AnchorTable;
extern bool IdlePending;

// Back to the state before start-up (nothing captured, no idle pending, not
// quit).
void ResetStateChangeState();
// True after the quit notification: the add-on's host objects are gone.
bool AddOnHasQuit();

// The host's state-change callback; the argument is not used.
void OnStateChange(StateChange_e code, ArbParam_t argument);
// The idle callback; its client data is not used.
void OnIdle(ArbParam_t clientData);

// Capture (a frame picked alone) and re-anchor (the frame resized).
void CaptureAnchors();
void ReanchorControls();

} // namespace quorvin::builder
