// The Preview command: the dialog or sidebar of the current frame, with its
// form and tab pages, made live through the host's GUI API by the build
// driver with the preview flag set. Nothing is written and nothing saved.
#pragma once

#include "QORADDON.h"

namespace quorvin::builder {

struct ContainerInfo;
struct ControlRecord;

// The tool dialog's Preview command (the caller holds the add-on lock).
// Refuses a form or tab page; drops the previous preview dialog when it is
// still up; then builds the preview.
void PreviewCommand();

// The parts of a preview that join the build driver and the generator: the
// frame walk, each container's creation, each control's creation and the
// end of a container. They do nothing unless a preview is being built.
void PreviewWalk();
void PreviewContainer(const ContainerInfo &container);
void PreviewControl(const ContainerInfo &container, const ControlRecord &control);
void PreviewContainerEnd(const ContainerInfo &container);

// Limits of the preview's own tables.
constexpr int kPreviewParentStackSize = 128;
constexpr int kPreviewPageTableSize = 1024; // indexed by page ID x 32 + link group

// The title the next sidebar preview gets is "<title> [Preview n]" with this
// n (1 when the add-on has loaded).
int SidebarPreviewNumber();
// Back to the state of a freshly loaded add-on (tests: a fresh host).
void ResetPreviewState();

} // namespace quorvin::builder
