// The QorUtil functions of the SDK: registration, locks, menus, state changes and idle. Every
// function records its call, checks its handles and arguments, records a fault for anything invalid
// and then returns a safe default; none of them throws or crashes on bad input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

// ---------------------------------------------------------------------------
// Registration, version, locks, menus

AddOn_pa QorUtilAddOnRegister(int32_t QuorvinBaseVersion, const char *AddOnName,
                              const char *AddOnVersion, const char *Author) {
    ENTER();
    if (!AddOnName || !AddOnVersion || !Author) {
        h.fault(fn(__func__) + "name, version and author must not be NULL");
        return nullptr;
    }
    Host::Registration r;
    r.handle = qh::toHandle<AddOn_pa>(qh::newHandle());
    r.baseVersion = QuorvinBaseVersion;
    r.name = AddOnName;
    r.version = AddOnVersion;
    r.author = Author;
    h.registrations.push_back(r);
    return r.handle;
}

int32_t QorUtilGetQuorvinVersion(void) {
    ENTER();
    return h.version;
}

void QorUtilLockOn(void) {
    ENTER();
    ++h.lockOnDepth;
}

void QorUtilLockOff(void) {
    ENTER();
    if (h.lockOnDepth == 0) {
        h.fault(fn(__func__) + "no QorUtilLockOn to turn off");
        return;
    }
    --h.lockOnDepth;
}

void QorUtilLockStart(AddOn_pa AddOn) {
    ENTER();
    if (!validAddOn(h, AddOn))
        h.fault(fn(__func__) + "invalid add-on handle");
    ++h.lockDepth; // counted anyway so that the matching finish balances
}

void QorUtilLockFinish(AddOn_pa AddOn) {
    ENTER();
    if (!validAddOn(h, AddOn))
        h.fault(fn(__func__) + "invalid add-on handle");
    if (h.lockDepth == 0) {
        h.fault(fn(__func__) + "lock finish without a lock start");
        return;
    }
    --h.lockDepth;
}

Boolean_t QorUtilMenuAddOption(const char *MenuPath, const char *MenuLabel, char Mnemonic,
                               DynamicMenuCallback_pf Callback) {
    ENTER();
    if (!nonNull(h, MenuPath, __func__, "menu path") ||
        !nonNull(h, MenuLabel, __func__, "menu label") ||
        !nonNull(h, reinterpret_cast<const void *>(Callback), __func__, "callback"))
        return FALSE;
    for (const auto &o : h.menuOptions)
        if (o.menu == MenuPath && o.label == MenuLabel) {
            h.fault(fn(__func__) + "option \"" + MenuLabel + "\" already exists in \"" + MenuPath +
                    "\"");
            return FALSE;
        }
    Host::MenuOption option;
    option.menu = MenuPath;
    option.label = MenuLabel;
    option.mnemonic = Mnemonic;
    option.callback = Callback;
    h.menuOptions.push_back(option);
    return TRUE;
}

// ---------------------------------------------------------------------------
// State changes and idle

Boolean_t QorUtilStateChangeAddCallback(StateChangeAddOnCallback_pf Callback) {
    ENTER();
    if (!nonNull(h, reinterpret_cast<const void *>(Callback), __func__, "callback"))
        return FALSE;
    for (const auto &c : h.stateCallbacks)
        if (c.callback == Callback) {
            h.fault(fn(__func__) + "callback is already installed");
            return FALSE;
        }
    h.stateCallbacks.push_back({Callback, StateChangeMode_v75});
    return TRUE;
}

Boolean_t QorUtilStateChangeSetMode(StateChangeAddOnCallback_pf Callback, StateChangeMode_e Mode) {
    ENTER();
    if (Mode != StateChangeMode_v75 && Mode != StateChangeMode_v80) {
        h.fault(fn(__func__) + "unknown mode " + std::to_string(Mode));
        return FALSE;
    }
    for (auto &c : h.stateCallbacks)
        if (c.callback == Callback) {
            c.mode = Mode;
            return TRUE;
        }
    h.fault(fn(__func__) + "callback is not installed");
    return FALSE;
}

void QorUtilStateChanged(StateChange_e StateChange, ArbParam_t CallData) {
    ENTER();
    h.deliverStateChange(StateChange, CallData);
}

void QorUtilOnIdleQueueAddCallback(OnIdleCallback_pf Callback, ArbParam_t ClientData) {
    ENTER();
    if (!nonNull(h, reinterpret_cast<const void *>(Callback), __func__, "callback"))
        return;
    h.idleQueue.emplace_back(Callback, ClientData);
}

} // extern "C"
