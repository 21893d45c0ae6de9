// The host object: its state, the workspace model and the parts of the
// driving API that build, read and act on the workspace.
#include "HostImpl.h"

#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quorvin::host {

namespace {

// The command that starts the add-on; what it shows is about no frame.
constexpr const char *kStartCommand = "start add-on";

// Unique IDs and handles are process-wide and never reused, so a stale value
// from before a reset can never name a new object.
UniqueID_t gNextUniqueId = 1;
uint64_t gNextHandle = 0x10000;

bool isFinite(double v) {
    return std::isfinite(v);
}

} // namespace

uint64_t newHandle() {
    gNextHandle += 0x10;
    return gNextHandle;
}

std::string describeText(const std::string &s) {
    std::string shown = s.size() > 60 ? s.substr(0, 57) + "..." : s;
    for (char &c : shown)
        if (c == '\n')
            c = ' ';
    return "\"" + shown + "\"";
}

Host::Impl::Impl() = default;

void Host::Impl::fault(const std::string &what) {
    faults.push_back(what);
}

Frame *Host::Impl::current() {
    if (stack.empty())
        return nullptr;
    if (walking && walkIndex < stack.size())
        return stack[walkIndex].get();
    return stack.back().get();
}

Frame *Host::Impl::frameOf(UniqueID_t id) {
    auto it = frameById.find(id);
    return it == frameById.end() ? nullptr : it->second;
}

Text *Host::Impl::text(uint64_t handle, Frame **owner) {
    const Slot *slot = textSlots.find(handle);
    if (!slot)
        return nullptr;
    if (owner)
        *owner = slot->frame;
    return &slot->frame->texts[slot->index];
}

Geom *Host::Impl::geom(uint64_t handle, Frame **owner) {
    const Slot *slot = geomSlots.find(handle);
    if (!slot)
        return nullptr;
    if (owner)
        *owner = slot->frame;
    return &slot->frame->geoms[slot->index];
}

namespace {

// Erases a frame's text or geometry and moves the slots of those after it.
template <class List> void eraseFromFrame(HandleSlots &slots, List &list, uint64_t handle) {
    const HandleSlots::Slot *slot = slots.find(handle);
    if (!slot)
        return;
    Frame *frame = slot->frame;
    const size_t index = slot->index;
    slots.erase(handle);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    for (size_t i = index; i < list.size(); ++i)
        slots.set(list[i].handle, HandleSlots::Slot{frame, i});
}

} // namespace

void Host::Impl::removeText(uint64_t handle) {
    Frame *owner = nullptr;
    if (text(handle, &owner))
        eraseFromFrame(textSlots, owner->texts, handle);
}

void Host::Impl::removeGeom(uint64_t handle) {
    Frame *owner = nullptr;
    if (geom(handle, &owner))
        eraseFromFrame(geomSlots, owner->geoms, handle);
}

void Host::Impl::endWalk(const char *why) {
    if (!walking)
        return;
    fault(std::string(why) + " during a lightweight frame walk; the walk was ended");
    walking = false;
}

UniqueID_t Host::Impl::addFrame(const FrameSpec &given) {
    endWalk("a frame was created");
    FrameSpec spec = given;
    if (!isFinite(spec.x) || !isFinite(spec.y) || !isFinite(spec.width) || !isFinite(spec.height) ||
        spec.width <= 0 || spec.height <= 0) {
        fault("frame " + describeText(spec.name) + ": position or size out of range; " +
              "the default position and size are used");
        FrameSpec defaults;
        spec.x = defaults.x;
        spec.y = defaults.y;
        spec.width = defaults.width;
        spec.height = defaults.height;
    }
    if (spec.linkGroup < 0) {
        fault("frame " + describeText(spec.name) + ": LinkGroup below 0; 0 is used");
        spec.linkGroup = 0;
    }
    if (!validColor(spec.backgroundColor)) {
        fault("frame " + describeText(spec.name) + ": background colour out of range");
        spec.backgroundColor = FrameSpec().backgroundColor;
    }
    if (spec.name.empty()) {
        // "Frame N": N counts from the new frame's place in the stack and
        // skips numbers another frame already carries.
        for (size_t n = stack.size() + 1;; ++n) {
            std::string candidate = "Frame " + std::to_string(n);
            bool taken = false;
            for (const auto &f : stack)
                taken = taken || f->spec.name == candidate;
            if (!taken) {
                spec.name = candidate;
                break;
            }
        }
    }
    auto frame = std::make_unique<Frame>();
    frame->uniqueId = gNextUniqueId++;
    frame->spec = spec;
    Frame *raw = frame.get();
    frameById[raw->uniqueId] = raw;
    stack.push_back(std::move(frame));
    joinLinkGroup(*raw);
    return raw->uniqueId;
}

uint64_t Host::Impl::addText(Frame &frame, const TextSpec &spec) {
    Text t;
    t.handle = newHandle();
    t.spec = spec;
    frame.texts.push_back(t);
    textSlots.set(t.handle, Slot{&frame, frame.texts.size() - 1});
    return t.handle;
}

uint64_t Host::Impl::addGeom(Frame &frame, Geom g) {
    g.handle = newHandle();
    const uint64_t handle = g.handle;
    frame.geoms.push_back(std::move(g));
    geomSlots.set(handle, Slot{&frame, frame.geoms.size() - 1});
    return handle;
}

Frame &Host::Impl::adoptFrame(std::unique_ptr<Frame> frame, bool fresh) {
    if (fresh)
        frame->uniqueId = gNextUniqueId++;
    for (size_t i = 0; i < frame->texts.size(); ++i) {
        if (fresh)
            frame->texts[i].handle = newHandle();
        textSlots.set(frame->texts[i].handle, Slot{frame.get(), i});
    }
    for (size_t i = 0; i < frame->geoms.size(); ++i) {
        if (fresh)
            frame->geoms[i].handle = newHandle();
        geomSlots.set(frame->geoms[i].handle, Slot{frame.get(), i});
    }
    Frame &raw = *frame;
    frameById[raw.uniqueId] = &raw;
    stack.push_back(std::move(frame));
    return raw;
}

void Host::Impl::setPosAndSize(Frame &frame, double x, double y, double w, double h) {
    frame.spec.x = x;
    frame.spec.y = y;
    frame.spec.width = w;
    frame.spec.height = h;
    if (!frame.spec.linkSizeAndPosition)
        return;
    for (auto &other : stack) {
        if (other.get() == &frame || !other->spec.linkSizeAndPosition ||
            other->spec.linkGroup != frame.spec.linkGroup)
            continue;
        other->spec.x = x;
        other->spec.y = y;
        other->spec.width = w;
        other->spec.height = h;
    }
}

void Host::Impl::joinLinkGroup(Frame &frame) {
    if (!frame.spec.linkSizeAndPosition)
        return;
    for (auto &other : stack) {
        if (other.get() == &frame || !other->spec.linkSizeAndPosition ||
            other->spec.linkGroup != frame.spec.linkGroup)
            continue;
        // A frame joining a linked group takes the group's position and size.
        frame.spec.x = other->spec.x;
        frame.spec.y = other->spec.y;
        frame.spec.width = other->spec.width;
        frame.spec.height = other->spec.height;
        return;
    }
}

bool Host::Impl::popFrame(size_t index) {
    if (index >= stack.size())
        return false;
    endWalk("the frame order was changed");
    if (index + 1 == stack.size())
        return true;
    std::unique_ptr<Frame> frame = std::move(stack[index]);
    if (index == 0)
        stack.pop_front(); // the common cycling case stays O(1)
    else
        stack.erase(stack.begin() + static_cast<std::ptrdiff_t>(index));
    stack.push_back(std::move(frame));
    return true;
}

void Host::Impl::clearWorkspace() {
    for (auto &f : stack) {
        for (const Text &t : f->texts)
            textSlots.erase(t.handle);
        for (const Geom &g : f->geoms)
            geomSlots.erase(g.handle);
        frameById.erase(f->uniqueId);
    }
    stack.clear();
    picks.clear();
    walking = false;
}

char *Host::Impl::newString(const std::string &value, const char *tag) {
    char *s = static_cast<char *>(std::malloc(value.size() + 1));
    if (!s)
        return nullptr;
    std::memcpy(s, value.c_str(), value.size() + 1);
    strings.insert(s, StringRecord{tag, value.size() + 1});
    return s;
}

void Host::Impl::freeAll() {
    strings.forEach([](const char *s, const StringRecord &) { std::free(const_cast<char *>(s)); });
    strings.clear();
    for (auto &entry : rgbCopies)
        std::free(const_cast<unsigned char *>(entry.first));
    rgbCopies.clear();
    sets.clear();
    stringLists.clear();
    argLists.clear();
}

void Host::Impl::show(Message message) {
    // A message shown while a command runs is about the current frame and the
    // object of it the add-on last asked about; one shown while the add-on
    // starts or quits is about no frame.
    const bool aboutFrame = commandDepth > 0 && commandName != kStartCommand;
    if (Frame *frame = aboutFrame ? current() : nullptr) {
        message.frame = frame->uniqueId;
        Frame *owner = nullptr;
        if (touchedText && text(touchedText, &owner) && owner == frame)
            message.textHandle = touchedText;
        else if (touchedGeom && geom(touchedGeom, &owner) && owner == frame)
            message.geomHandle = touchedGeom;
    }
    messages.push_back(message);
    if (observer) {
        try {
            observer(messages.back());
        } catch (...) {
            fault("the message observer threw an exception");
        }
    }
}

bool Host::Impl::ask(const std::string &text, MessageBoxType_e type) {
    Message m;
    m.call = Message::Call::MessageBox;
    m.boxType = type;
    m.text = text;
    if (answers.empty()) {
        fault("unanswered question: " + describeText(text));
        m.answer = false;
    } else {
        m.answer = answers.front();
        answers.pop_front();
    }
    show(m);
    return m.answer;
}

bool Host::Impl::invoke(const std::string &what, const std::function<void()> &callback) {
    try {
        callback();
        return true;
    } catch (const std::exception &e) {
        fault(what + " threw an exception: " + e.what());
    } catch (...) {
        fault(what + " threw an exception");
    }
    return false;
}

void Host::Impl::deliverStateChange(StateChange_e code, ArbParam_t data) {
    // A copy: a callback may register further callbacks while it runs.
    std::vector<StateCallback> targets = stateCallbacks;
    for (const StateCallback &target : targets)
        invoke("a state-change callback", [&] { target.callback(code, data); });
}

void Host::Impl::beginCommand(const std::string &name) {
    if (commandDepth++ == 0) {
        commandName = name;
        touchedText = touchedGeom = 0;
        droppedHoldingLock.clear();
    }
}

void Host::Impl::endCommand() {
    if (--commandDepth > 0)
        return;
    // A modal dialog of an add-on that is still up may hold one lock from its
    // initialisation to its OK or Cancel; any other lock must be released.
    for (auto it = dialogsHoldingLock.begin(); it != dialogsHoldingLock.end();) {
        auto d = dialogs.find(*it);
        if (d == dialogs.end() || !d->second.up)
            it = dialogsHoldingLock.erase(it);
        else
            ++it;
    }
    const int allowed = static_cast<int>(dialogsHoldingLock.size());
    if (lockOnDepth != 0) {
        fault("command " + describeText(commandName) +
              " ended with QorUtilLockOn not matched by QorUtilLockOff");
        lockOnDepth = 0;
    }
    if (lockDepth > allowed) {
        if (!droppedHoldingLock.empty())
            fault("command " + describeText(commandName) + ": dialog " +
                  describeText(droppedHoldingLock.front()) +
                  " was dropped while its lock was still held");
        else
            fault("command " + describeText(commandName) + " ended with " +
                  std::to_string(lockDepth - allowed) + " lock(s) still held");
        lockDepth = allowed;
    } else if (lockDepth < allowed) {
        // The lock was finished while the dialog stays up: it holds none now.
        while (static_cast<int>(dialogsHoldingLock.size()) > lockDepth)
            dialogsHoldingLock.erase(std::prev(dialogsHoldingLock.end()));
    }
    droppedHoldingLock.clear();
}

// ---------------------------------------------------------------------------
// Host: construction, configuration, workspace access

Host &Host::instance() {
    // Never destroyed: add-on code may free host objects during exit.
    static Host *host = new Host();
    return *host;
}

Host::Impl *gHostImpl = nullptr;

Host::Host() : impl_(new Impl()) {
    gHostImpl = impl_;
}
Host::~Host() {
    gHostImpl = nullptr;
    impl_->freeAll();
    delete impl_;
}

Host::Impl &Host::impl() {
    return *impl_;
}

void Host::reset() {
    std::vector<void *> modules = std::move(impl_->modules);
    impl_->freeAll();
    impl_->clearWorkspace();
    delete impl_;
    impl_ = new Impl();
    gHostImpl = impl_;
    impl_->modules = std::move(modules);
}

void Host::setVersion(int32_t version) {
    impl_->version = version;
}
int32_t Host::version() const {
    return impl_->version;
}

std::string Host::layoutFileName() const {
    return impl_->layoutFile;
}
void Host::setLayoutFileName(const std::string &path) {
    impl_->layoutFile = path;
}
void Host::failNextSave(bool fail) {
    impl_->failSave = fail;
}

UniqueID_t Host::addFrame(const FrameSpec &spec) {
    return impl_->addFrame(spec);
}

namespace {

std::string checkTextSpec(const TextSpec &s) {
    if (!validCoordSys(s.coordSys))
        return "coordinate system must be 1, 3 or 4";
    if (!validSizeUnits(s.sizeUnits))
        return "size units must be 1 or 2";
    if (!isFinite(s.x) || !isFinite(s.y) || !isFinite(s.angle))
        return "position and angle must be finite numbers";
    if (!isFinite(s.height) || s.height < 0)
        return "height must be 0 or more";
    if (!validAnchor(s.anchor))
        return "anchor must be 0, 1 or 2";
    if (!validFont(s.font))
        return "font must be 0 to 12";
    if (!validColor(s.color) || !validColor(s.boxColor) || !validColor(s.fillColor))
        return "colour index must be 0 to 63";
    if (!validBoxType(s.boxType))
        return "box type must be 0, 1 or 2";
    if (!isFinite(s.margin) || s.margin < 0)
        return "margin must be 0 or more";
    if (!isFinite(s.lineThickness) || s.lineThickness < 0)
        return "line thickness must be 0 or more";
    if (!isFinite(s.lineSpacing) || s.lineSpacing < 0)
        return "line spacing must be 0 or more";
    if (!validScope(s.scope))
        return "scope must be 1 or 2";
    return std::string();
}

} // namespace

Text_ID Host::addText(const TextSpec &spec) {
    Frame *frame = impl_->current();
    if (!frame) {
        impl_->fault("addText: there is no frame");
        return nullptr;
    }
    std::string problem = checkTextSpec(spec);
    if (!problem.empty()) {
        impl_->fault("addText " + describeText(spec.string) + ": " + problem);
        return nullptr;
    }
    return toHandle<Text_ID>(impl_->addText(*frame, spec));
}

Geom_ID Host::addGeom(const GeomSpec &spec) {
    Frame *frame = impl_->current();
    if (!frame) {
        impl_->fault("addGeom: there is no frame");
        return nullptr;
    }
    if (!validCoordSys(spec.coordSys) || !isFinite(spec.x) || !isFinite(spec.y) ||
        !isFinite(spec.z)) {
        impl_->fault("addGeom: invalid anchor or coordinate system");
        return nullptr;
    }
    Geom g;
    g.spec = spec;
    switch (spec.type) {
    case GeomType_Rectangle:
        if (!isFinite(spec.width) || !isFinite(spec.height)) {
            impl_->fault("addGeom: rectangle size must be finite");
            return nullptr;
        }
        break;
    case GeomType_LineSegs:
        if (spec.polylines.empty()) {
            impl_->fault("addGeom: a line needs at least one polyline");
            return nullptr;
        }
        for (const auto &poly : spec.polylines) {
            if (poly.size() < 2) {
                impl_->fault("addGeom: every polyline needs at least two points");
                return nullptr;
            }
            for (const Point2 &p : poly)
                if (!isFinite(p.x) || !isFinite(p.y)) {
                    impl_->fault("addGeom: line points must be finite");
                    return nullptr;
                }
        }
        break;
    case GeomType_Image: {
        if (!Impl::loadImage(spec.imageFile, g, nullptr))
            return nullptr; // the documented failure: no geometry, result 0
        if (!isFinite(spec.width) || spec.width <= 0) {
            // Natural size: one pixel is one screen pixel.
            double paperWidth = g.pixelWidth / kScreenDpi;
            g.spec.width = paperToLengthX(spec.coordSys, paperWidth, rectOf(frame));
        }
        break;
    }
    default:
        impl_->fault("addGeom: geometry type " + std::to_string(spec.type) +
                     " is not supported (0 line, 1 rectangle, 6 image)");
        return nullptr;
    }
    return toHandle<Geom_ID>(impl_->addGeom(*frame, std::move(g)));
}

const std::vector<Frame> &Host::frames() const {
    impl_->framesView.clear();
    for (const auto &f : impl_->stack)
        impl_->framesView.push_back(*f);
    return impl_->framesView;
}

std::vector<UniqueID_t> Host::frameIds() const {
    std::vector<UniqueID_t> ids;
    ids.reserve(impl_->stack.size());
    for (const auto &f : impl_->stack)
        ids.push_back(f->uniqueId);
    return ids;
}

const Frame *Host::currentFrame() const {
    return impl_->current();
}
const Frame *Host::findFrame(UniqueID_t id) const {
    return impl_->frameOf(id);
}
const Text *Host::findText(Text_ID text) const {
    return impl_->text(fromHandle(text));
}
const Geom *Host::findGeom(Geom_ID geom) const {
    return impl_->geom(fromHandle(geom));
}

bool Host::makeCurrent(UniqueID_t id) {
    for (size_t i = 0; i < impl_->stack.size(); ++i)
        if (impl_->stack[i]->uniqueId == id)
            return impl_->popFrame(i);
    return false;
}

// ---------------------------------------------------------------------------
// The add-on

bool Host::loadAddOnModule(const std::string &path, std::string *error) {
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *why = dlerror();
        if (error)
            *error = path + ": cannot load the add-on: " + (why ? why : "unknown error");
        return false;
    }
    void *entry = dlsym(module, "InitQorAddOn113");
    if (!entry) {
        if (error)
            *error = path + ": the add-on does not export InitQorAddOn113";
        dlclose(module);
        return false;
    }
    impl_->modules.push_back(module);
    void (*init)();
    static_assert(sizeof(init) == sizeof(entry), "function and object pointers differ");
    std::memcpy(&init, &entry, sizeof(init));
    startAddOn(init);
    return true;
}

void Host::startAddOn(void (*initQorAddOn113)()) {
    if (!initQorAddOn113) {
        impl_->fault("startAddOn: no entry point");
        return;
    }
    CommandScope command(*impl_, kStartCommand);
    impl_->invoke("InitQorAddOn113", initQorAddOn113);
}

const std::vector<Host::Registration> &Host::registrations() const {
    return impl_->registrations;
}
const std::vector<Host::MenuOption> &Host::menuOptions() const {
    return impl_->menuOptions;
}
size_t Host::stateChangeCallbackCount() const {
    return impl_->stateCallbacks.size();
}

// ---------------------------------------------------------------------------
// Acting as the user on the workspace

bool Host::chooseMenuOption(const std::string &menu, const std::string &label, std::string *error) {
    for (const MenuOption &option : impl_->menuOptions) {
        if (option.menu != menu || option.label != label)
            continue;
        CommandScope command(*impl_, "menu " + menu + "/" + label);
        DynamicMenuCallback_pf callback = option.callback;
        impl_->invoke("a menu option callback", callback);
        return true;
    }
    if (error)
        *error = "no menu option \"" + label + "\" in the \"" + menu + "\" menu";
    return false;
}

bool Host::pickText(Text_ID text, bool add, std::string *error) {
    Frame *owner = nullptr;
    const uint64_t handle = fromHandle(text);
    if (!impl_->text(handle, &owner)) {
        if (error)
            *error = "no such text";
        return false;
    }
    if (owner != impl_->current()) {
        if (error)
            *error = "the text is not in the current frame (pick its frame first)";
        return false;
    }
    CommandScope command(*impl_, "pick text");
    if (!add)
        impl_->picks.clear();
    bool already = false;
    for (const auto &p : impl_->picks)
        already = already || (p.type == PickObject_Text && p.handle == handle);
    if (!already)
        impl_->picks.push_back({PickObject_Text, owner->uniqueId, handle});
    impl_->deliverStateChange(StateChange_PickListChanged, 0);
    return true;
}

bool Host::pickGeom(Geom_ID geom, bool add, std::string *error) {
    Frame *owner = nullptr;
    const uint64_t handle = fromHandle(geom);
    if (!impl_->geom(handle, &owner)) {
        if (error)
            *error = "no such geometry";
        return false;
    }
    if (owner != impl_->current()) {
        if (error)
            *error = "the geometry is not in the current frame (pick its frame first)";
        return false;
    }
    CommandScope command(*impl_, "pick geometry");
    if (!add)
        impl_->picks.clear();
    bool already = false;
    for (const auto &p : impl_->picks)
        already = already || (p.type == PickObject_Geom && p.handle == handle);
    if (!already)
        impl_->picks.push_back({PickObject_Geom, owner->uniqueId, handle});
    impl_->deliverStateChange(StateChange_PickListChanged, 0);
    return true;
}

bool Host::pickFrame(UniqueID_t frame, std::string *error) {
    if (!impl_->frameOf(frame)) {
        if (error)
            *error = "no frame with unique ID " + std::to_string(frame);
        return false;
    }
    CommandScope command(*impl_, "pick frame");
    makeCurrent(frame);
    impl_->picks.clear();
    impl_->picks.push_back({PickObject_Frame, frame, 0});
    impl_->deliverStateChange(StateChange_PickListChanged, 0);
    return true;
}

void Host::clearPicks() {
    if (impl_->picks.empty())
        return;
    CommandScope command(*impl_, "clear picks");
    impl_->picks.clear();
    impl_->deliverStateChange(StateChange_PickListChanged, 0);
}

bool Host::setFramePosAndSize(double x, double y, double width, double height, std::string *error) {
    Frame *frame = impl_->current();
    if (!frame) {
        if (error)
            *error = "there is no frame";
        return false;
    }
    if (!isFinite(x) || !isFinite(y) || !isFinite(width) || !isFinite(height) || width <= 0 ||
        height <= 0) {
        if (error)
            *error = "a frame needs a finite position and a positive width and height";
        return false;
    }
    CommandScope command(*impl_, "move or resize frame");
    impl_->setPosAndSize(*frame, x, y, width, height);
    impl_->deliverStateChange(StateChange_FrameMovedByUser, 0);
    return true;
}

void Host::sendStateChange(StateChange_e code) {
    CommandScope command(*impl_, "state change " + std::to_string(code));
    impl_->deliverStateChange(code, 0);
}

int Host::runIdle() {
    auto queued = std::move(impl_->idleQueue);
    impl_->idleQueue.clear();
    int ran = 0;
    for (const auto &entry : queued) {
        CommandScope command(*impl_, "idle");
        impl_->invoke("an idle callback", [&] { entry.first(entry.second); });
        ++ran;
    }
    return ran;
}

size_t Host::idlePending() const {
    return impl_->idleQueue.size();
}

void Host::quit() {
    CommandScope command(*impl_, "quit");
    impl_->deliverStateChange(StateChange_QuitQuorvin, 0);
}

void Host::queueAnswer(bool yes) {
    impl_->answers.push_back(yes);
}
void Host::queueFileName(std::optional<std::string> fileName) {
    impl_->fileNames.push_back(std::move(fileName));
}
void Host::queueColor(std::optional<ColorIndex_t> color) {
    impl_->colors.push_back(color);
}

// ---------------------------------------------------------------------------
// What happened

const std::vector<Message> &Host::messages() const {
    return impl_->messages;
}
void Host::clearMessages() {
    impl_->messages.clear();
}
void Host::setMessageObserver(std::function<void(const Message &)> observer) {
    impl_->observer = std::move(observer);
}
void Host::recordCalls(bool on) {
    if (on && !impl_->recording)
        impl_->calls.clear();
    impl_->recording = on;
}
const std::vector<std::string> &Host::calls() const {
    return impl_->calls;
}
const std::vector<std::string> &Host::faults() const {
    return impl_->faults;
}
void Host::clearFaults() {
    impl_->faults.clear();
}

size_t Host::liveStrings() const {
    return impl_->strings.size() + impl_->rgbCopies.size();
}

std::map<std::string, size_t> Host::liveStringsByTag() const {
    std::map<std::string, size_t> byTag;
    impl_->strings.forEach(
        [&](const char *, const Host::Impl::StringRecord &record) { ++byTag[record.tag]; });
    if (!impl_->rgbCopies.empty())
        byTag["ImageRGBData"] += impl_->rgbCopies.size();
    return byTag;
}

size_t Host::liveSets() const {
    return impl_->sets.size();
}
size_t Host::liveStringLists() const {
    return impl_->stringLists.size();
}
size_t Host::liveArgLists() const {
    return impl_->argLists.size();
}
bool Host::lockHeld() const {
    return impl_->lockDepth > 0 || impl_->lockOnDepth > 0;
}
bool Host::drawingOn() const {
    return impl_->drawing;
}

} // namespace quorvin::host
