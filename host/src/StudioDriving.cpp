// The studio block of the driving API (see Host.h): pick list, a prompter for
// questions and choosers nobody queued an answer for, workspace snapshots.
#include "StudioHooks.h"

namespace quorvin::host {

namespace {

// The prompter lives beside the host singleton: one per process, like it.
Host::Prompter &prompter() {
    static Host::Prompter instance;
    return instance;
}

} // namespace

std::vector<Host::PickedObject> Host::pickList() const {
    std::vector<PickedObject> out;
    for (const auto &p : impl_->picks)
        out.push_back({p.type, p.frame, p.handle});
    return out;
}

void Host::setPrompter(Prompter given) {
    prompter() = std::move(given);
}

void promptForAnswer(Host::Impl &impl, const std::string &text, MessageBoxType_e type) {
    if (impl.answers.empty() && prompter().question)
        impl.answers.push_back(prompter().question(text, type));
}

void promptForFileName(Host::Impl &impl, SelectFileOption_e option, const char *typeName,
                       const char *defaultName, const char *filter) {
    if (impl.fileNames.empty() && prompter().fileName)
        impl.fileNames.push_back(prompter().fileName(option, typeName ? typeName : "",
                                                     defaultName ? defaultName : "",
                                                     filter ? filter : ""));
}

void promptForColor(Host::Impl &impl) {
    if (impl.colors.empty() && prompter().color)
        impl.colors.push_back(prompter().color());
}

Host::WorkspaceSnapshot Host::snapshotWorkspace() const {
    WorkspaceSnapshot snapshot;
    for (const auto &f : impl_->stack)
        snapshot.frames.push_back(*f);
    return snapshot;
}

void Host::restoreWorkspace(const WorkspaceSnapshot &snapshot) {
    Impl &h = *impl_;
    h.clearWorkspace();
    for (const Frame &f : snapshot.frames)
        h.adoptFrame(std::make_unique<Frame>(f), false);
}

} // namespace quorvin::host
