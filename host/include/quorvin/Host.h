// The reference host: an in-memory Quorvin workspace behind the add-on SDK,
// and the driving API that tests and the qgb tool use to act as a user would.
//
// The SDK is a set of C functions without a context argument, so the host is
// one process-wide object (Host::instance()). reset() returns it to a fresh,
// empty state between tests.
#pragma once

#include "QORADDON.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvin::host {

// ---------------------------------------------------------------------------
// Workspace model (read access for tests; specs for building workspaces).

struct TextSpec {
    std::string string;
    std::string command; // macro-function command; empty means none
    CoordSys_e coordSys = CoordSys_Frame;
    double x = 50, y = 50;
    Units_e sizeUnits = Units_Point;
    double height = 12;
    double angle = 0;
    int32_t anchor = 0;
    int32_t font = 1;
    ColorIndex_t color = 0;
    TextBox_e boxType = TextBox_None;
    double margin = 20;
    ColorIndex_t boxColor = 0;
    ColorIndex_t fillColor = 9;
    double lineThickness = 0.1;
    double lineSpacing = 1.0;
    int32_t scope = 1;
};

struct Point2 {
    double x = 0, y = 0;
};

struct GeomSpec {
    GeomType_e type = GeomType_Rectangle;
    CoordSys_e coordSys = CoordSys_Frame;
    double x = 0, y = 0, z = 0; // anchor
    std::string command;
    double width = 0, height = 0; // rectangle; image (height follows the aspect ratio)
    std::vector<std::vector<Point2>> polylines; // line geometries, relative to the anchor
    std::string imageFile;                      // image: BMP or PNG file read at creation
};

struct Text {
    uint64_t handle = 0; // value behind Text_ID
    TextSpec spec;
};

// RGB pixels, 3 bytes a pixel, rows from the top. An image file is decoded
// once when a layout loads; every geometry that shows it shares the pixels.
class SharedPixels {
  public:
    SharedPixels() = default;
    explicit SharedPixels(std::shared_ptr<const std::vector<unsigned char>> bytes)
        : bytes_(std::move(bytes)) {}
    size_t size() const { return bytes_ ? bytes_->size() : 0; }
    bool empty() const { return size() == 0; }
    const unsigned char *data() const { return bytes_ ? bytes_->data() : nullptr; }
    const unsigned char *begin() const { return data(); }
    const unsigned char *end() const { return data() + size(); }
    const std::vector<unsigned char> *get() const { return bytes_.get(); }

  private:
    std::shared_ptr<const std::vector<unsigned char>> bytes_;
};

struct Geom {
    uint64_t handle = 0; // value behind Geom_ID
    GeomSpec spec;
    int32_t drawOrder = 0;
    // images
    int32_t pixelWidth = 0, pixelHeight = 0;
    SharedPixels rgb;
};

struct FrameSpec {
    std::string name;                              // empty: the host names it "Frame N"
    double x = 1, y = 0.25, width = 9, height = 8; // paper inches
    int32_t linkGroup = 0;
    bool linkSizeAndPosition = false;
    bool showHeader = true;           // frame layout: header shown
    ColorIndex_t backgroundColor = 7; // frame layout: background colour (white)
};

struct Frame {
    UniqueID_t uniqueId = 0;
    FrameSpec spec;
    std::vector<Text> texts;
    std::vector<Geom> geoms;
};

// ---------------------------------------------------------------------------
// GUI records: every dialog, sidebar, control and menu made through QorGUI.

struct GuiControl {
    GUIInt_t id = BADDIALOGID;
    GUIInt_t parent = BADDIALOGID; // dialog, sidebar, tab page or form page
    std::string kind; // "TextField", "Text", "SpinTextField", "List", "Scale", "OptionMenu",
                      // "Button", "ColoredButton", "RadioBox", "Toggle", "Label",
                      // "BitmapButton", "BitmapToggle", "Frame", "HorzSeparator",
                      // "VertSeparator", "Form", "Tab", "TabPage", "FormPage",
                      // "MenuBar", "Menu", "MenuItem", "MenuSeparator"
    GUIInt_t x = 0, y = 0, width = 0, height = 0;
    std::vector<std::string> labels; // label, title, radio labels, menu label
    std::string helpText;            // menu items
    std::string toolTip;
    std::string optionList;
    bool sensitive = true;
    bool readOnly = false, multiSelection = false;
    GUIInt_t scaleMin = 0, scaleMax = 0, decimals = 0;
    bool numericDisplay = true;
    ColorIndex_t color = 0;
    GUIInt_t bitmapWidth = 0, bitmapHeight = 0;
    std::vector<unsigned char> bitmap;
    bool useTransparentColor = false;
    GUIInt_t transparentRed = 0, transparentGreen = 0, transparentBlue = 0;
    // values
    GUIInt_t intValue = 0;   // toggle (0/1), radio box (1-based), list, scale, option
    std::string stringValue; // text fields
    // callbacks
    QorGUIVoidCallback_pf voidCallback = nullptr;  // buttons, menu items, spin up
    QorGUIVoidCallback_pf voidCallback2 = nullptr; // spin down
    QorGUIIntCallback_pf intCallback = nullptr;    // value changed, tab activate
    QorGUIIntCallback_pf intCallback2 = nullptr;   // scale drag, tab deactivate
    QorGUITextCallback_pf textCallback = nullptr;  // text fields, spin value
};

struct GuiDialog {
    GUIInt_t id = BADDIALOGID;
    std::string kind; // "Modal", "Modeless", "Sidebar"
    GUIInt_t parent = BADDIALOGID;
    GUIInt_t width = 0, height = 0;
    std::string title;
    AddOn_pa addOn = nullptr; // sidebars: the registering add-on
    bool up = false;
    bool active = false; // sidebars
    QorGUIVoidCallback_pf init = nullptr, ok = nullptr, apply = nullptr, cancel = nullptr,
                          help = nullptr, close = nullptr, activate = nullptr, deactivate = nullptr;
    std::vector<GUIInt_t> controls; // in creation order, pages' controls included
    GUIInt_t menuBar = BADDIALOGID;
    bool applySensitive = true;
};

// ---------------------------------------------------------------------------
// Messages shown through the SDK, in order.

struct Message {
    enum class Call { ErrMsg, MessageBox, PleaseWait, Help };
    Call call = Call::ErrMsg;
    MessageBoxType_e boxType = MessageBox_Error; // MessageBox only
    std::string text;
    bool answer = true; // questions: what was answered; please-wait: on (true) or off
    // Where the add-on was when it showed the message during a command: the
    // current frame, and the text or geometry of that frame its last SDK call
    // was about (0 when none, or when that call ended a walk of the frame's
    // objects).
    UniqueID_t frame = 0;
    uint64_t textHandle = 0;
    uint64_t geomHandle = 0;
};

// ---------------------------------------------------------------------------

class Host {
  public:
    static Host &instance();

    // Fresh host: empty workspace, no add-on, no GUI, no messages, no faults,
    // version 1000300, layout never saved. Resources still live are freed.
    // Handles and unique IDs are never reused, not even across a reset.
    void reset();

    // ---- configuration
    void setVersion(int32_t version);
    int32_t version() const;

    // ---- layouts (JSON; see docs/layout-format.md)
    // Loading validates the whole file first; on error *error names the file,
    // the place and the problem and the workspace is unchanged. Sends state 6.
    bool loadLayout(const std::string &path, std::string *error);
    // Atomic (temporary file, then rename); canonical bytes.
    bool saveLayout(const std::string &path, std::string *error);
    // The layout file name (empty: never saved).
    std::string layoutFileName() const;
    // Names the layout as "save as" would, without writing it; sends nothing.
    void setLayoutFileName(const std::string &path);
    // Makes the next QorUtilSaveLayout fail (tests of the save-error path).
    void failNextSave(bool fail);

    // ---- building and reading the workspace directly (no state changes)
    UniqueID_t addFrame(const FrameSpec &spec); // becomes current
    Text_ID addText(const TextSpec &spec);      // in the current frame
    Geom_ID addGeom(const GeomSpec &spec);      // in the current frame; 0 on failure
    // A snapshot, bottom of the stack first, current last; the next call
    // refreshes the same vector.
    const std::vector<Frame> &frames() const;
    // The frames' unique IDs in the same order, without copying the frames.
    std::vector<UniqueID_t> frameIds() const;
    const Frame *currentFrame() const;
    const Frame *findFrame(UniqueID_t id) const;
    const Text *findText(Text_ID text) const;
    const Geom *findGeom(Geom_ID geom) const;
    bool makeCurrent(UniqueID_t id); // pops the frame to the top

    // ---- the add-on
    // Loads the module with dlopen and calls its InitQorAddOn113.
    bool loadAddOnModule(const std::string &path, std::string *error);
    // Calls an entry point linked into the process (in-process tests).
    void startAddOn(void (*initQorAddOn113)());
    struct Registration {
        AddOn_pa handle = nullptr;
        int32_t baseVersion = 0;
        std::string name, version, author;
    };
    const std::vector<Registration> &registrations() const;
    struct MenuOption {
        std::string menu, label;
        char mnemonic = 0;
        DynamicMenuCallback_pf callback = nullptr;
    };
    const std::vector<MenuOption> &menuOptions() const;
    size_t stateChangeCallbackCount() const;

    // ---- acting as the user (each action is one host command: lock balance
    // is judged when it returns). On failure *error says why; no command ran.
    bool chooseMenuOption(const std::string &menu, const std::string &label, std::string *error);
    // A button, toggle or menu item of any dialog that is up, found by label
    // or tool tip; a menu item may be given as a path "Layout/Align/Left".
    bool press(const std::string &labelOrToolTip, std::string *error);
    bool pressControl(GUIInt_t control, std::string *error);
    bool pressDialogButton(GUIInt_t dialog,
                           const std::string &which /* OK Cancel Apply Help Close */,
                           std::string *error);
    bool setToggle(GUIInt_t control, bool value, std::string *error);
    bool setRadioBox(GUIInt_t control, GUIInt_t which, std::string *error);
    bool setTextField(GUIInt_t control, const std::string &value, std::string *error);
    // Picking: the pick list is replaced (or extended) and state 28 is sent.
    bool pickText(Text_ID text, bool add, std::string *error);
    bool pickGeom(Geom_ID geom, bool add, std::string *error);
    bool pickFrame(UniqueID_t frame, std::string *error); // also makes it current
    void clearPicks();
    // Moves or resizes the current frame as the user does (state 7).
    bool setFramePosAndSize(double x, double y, double width, double height, std::string *error);
    void sendStateChange(StateChange_e code);

    // ---- authoring: editing the workspace as the user does in the host's own
    // editors. Each call is one command. Positions and sizes are paper inches
    // (x right, y down from the paper's top left), converted to the object's
    // own coordinate system. A bad handle, a non-finite or non-positive value,
    // or a size for a geometry that has none returns false with *error saying
    // why and changes nothing. Text changes send state 35 (texts changed);
    // geometry and frame-name changes send nothing (the SDK has no code for
    // them), as the host's own editors do.
    // The text's position (its anchor point) moves to (x, y).
    bool placeText(Text_ID text, double x, double y, std::string *error);
    // The text's height in points (size units become points).
    bool sizeText(Text_ID text, double heightPoints, std::string *error);
    bool setTextString(Text_ID text, const std::string &string, std::string *error);
    bool setTextCommand(Text_ID text, const std::string &command, std::string *error);
    // The geometry's anchor moves to (x, y); z is kept.
    bool placeGeom(Geom_ID geom, double x, double y, std::string *error);
    // Rectangles take width and height; images take the width (their height
    // follows the picture's aspect ratio, the height given is ignored).
    bool sizeGeom(Geom_ID geom, double width, double height, std::string *error);
    bool setGeomCommand(Geom_ID geom, const std::string &command, std::string *error);
    bool setFrameName(UniqueID_t frame, const std::string &name, std::string *error);
    // ---- end of authoring
    // Runs queued idle callbacks (each once); returns how many ran.
    int runIdle();
    // How many idle callbacks are queued (a front end's idle hook asks).
    size_t idlePending() const;
    void quit(); // state 15

    // ---- answers for questions, file choosers and the colour chooser
    void queueAnswer(bool yes);
    void queueFileName(std::optional<std::string> fileName); // nullopt: cancel
    void queueColor(std::optional<ColorIndex_t> color);

    // ---- GUI records
    const std::map<GUIInt_t, GuiDialog> &dialogs() const;
    const std::map<GUIInt_t, GuiControl> &controls() const;
    const GuiDialog *findDialog(GUIInt_t id) const;
    const GuiDialog *findDialogByTitle(const std::string &title) const;
    const GuiControl *findControl(GUIInt_t id) const;
    // First control of a dialog (pages included) with this label or tool tip.
    const GuiControl *findControlByLabel(GUIInt_t dialog, const std::string &labelOrToolTip) const;

    // ---- what happened
    const std::vector<Message> &messages() const;
    void clearMessages();
    // Called as each message is shown (qgb prints them at once).
    void setMessageObserver(std::function<void(const Message &)> observer);
    // Every SDK call by name, in order (only while recording is on).
    void recordCalls(bool on);
    const std::vector<std::string> &calls() const;
    // Faults: invalid handles, double frees, unbalanced locks, unanswered
    // questions, unknown macro commands...
    const std::vector<std::string> &faults() const;
    void clearFaults();
    // Live host resources.
    size_t liveStrings() const;
    std::map<std::string, size_t> liveStringsByTag() const;
    size_t liveSets() const;
    size_t liveStringLists() const;
    size_t liveArgLists() const;
    bool lockHeld() const;
    bool drawingOn() const;
    // Files the add-on opened through the host are none: file access of the
    // add-on is its own. Help and please-wait calls are recorded as messages;
    // questions, file choosers and the colour chooser take the queued answers.

    // ---- the desktop studio (StudioDriving.cpp) --------------------------
    // What a front end with a screen needs beyond the scripted driving above:
    // the pick list to draw, questions and choosers answered by a person when
    // nothing was queued, and whole-workspace snapshots for undo.
    struct PickedObject {
        PickObjects_e type = PickObject_None;
        UniqueID_t frame = 0;
        uint64_t handle = 0; // text or geometry; 0 for a frame
    };
    std::vector<PickedObject> pickList() const;
    // Asked when a question, file chooser or colour chooser finds no queued
    // answer; the answer given is used as if it had been queued. Without a
    // prompter (the default) an unanswered one stays a fault.
    struct Prompter {
        std::function<bool(const std::string &text, MessageBoxType_e type)> question;
        // nullopt: cancelled
        std::function<std::optional<std::string>(
            SelectFileOption_e option, const std::string &typeName, const std::string &defaultName,
            const std::string &filter)>
            fileName;
        std::function<std::optional<ColorIndex_t>()> color;
    };
    void setPrompter(Prompter prompter);
    // The frames (bottom first) and which is current; restore() puts them
    // back with their unique IDs and handles, empties the pick list and sends
    // nothing (a front end restores between commands, never during a walk).
    struct WorkspaceSnapshot {
        std::vector<Frame> frames;
    };
    WorkspaceSnapshot snapshotWorkspace() const;
    void restoreWorkspace(const WorkspaceSnapshot &snapshot);
    // ---- end of the studio block --------------------------------------------

  private:
    Host();
    ~Host();
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;

  public:
    struct Impl;  // the host's state (host/src only)
    Impl &impl(); // for the SDK implementation files

  private:
    Impl *impl_;
};

} // namespace quorvin::host
