// The classic generator: one container (dialog, sidebar, form or tab page)
// at a time becomes a builder function, callback stubs and definitions in C,
// C++ or FORTRAN. The build driver calls GenerateFrame once per frame; a
// preview and the Qt element recording join it through BuildHooks.
#pragma once

#include "QORADDON.h"
#include "model/Kinds.h"

#include <cstdio>
#include <string>
#include <vector>

namespace quorvin::builder {

class GeneratedFile;

// The output files of a build; any may be null, and every write to a null
// file is skipped.
struct OutputFiles {
    GeneratedFile *builder = nullptr;           // guibld.c / guibld.cpp / guibld.F
    GeneratedFile *callback = nullptr;          // guicb.tmp
    GeneratedFile *definitionsHeader = nullptr; // GUIDEFS.h / GUIDEFS.INC
    GeneratedFile *definitionsSource = nullptr; // guidefs.c / guidefs.cpp
    GeneratedFile *callbackInclude = nullptr;   // GUICB.INC
};

// One container as the generator sees it (read from the current frame).
struct ContainerInfo {
    FrameKind kind = ModalDialog;
    std::string frameName;
    UniqueID_t frameId = 0;
    int id = -1;        // ID parameter (-1 when absent)
    int group = 0;      // the frame's "LinkGroup" (pages)
    int number = 0;     // ID for dialogs and sidebars, the linking group for pages
    int position = 1;   // POS of a tab page (default 1)
    std::string prefix; // "Dialog", "Sidebar", "Form3_", "Tab3_"
    std::string title;
    bool modeless = false;
    bool okClose = false, cancel = false, help = false, apply = false;
    // The frame's top-left corner and size in screen pixels.
    double x0 = 0, y0 = 0, pixelWidth = 0, pixelHeight = 0;
    // The size in dialog units.
    int width = 0, height = 0;

    bool IsDialog() const { return kind == ModalDialog || kind == ModelessDialog; }
    bool IsPage() const { return kind == FormPage || kind == TabPage; }
    // "Dialog1Manager", "Sidebar2Manager", "Form3_1Manager"; also the parent
    // of the container's controls.
    std::string ManagerName() const { return prefix + std::to_string(number) + "Manager"; }
};

// Kinds of generated controls: the control kinds 0 to 13 and the kinds made
// from geometries and coloured buttons (the same numbers as the element
// types of the Qt trees).
enum ControlType : int {
    kGroupFrame = 14,
    kVertSeparator = 15,
    kHorzSeparator = 16,
    kColoredButton = 17,
    kBitmapToggle = 18,
    kBitmapButton = 19,
};

// One accepted control: everything its creation statement, stubs and
// definitions are written from, and everything a preview or the element tree
// needs. Texts are the designer's own (not escaped).
struct ControlRecord {
    int type = NotAControl;   // ControlKind 0..13 or ControlType
    const char *addName = ""; // the QorGUI%sAdd kind name: "TextField", "Button"...
    std::string identifier;   // empty: no variable (labels without a name, frames, separators)
    std::string text;         // the host text's string (the text of a group frame: its command)
    std::string label;        // label written into the statement (buttons, labels, toggles, frames)
    std::vector<std::string> radioLabels; // at most five
    std::string toolTip;
    bool showLabel = true;
    int group = -1;     // tab and form controls: GROUP
    int colorIndex = 0; // coloured buttons
    // Position and size in dialog units, as written (width override applied,
    // toggles widened); a width or height of 0 is not written.
    int x = 0, y = 0, width = 0, height = 0;
    // Position and size in screen pixels from the frame's top-left corner.
    int pixelX = 0, pixelY = 0, pixelWidth = 0, pixelHeight = 0;
    // Callback base names (without "_CB"): value, or spin value/up/down,
    // tab activate/deactivate, scale value/drag.
    std::string callback, callback2, callback3;
    // Bitmap buttons and toggles.
    Geom_ID geom = nullptr;
    std::string imageFile;
    int bitmapWidth = 0, bitmapHeight = 0;
    bool transparent = false;
    int red = 0, green = 0, blue = 0;
};

// Generates the container of the current frame into the given files: the
// container's standard stubs and definitions, then (BuildHooks.container)
// its creation by a preview or the Qt recording, then its builder function
// head, creation statement, control statements and end. The element
// collector of a Qt build is BuildState.Collector. Returns the container.
ContainerInfo GenerateFrame(const char *frameName, const OutputFiles &files, int32_t language);

// Reads the current frame into a ContainerInfo (kind, numbers, buttons,
// title, size).
ContainerInfo ReadContainer(const char *frameName);

// ---- control statements --------------------------------------------------

// The identifier of each image of the container, in host geometry order
// (empty when it has none: reported once, when its statement would be made).
struct ImageName {
    Geom_ID geom = nullptr;
    std::string identifier;
};

// Writes the statements of every control of the container in tab order.
void EmitControls(const ContainerInfo &container, const std::vector<ImageName> &images,
                  const OutputFiles &files, int32_t language);

// Writes one control: statement, tool tip, extra lines, definitions, stubs.
// parent is the container's ManagerName(), made once for all its controls.
void EmitControl(const ContainerInfo &container, const std::string &parent,
                 const ControlRecord &control, const OutputFiles &files, int32_t language);

// The head of every creation statement: "  id = QorGUI<kind>Add(parent," and
// the x, y, width and height lines (width when above 0, height when above
// 0), and the declarations of the variable.
void EmitAddCall(const OutputFiles &files, const char *kindName, const std::string &variable,
                 int32_t language, int x, int y, int w, int h, const std::string &parent,
                 bool last);
void EmitIntArg(GeneratedFile *file, int32_t language, int value, int indent);
// text null: no string ("(char *)NULL" or "''//char(0)").
void EmitStringArg(GeneratedFile *file, int32_t language, const std::string *text, int indent,
                   bool last);
// name null: no callback ("NULL" or "NULLPTRVAR"); suffix null: none.
void EmitCallbackArg(GeneratedFile *file, int32_t language, const std::string *name,
                     const char *suffix, int indent, bool last);
void EmitToolTip(GeneratedFile *file, const std::string &toolTip, const std::string &name,
                 int32_t language);

// Moves a control that lies beyond the frame's top or left edge (or a
// captioned group frame whose caption would) back inside. The first clip of a
// container shows the warning and clears warnOnce.
void ClipToDialog(int &x, int &y, bool &warnOnce, bool labelled);

// The next toggle label of a radio box or toggle text from cursor (an offset
// into text, moved past the label). False at the end of the list; reports
// "Invalid Radio box toggle label" when text remains without a marker.
bool NextRadioLabel(const std::string &text, size_t &cursor, std::string &label);

// ---- callback stubs --------------------------------------------------------

enum StubKind : int { kStubVoid = 0, kStubInt = 1, kStubText = 2, kStubColor = 3 };

void WriteStubHeader(const std::string &baseName, const OutputFiles &files, StubKind kind,
                     int32_t language, bool lock);
void WriteStubEnd(const OutputFiles &files, int32_t language, bool lockFinish, bool returnValue);
// Help, close, cancel, OK and apply stubs of a dialog (before its other stubs).
void WriteDialogButtonStubs(const ContainerInfo &container, const OutputFiles &files,
                            int32_t language);
void WriteSidebarStubs(const ContainerInfo &container, const OutputFiles &files, int32_t language);
void WriteDialogInitStub(const ContainerInfo &container, const OutputFiles &files,
                         int32_t language);
// The stubs of one control, in the order of its callback arguments.
void WriteControlStubs(const ControlRecord &control, const OutputFiles &files, int32_t language);

// ---- definitions, file heads and bitmap data ------------------------------

void WriteFileHeader(GeneratedFile *file, int32_t language);
// InitDLB at the end of the builder file; the FORTRAN form walks every frame.
void WriteInitDlb(GeneratedFile *builder, int32_t language);
// The data arrays of the container's bitmap buttons and toggles (host
// geometry order); images without an identifier get none.
void WriteBitmapData(int32_t language, const std::vector<ImageName> &images,
                     GeneratedFile *builder);

} // namespace quorvin::builder
