// Internal state of the reference host, shared by the files that implement
// the SDK functions and the driving API. Nothing here is visible to add-ons.
#pragma once

#include "quorvin/Host.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvin::host {

// Screen pixels per paper inch (the host's fixed zoom).
constexpr double kScreenDpi = 96.0;
// Registered sidebars the host can hold; further registrations are refused.
constexpr int kMaxSidebars = 8;
// Images larger than this on a side are refused (docs/reference-host.md).
constexpr int kMaxImageSide = 4096;
// Colour indices 0..63: 8 basic colours, then 56 custom ones.
constexpr int kColorCount = 64;

// A rectangle on the paper, in inches, y down.
struct PaperBox {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// Where each live text or geometry is, by handle: its frame and its place
// in the frame's list. Handles are issued in steps of 0x10 and never reused,
// so a handle's number is an index into one flat array; the array starts at
// the first handle it ever held, and again after it was emptied.
class HandleSlots {
  public:
    struct Slot {
        Frame *frame = nullptr; // null: no live object
        size_t index = 0;
    };
    const Slot *find(uint64_t handle) const {
        const size_t i = indexOf(handle);
        return i < slots_.size() && slots_[i].frame ? &slots_[i] : nullptr;
    }
    void set(uint64_t handle, Slot slot) {
        if (live_ == 0) {
            slots_.clear();
            base_ = handle;
        }
        const size_t i = indexOf(handle);
        if (i >= slots_.size()) {
            if (handle < base_) // below the array: start it again from here
                return rebase(handle, slot);
            slots_.resize(i + 1);
        }
        live_ += slots_[i].frame ? 0 : 1;
        slots_[i] = slot;
    }
    void erase(uint64_t handle) {
        const size_t i = indexOf(handle);
        if (i < slots_.size() && slots_[i].frame) {
            slots_[i] = Slot{};
            --live_;
        }
    }
    void reserve(size_t more) { slots_.reserve(slots_.size() + more); }
    size_t size() const { return live_; }

  private:
    static constexpr uint64_t kStep = 0x10;
    size_t indexOf(uint64_t handle) const {
        if (handle < base_ || (handle - base_) % kStep != 0)
            return SIZE_MAX;
        return static_cast<size_t>((handle - base_) / kStep);
    }
    void rebase(uint64_t handle, Slot slot) {
        const size_t shift = static_cast<size_t>((base_ - handle) / kStep);
        slots_.insert(slots_.begin(), shift, Slot{});
        base_ = handle;
        slots_[0] = slot;
        ++live_;
    }
    std::vector<Slot> slots_;
    uint64_t base_ = 0;
    size_t live_ = 0;
};

// The strings handed out to add-ons, by address: what they were allocated
// for and their size. Strings are asked for and freed by the hundred
// thousand, most of them at once, so the few live ones sit in one small open
// table (linear probing, deletion by shifting back) with no allocation per
// string.
class StringTable {
  public:
    struct Record {
        const char *tag = ""; // a literal, or one of Impl::stringTags
        size_t size = 0;
    };
    void insert(const char *s, Record record) {
        if ((live_ + 1) * 2 > keys_.size())
            grow();
        size_t i = home(s);
        while (keys_[i] && keys_[i] != s)
            i = (i + 1) & mask();
        live_ += keys_[i] ? 0 : 1;
        keys_[i] = s;
        records_[i] = record;
    }
    // False when the string is not live.
    bool erase(const char *s) {
        if (keys_.empty())
            return false;
        size_t i = home(s);
        while (keys_[i] != s) {
            if (!keys_[i])
                return false;
            i = (i + 1) & mask();
        }
        // Moves back every key after the hole that may sit there.
        for (size_t next = (i + 1) & mask(); keys_[next]; next = (next + 1) & mask()) {
            const size_t want = home(keys_[next]);
            if (((next - want) & mask()) >= ((next - i) & mask())) {
                keys_[i] = keys_[next];
                records_[i] = records_[next];
                i = next;
            }
        }
        keys_[i] = nullptr;
        --live_;
        return true;
    }
    size_t size() const { return live_; }
    template <class Visit> void forEach(Visit visit) const {
        for (size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i])
                visit(keys_[i], records_[i]);
    }
    void clear() {
        std::fill(keys_.begin(), keys_.end(), nullptr);
        live_ = 0;
    }

  private:
    size_t mask() const { return keys_.size() - 1; }
    size_t home(const char *s) const {
        const uint64_t bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(s)) >> 4;
        return static_cast<size_t>((bits * 0x9E3779B97F4A7C15u) >> 32) & mask();
    }
    void grow() {
        std::vector<const char *> keys = std::move(keys_);
        std::vector<Record> records = std::move(records_);
        keys_.assign(std::max<size_t>(64, keys.size() * 2), nullptr);
        records_.assign(keys_.size(), Record{});
        live_ = 0;
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i])
                insert(keys[i], records[i]);
    }
    std::vector<const char *> keys_; // null: empty; the size is a power of two
    std::vector<Record> records_;
    size_t live_ = 0;
};

struct Host::Impl {
    Impl();

    // ---- configuration
    int32_t version = 1000300;

    // ---- workspace: the frame stack, bottom first, the top is current
    std::deque<std::unique_ptr<Frame>> stack;
    std::unordered_map<UniqueID_t, Frame *> frameById;
    // Where each live text and geometry is, so that every call on a handle
    // is O(1).
    using Slot = HandleSlots::Slot;
    HandleSlots textSlots;
    HandleSlots geomSlots;
    mutable std::vector<Frame> framesView; // what frames() hands out

    // Lightweight walk: the frame at walkIndex is current while walking.
    bool walking = false;
    size_t walkIndex = 0;

    struct Pick {
        PickObjects_e type = PickObject_None;
        UniqueID_t frame = 0;
        uint64_t handle = 0; // text or geometry
    };
    std::vector<Pick> picks;
    MouseButtonMode_e mouseMode = 0;
    bool drawing = true;
    std::string layoutFile;
    bool failSave = false;

    // ---- add-ons
    std::vector<Registration> registrations;
    std::vector<MenuOption> menuOptions;
    struct StateCallback {
        StateChangeAddOnCallback_pf callback = nullptr;
        StateChangeMode_e mode = StateChangeMode_v75;
    };
    std::vector<StateCallback> stateCallbacks;
    std::vector<std::pair<OnIdleCallback_pf, ArbParam_t>> idleQueue;
    std::vector<void *> modules; // dlopen handles, kept open for the process

    // ---- locks and commands
    int lockOnDepth = 0;
    int lockDepth = 0;
    int commandDepth = 0;
    std::string commandName;
    std::set<GUIInt_t> dialogsHoldingLock;       // modal dialogs whose init left the lock held
    std::vector<std::string> droppedHoldingLock; // titles, during the current command

    // ---- host resources
    using StringRecord = StringTable::Record;
    StringTable strings;
    // The tags add-ons gave QorUtilStringAlloc, found by their text without
    // a copy of it.
    std::set<std::string, std::less<>> stringTags;
    std::map<const unsigned char *, size_t> rgbCopies;
    std::map<uint64_t, std::set<SetIndex_t>> sets;
    std::map<uint64_t, std::vector<std::string>> stringLists;
    struct Arg {
        std::string name;
        bool isString = true;
        std::string text;
        LgIndex_t value = 0;
    };
    std::map<uint64_t, std::vector<Arg>> argLists;

    // ---- GUI records
    std::map<GUIInt_t, GuiDialog> dialogs;
    std::map<GUIInt_t, GuiControl> controls;
    std::map<GUIInt_t, GUIInt_t> controlDialog; // control -> dialog that owns it
    GUIInt_t nextGuiId = 1;
    int sidebarCount = 0;

    // ---- answers the driving API queued
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::deque<std::optional<ColorIndex_t>> colors;

    // ---- records
    std::vector<Message> messages;
    std::function<void(const Message &)> observer;
    // The text or geometry the add-on's last SDK call was about; a message
    // shown now is about it (Message::textHandle, geomHandle).
    uint64_t touchedText = 0;
    uint64_t touchedGeom = 0;
    bool recording = false;
    std::vector<std::string> calls;
    std::vector<std::string> faults;

    // ---- helpers used across the implementation files
    void record(const char *sdkFunction) {
        if (recording)
            calls.emplace_back(sdkFunction);
    }
    void fault(const std::string &what);

    Frame *current();
    Frame *frameOf(UniqueID_t id);
    // The text or geometry behind a handle, or null (no fault recorded).
    Text *text(uint64_t handle, Frame **owner = nullptr);
    Geom *geom(uint64_t handle, Frame **owner = nullptr);
    void endWalk(const char *why);

    UniqueID_t addFrame(const FrameSpec &spec);
    uint64_t addText(Frame &frame, const TextSpec &spec);
    // Deletes a live text or geometry; its handle is invalid from then on.
    void removeText(uint64_t handle);
    void removeGeom(uint64_t handle);
    // Reads and decodes an image file into the geometry's pixels; false,
    // with the reason, when it cannot be read, is damaged or too large.
    static bool loadImage(const std::string &file, Geom &geom, std::string *error);
    uint64_t addGeom(Frame &frame, Geom geom);
    // Puts a whole frame on top of the stack and indexes its texts and
    // geometries; `fresh` gives it a new unique ID and new handles.
    Frame &adoptFrame(std::unique_ptr<Frame> frame, bool fresh);
    void setPosAndSize(Frame &frame, double x, double y, double w, double h);
    void joinLinkGroup(Frame &frame);
    bool popFrame(size_t index); // index from the bottom, 0-based
    void clearWorkspace();

    char *newString(const std::string &value, const char *tag); // tag: a literal
    void freeAll();

    // Messages and questions.
    void show(Message message);
    bool ask(const std::string &text, MessageBoxType_e type);

    // State changes and callbacks: every call into add-on code goes through
    // these so that an exception never crosses back into the host.
    void deliverStateChange(StateChange_e code, ArbParam_t data);
    bool invoke(const std::string &what, const std::function<void()> &callback);

    // Host commands: the outermost one judges the lock balance when it ends.
    void beginCommand(const std::string &name);
    void endCommand();

    // GUI helpers.
    GuiDialog *dialog(GUIInt_t id);
    GuiControl *control(GUIInt_t id);
    GUIInt_t ownerDialog(GUIInt_t parent); // dialog of a parent (dialog or page), or BADDIALOGID
    GUIInt_t newControl(const char *fn, GUIInt_t parent, GuiControl control);
    bool dialogIsShown(GUIInt_t dialog) const;
    void launch(GuiDialog &dialog);
};

// The one host's state, for the SDK functions: set when the host is made,
// so that each call reaches it without a call of its own.
extern Host::Impl *gHostImpl;
inline Host::Impl &hostImpl() {
    return gHostImpl ? *gHostImpl : Host::instance().impl();
}

// The start of every SDK function: the host's state as `h`, the call recorded.
#define ENTER()                                                                                    \
    quorvin::host::Host::Impl &h = quorvin::host::hostImpl();                                      \
    h.record(__func__)

// RAII scope of one host command.
struct CommandScope {
    CommandScope(Host::Impl &impl, const std::string &name) : impl_(impl) {
        impl_.beginCommand(name);
    }
    ~CommandScope() { impl_.endCommand(); }
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;

  private:
    Host::Impl &impl_;
};

// ---- geometry of the workspace (Geometry.cpp)

struct FrameRect {
    double x = 0, y = 0, width = 1, height = 1; // paper inches
};
FrameRect rectOf(const Frame *frame);
bool validCoordSys(CoordSys_e cs);
double positionToPaperX(CoordSys_e cs, double v, const FrameRect &f);
double positionToPaperY(CoordSys_e cs, double v, const FrameRect &f);
double paperToPositionX(CoordSys_e cs, double p, const FrameRect &f);
double paperToPositionY(CoordSys_e cs, double p, const FrameRect &f);
double lengthToPaperX(CoordSys_e cs, double v, const FrameRect &f);
double lengthToPaperY(CoordSys_e cs, double v, const FrameRect &f);
double paperToLengthX(CoordSys_e cs, double p, const FrameRect &f);
double paperToLengthY(CoordSys_e cs, double p, const FrameRect &f);
// Glyphs of one line: markup tags count as none, "<math>7</math>" as one.
size_t glyphCount(std::string_view line);
// The text's box on the paper (the text block alone for box type 0).
PaperBox textPaperBox(const TextSpec &text, const FrameRect &frame);
// An image's height in its coordinate system, from its width and pixels.
double imageHeight(const Geom &geom, const FrameRect &frame);

// ---- value checks shared by the SDK setters and the layout reader
bool validColor(int64_t c);
bool validBoxType(int64_t t);
bool validAnchor(int64_t a);
bool validSizeUnits(int64_t u);
bool validScope(int64_t s);
bool validFont(int64_t f);

// ---- handles: opaque pointers made from never-reused numbers
uint64_t newHandle();
template <class T> T toHandle(uint64_t value) {
    return reinterpret_cast<T>(static_cast<uintptr_t>(value));
}
template <class T> uint64_t fromHandle(T handle) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

std::string describeText(const std::string &s); // short, quoted, for messages

// The RGB of a colour index 0..63.
void colorRGB(ColorIndex_t color, uint8_t *red, uint8_t *green, uint8_t *blue);

// ---- layout files (Layout.cpp)
// Writes the workspace as a layout file: a temporary file beside it, then a
// rename over it. Image paths are written relative to the layout's directory
// when relativePaths is set.
bool writeLayoutFile(Host::Impl &impl, const std::string &path, bool relativePaths,
                     std::string *error);
// Bytes a well-formed UTF-8 sequence starting with `lead` takes and the
// range its second byte must lie in; 0 for a byte that cannot start one.
int utf8Length(unsigned char lead, unsigned char *low, unsigned char *high);
// The absolute, normalised folder of a layout file: image paths in the file
// are relative to it.
std::filesystem::path directoryOf(const std::string &path);

} // namespace quorvin::host
