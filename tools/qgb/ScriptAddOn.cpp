#include "ScriptAddOn.h"

#include "Session.h"
#include "quorvin/Render.h"

#include <algorithm>

namespace qgb {

using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;

ScriptCommand RunSnapshotCommand(const std::vector<std::string> &w,
                                 const std::filesystem::path &scriptDir, std::string &error) {
    if (w.empty() || w[0] != "snapshot")
        return ScriptCommand::NotThis;
    if (w.size() != 3) {
        error = "usage: snapshot TITLE FILE.png|FILE.svg";
        return ScriptCommand::Failed;
    }
    const GuiDialog *dialog = Session::host().findDialogByTitle(w[1]);
    if (!dialog) {
        error = "no dialog titled \"" + w[1] + "\"";
        return ScriptCommand::Failed;
    }
    if (!(dialog->kind == "Sidebar" ? dialog->active : dialog->up)) {
        error = "dialog \"" + w[1] + "\" is not up";
        return ScriptCommand::Failed;
    }
    std::filesystem::path file(w[2]);
    if (file.is_relative())
        file = scriptDir / file;
    if (!quorvin::host::renderDialog(dialog->id, file.string(), &error))
        return ScriptCommand::Failed;
    return ScriptCommand::Done;
}

ScriptCommand RunExpectControl(const std::vector<std::string> &w, std::string &error) {
    if (w.size() < 2 || w[0] != "expect" || w[1] != "control")
        return ScriptCommand::NotThis;
    if (w.size() < 4 || w.size() > 5) {
        error = "usage: expect control TITLE NAME [KIND]";
        return ScriptCommand::Failed;
    }
    const GuiDialog *dialog = Session::host().findDialogByTitle(w[2]);
    if (!dialog) {
        error = "no dialog titled \"" + w[2] + "\"";
        return ScriptCommand::Failed;
    }
    std::string kinds;
    for (GUIInt_t id : dialog->controls) {
        const GuiControl *c = Session::host().findControl(id);
        if (!c)
            continue;
        const bool named = std::find(c->labels.begin(), c->labels.end(), w[3]) !=
                               c->labels.end() ||
                           c->toolTip == w[3];
        if (!named)
            continue;
        if (w.size() == 4 || c->kind == w[4])
            return ScriptCommand::Done;
        kinds += (kinds.empty() ? "" : ", ") + c->kind;
    }
    error = "dialog \"" + w[2] + "\" has no control \"" + w[3] + "\"" +
            (w.size() == 5 ? " of kind " + w[4] : "") +
            (kinds.empty() ? "" : " (there is one of kind " + kinds + ")");
    return ScriptCommand::Failed;
}

} // namespace qgb
