// The QorUtil functions of the SDK: sets, string lists, host strings, argument lists, styles and
// macro commands. Every function records its call, checks its handles and arguments, records a
// fault for anything invalid and then returns a safe default; none of them throws or crashes on bad
// input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

// ---------------------------------------------------------------------------
// Sets

Set_pa QorUtilSetAlloc(Boolean_t ShowErr) {
    ENTER();
    (void)ShowErr;
    uint64_t handle = qh::newHandle();
    h.sets[handle];
    return qh::toHandle<Set_pa>(handle);
}

void QorUtilSetDealloc(Set_pa *Set) {
    ENTER();
    if (!nonNull(h, Set, __func__, "pointer") || !*Set)
        return;
    if (!h.sets.erase(qh::fromHandle(*Set))) {
        h.fault(fn(__func__) + "invalid set handle, or the set was already freed");
        return;
    }
    *Set = nullptr;
}

namespace {
std::set<SetIndex_t> *setArg(Host::Impl &h, Set_pa set, const char *func) {
    auto it = h.sets.find(qh::fromHandle(set));
    if (it == h.sets.end()) {
        h.fault(fn(func) + "invalid set handle");
        return nullptr;
    }
    return &it->second;
}
} // namespace

Boolean_t QorUtilSetClear(Set_pa Set) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    if (!s)
        return FALSE;
    s->clear();
    return TRUE;
}

Boolean_t QorUtilSetAddMember(Set_pa Set, SetIndex_t Member, Boolean_t ShowErr) {
    ENTER();
    (void)ShowErr;
    auto *s = setArg(h, Set, __func__);
    if (!s)
        return FALSE;
    if (Member < 0) {
        h.fault(fn(__func__) + "member " + std::to_string(Member) + " is below 0");
        return FALSE;
    }
    s->insert(Member);
    return TRUE;
}

Boolean_t QorUtilSetIsMember(Set_pa Set, SetIndex_t Member) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    return s && s->count(Member) ? TRUE : FALSE;
}

SetIndex_t QorUtilSetGetMemberCount(Set_pa Set) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    return s ? static_cast<SetIndex_t>(s->size()) : 0;
}

SetIndex_t QorUtilSetGetNextMember(Set_pa Set, SetIndex_t Member) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    if (!s)
        return QORSET_NOT_MEMBER;
    auto it = s->upper_bound(Member);
    return it == s->end() ? QORSET_NOT_MEMBER : *it;
}

// ---------------------------------------------------------------------------
// String lists

StringList_pa QorUtilStringListAlloc(void) {
    ENTER();
    uint64_t handle = qh::newHandle();
    h.stringLists[handle];
    return qh::toHandle<StringList_pa>(handle);
}

void QorUtilStringListDealloc(StringList_pa *StringList) {
    ENTER();
    if (!nonNull(h, StringList, __func__, "pointer") || !*StringList)
        return;
    if (!h.stringLists.erase(qh::fromHandle(*StringList))) {
        h.fault(fn(__func__) + "invalid string list handle, or the list was already freed");
        return;
    }
    *StringList = nullptr;
}

namespace {
std::vector<std::string> *listArg(Host::Impl &h, StringList_pa list, const char *func) {
    auto it = h.stringLists.find(qh::fromHandle(list));
    if (it == h.stringLists.end()) {
        h.fault(fn(func) + "invalid string list handle");
        return nullptr;
    }
    return &it->second;
}
} // namespace

void QorUtilStringListClear(StringList_pa StringList) {
    ENTER();
    if (auto *l = listArg(h, StringList, __func__))
        l->clear();
}

Boolean_t QorUtilStringListAppendString(StringList_pa StringList, const char *String) {
    ENTER();
    auto *l = listArg(h, StringList, __func__);
    if (!l || !nonNull(h, String, __func__, "string"))
        return FALSE;
    l->emplace_back(String);
    return TRUE;
}

LgIndex_t QorUtilStringListGetCount(StringList_pa StringList) {
    ENTER();
    auto *l = listArg(h, StringList, __func__);
    return l ? static_cast<LgIndex_t>(l->size()) : 0;
}

char *QorUtilStringListGetString(StringList_pa StringList, LgIndex_t StringNumber) {
    ENTER();
    auto *l = listArg(h, StringList, __func__);
    if (!l)
        return nullptr;
    if (StringNumber < 1 || static_cast<size_t>(StringNumber) > l->size()) {
        h.fault(fn(__func__) + "string number " + std::to_string(StringNumber) + " is not 1 to " +
                std::to_string(l->size()));
        return nullptr;
    }
    return h.newString((*l)[static_cast<size_t>(StringNumber - 1)], "StringListGetString");
}

// ---------------------------------------------------------------------------
// Host strings

char *QorUtilStringAlloc(LgIndex_t MaxLength, const char *DebugInfo) {
    ENTER();
    if (MaxLength < 0) {
        h.fault(fn(__func__) + "length " + std::to_string(MaxLength) + " is below 0");
        return nullptr;
    }
    const size_t size = static_cast<size_t>(MaxLength) + 1;
    char *s = static_cast<char *>(std::calloc(size, 1));
    if (!s)
        return nullptr;
    const char *tag = "";
    if (DebugInfo) {
        auto known = h.stringTags.find(std::string_view(DebugInfo));
        if (known == h.stringTags.end())
            known = h.stringTags.insert(DebugInfo).first;
        tag = known->c_str();
    }
    h.strings.insert(s, Host::Impl::StringRecord{tag, size});
    return s;
}

void QorUtilStringDealloc(char **String) {
    ENTER();
    if (!nonNull(h, String, __func__, "pointer") || !*String)
        return;
    if (!h.strings.erase(*String)) {
        h.fault(fn(__func__) + "string not allocated by the host, or already freed");
        return;
    }
    std::free(*String);
    *String = nullptr;
}

// ---------------------------------------------------------------------------
// Argument lists, styles, macro commands

ArgList_pa QorUtilArgListAlloc(void) {
    ENTER();
    uint64_t handle = qh::newHandle();
    h.argLists[handle];
    return qh::toHandle<ArgList_pa>(handle);
}

void QorUtilArgListDealloc(ArgList_pa *ArgList) {
    ENTER();
    if (!nonNull(h, ArgList, __func__, "pointer") || !*ArgList)
        return;
    if (!h.argLists.erase(qh::fromHandle(*ArgList))) {
        h.fault(fn(__func__) + "invalid argument list handle, or the list was already freed");
        return;
    }
    *ArgList = nullptr;
}

namespace {
std::vector<Host::Impl::Arg> *argsArg(Host::Impl &h, ArgList_pa list, const char *func) {
    auto it = h.argLists.find(qh::fromHandle(list));
    if (it == h.argLists.end()) {
        h.fault(fn(func) + "invalid argument list handle");
        return nullptr;
    }
    return &it->second;
}

const Host::Impl::Arg *findArg(const std::vector<Host::Impl::Arg> &args, const char *name) {
    for (const auto &a : args)
        if (a.name == name)
            return &a;
    return nullptr;
}
} // namespace

void QorUtilArgListClear(ArgList_pa ArgList) {
    ENTER();
    if (auto *l = argsArg(h, ArgList, __func__))
        l->clear();
}

Boolean_t QorUtilArgListAppendString(ArgList_pa ArgList, const char *Name, const char *Value) {
    ENTER();
    auto *l = argsArg(h, ArgList, __func__);
    if (!l || !nonNull(h, Name, __func__, "name") || !nonNull(h, Value, __func__, "value"))
        return FALSE;
    Host::Impl::Arg a;
    a.name = Name;
    a.text = Value;
    l->push_back(a);
    return TRUE;
}

Boolean_t QorUtilArgListAppendInt(ArgList_pa ArgList, const char *Name, LgIndex_t Value) {
    ENTER();
    auto *l = argsArg(h, ArgList, __func__);
    if (!l || !nonNull(h, Name, __func__, "name"))
        return FALSE;
    Host::Impl::Arg a;
    a.name = Name;
    a.isString = false;
    a.value = Value;
    l->push_back(a);
    return TRUE;
}

SetValueReturnCode_e QorUtilStyleSetLowLevelX(ArgList_pa ArgList) {
    ENTER();
    auto *l = argsArg(h, ArgList, __func__);
    if (!l)
        return SetValue_Invalid;
    const auto *p1 = findArg(*l, "P1");
    const auto *p2 = findArg(*l, "P2");
    const auto *value = findArg(*l, "IValue");
    if (!p1 || !p2 || !value || !p1->isString || !p2->isString || value->isString) {
        h.fault(fn(__func__) + "needs the strings P1 and P2 and the integer IValue");
        return SetValue_Invalid;
    }
    Frame *f = h.current();
    if (!f) {
        h.fault(fn(__func__) + "there is no frame");
        return SetValue_Invalid;
    }
    const std::string group = upper(p1->text), item = upper(p2->text);
    if (group == "FRAMELAYOUT" && item == "SHOWHEADER" &&
        (value->value == 0 || value->value == 1)) {
        f->spec.showHeader = value->value == 1;
        return SetValue_Ok;
    }
    if (group == "FRAMELAYOUT" && item == "BACKGROUNDCOLOR" && qh::validColor(value->value)) {
        f->spec.backgroundColor = value->value;
        return SetValue_Ok;
    }
    h.fault(fn(__func__) + "unsupported style " + p1->text + "/" + p2->text + " = " +
            std::to_string(value->value));
    return SetValue_Invalid;
}

Boolean_t QorUtilMacroExecuteCommand(const char *Command) {
    ENTER();
    if (!nonNull(h, Command, __func__, "command"))
        return FALSE;
    const std::string command = trim(Command);
    Frame *f = h.current();
    auto refuse = [&](const std::string &why) {
        h.fault(fn(__func__) + why + ": " + qh::describeText(command));
        return FALSE;
    };
    if (!f)
        return refuse("there is no frame for the macro command");
    size_t eq = command.find('=');
    if (command.rfind("$!", 0) != 0 || eq == std::string::npos)
        return refuse("unsupported macro command");
    const std::string head = upper(trim(command.substr(2, eq - 2)));
    const std::string value = trim(command.substr(eq + 1));
    if (head == "FRAMENAME") {
        // The name is quoted with ' or "; inside it the other quote is plain.
        if (value.size() < 2 || (value.front() != '\'' && value.front() != '"') ||
            value.back() != value.front())
            return refuse("the frame name must be quoted");
        f->spec.name = value.substr(1, value.size() - 2);
        return TRUE;
    }
    if (head == "FRAMELAYOUT SHOWHEADER") {
        const std::string v = upper(value);
        if (v != "YES" && v != "NO" && v != "TRUE" && v != "FALSE")
            return refuse("SHOWHEADER must be YES or NO");
        f->spec.showHeader = v == "YES" || v == "TRUE";
        return TRUE;
    }
    if (head == "FRAMELAYOUT BACKGROUNDCOLOR") {
        int color = colorByName(value);
        if (color < 0)
            return refuse("unknown colour");
        f->spec.backgroundColor = color;
        return TRUE;
    }
    return refuse("unsupported macro command");
}

} // extern "C"
