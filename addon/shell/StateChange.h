// Reactions to the host's state changes: "dlb.cfg" follows the layout file,
// controls stay anchored to the paper while their frame is resized, the host
// objects are freed at quit, and one idle callback per burst of notifications
// brings the tool dialog's sensitivity up to date.
#pragma once

#include "QORADDON.h"
#include "model/Settings.h"

namespace quorvin::builder {

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
