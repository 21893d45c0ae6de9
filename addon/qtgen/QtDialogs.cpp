// Per dialog: its directory under "ui/dialogs" with the form, the dialog class
// header and the definitions header holding its builder function.
#include "qtgen/QtText.h"
#include "qtgen/QtWriter.h"

#include "QORADDON.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace quorvin::qorutilmisc {

using qt::Appendf;
using qt::Dec;

namespace {

// Makes a directory when it is missing; true when it exists afterwards.
bool MakeDirectory(const std::string &path) {
    std::error_code error;
    // Made just now, it needs no second look.
    return std::filesystem::create_directory(path, error) ||
           std::filesystem::is_directory(path, error);
}

std::string LowerCase(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void AppendCallCallback(std::string &out, const char *format, const std::string &callback) {
    Appendf(out, format, callback.c_str(), callback.c_str());
}

void ReportMissingButtons() {
    QorUtilDialogErrMsg("Dialog must have at least one of: Ok, Close, Apply, Cancel buttons.");
}

} // namespace

bool QtWriter::writeDialogFiles(Parser &parser) {
    const std::vector<DialogElement *> &dialogs = parser.dialogs();
    if (dialogs.empty())
        return true;
    std::string basePath;
    if (!qt::LayoutBasePath(basePath))
        return false;

    // Every dialog directory hangs under one root beside the layout's directory.
    const std::string uiDirectory = basePath + "../ui";
    const std::string root = uiDirectory + "/dialogs";
    for (const std::string &directory : {uiDirectory, root}) {
        if (!MakeDirectory(directory)) {
            const std::string message = "Error: Cannot create the directory " + directory +
                                        " for the Qt dialog files.\nNo dialog file was written.";
            QorUtilDialogErrMsg(message.c_str());
            return false;
        }
    }

    bool allWritten = true;
    std::set<std::string> writtenClassNames;
    std::string repeatedClassName;
    // One text buffer for every file: it keeps the room of the largest so far.
    std::string text;
    for (DialogElement *dialog : dialogs) {
        if (!writtenClassNames.insert(dialog->className).second) {
            repeatedClassName = dialog->className;
            break;
        }
        const std::string className = dialog->className + "Dialog";
        const std::string directory = root + "/" + LowerCase(dialog->className);
        MakeDirectory(directory);
        const std::string stem = directory + "/" + className;

        qt::OutputFile form;
        const bool formOpened = form.open(stem + ".ui");
        if (formOpened) {
            text.clear();
            writeDialogForm(text, *dialog);
            allWritten = form.writeAndClose(text) && allWritten;
        }
        qt::OutputFile header;
        if (header.open(stem + ".h")) {
            text.clear();
            writeDialogHeader(text, *dialog, className);
            allWritten = header.writeAndClose(text) && allWritten;
        } else {
            allWritten = false;
        }
        qt::OutputFile definitions;
        if (definitions.open(stem + "_guidefs.h")) {
            text.clear();
            writeDialogDefinitionsFile(text, *dialog, className);
            allWritten = definitions.writeAndClose(text) && allWritten;
        } else {
            allWritten = false;
        }
        MakeDirectory(directory + "/_build");
        if (!formOpened) {
            allWritten = false;
            break;
        }
    }
    if (!repeatedClassName.empty()) {
        const std::string message = "Error: dialog title " + repeatedClassName +
                                    " is not unique. All dialog title must be unique.";
        QorUtilDialogErrMsg(message.c_str());
        allWritten = false;
    }
    return allWritten;
}

void QtWriter::writeDialogDefinitionsFile(std::string &out, DialogElement &dialog,
                                          const std::string &className) {
    const int number = Dec(dialog.number);
    out += qt::kBanner;
    out += qt::kExternBlock;
    writeDefinitions(out, dialog);
    Appendf(out, "DLB_EXTERN GUIInt_t Dialog%dManager;\n\n", number);
    Appendf(out,
            "#if defined GUIDEFS_MODULE_\n#include \"MainWindowGenerated.h\"\n\n"
            "#include \"uiutils.h\"\n\nvoid BuildDialog%d(GUIInt_t ParentDialog)\n{\n"
            "   static bool isFirstTime = true;\n   if (isFirstTime)\n   {\n"
            "       isFirstTime = false;\n       QWidget* parent = 0;\n"
            "       if (ParentDialog == MAINDIALOGID)\n           parent = findMainWindow();\n"
            "       else\n"
            "         parent = (QDialog*)MainWindowGenerated::qtWidgets()[ParentDialog];\n\n"
            "       %s& dialog = %s::getInstance(parent);\n\n"
            "       Dialog%dManager = "
            "static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());\n"
            "       MainWindowGenerated::qtWidgets().push_back(&dialog);\n\n",
            number, className.c_str(), className.c_str(), number);
    writeRegistrations(out, dialog);
    writeInitializations(out, dialog);
    Appendf(out,
            "   }\n}\n#else\nextern void BuildDialog%d(GUIInt_t ParentDialog);\n#endif\n\n"
            "// end of generated code\n\n",
            number);
}

void QtWriter::writeDefinitions(std::string &out, DialogElement &container) {
    for (const DialogElement *e : container.descendants()) {
        if (e->name.empty())
            continue;
        Appendf(out, "DLB_EXTERN GUIInt_t %s;\n", e->name.c_str());
        if (e->type == ElementType::RadioBox)
            for (size_t k = 0; k < e->items.size(); ++k)
                Appendf(out, "DLB_EXTERN GUIInt_t %s_%d;\n", e->name.c_str(), static_cast<int>(k));
    }
}

void QtWriter::writeRegistrations(std::string &out, DialogElement &container) {
    for (const DialogElement *e : container.descendants()) {
        const char *name = e->name.c_str();
        if (!e->name.empty())
            Appendf(out,
                    "        %s = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());\n"
                    "        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().%s);\n\n",
                    name, name);
        if (e->type == ElementType::Spin)
            Appendf(out,
                    "\n        // Initialize spin up/down callbacks\n"
                    "        extern void %s_ButtonUp_CB();\n"
                    "        extern void %s_ButtonDown_CB();\n"
                    "        dialog.getUi().%s->setButtonUpCallback(%s_ButtonUp_CB);\n"
                    "        dialog.getUi().%s->setButtonDownCallback(%s_ButtonDown_CB);\n\n",
                    name, name, name, name, name, name);
    }
}

void QtWriter::writeInitializations(std::string &out, DialogElement &container) {
    for (const DialogElement *e : container.descendants()) {
        const char *name = e->name.c_str();
        switch (e->type) {
        case ElementType::RadioBox:
            Appendf(out,
                    "\n        // Initialize radio button group %s\n"
                    "        QorGUIRadioBoxSetToggleQt(%s,1);\n",
                    name, name);
            break;
        case ElementType::MultiList:
        case ElementType::SingleList:
            Appendf(out,
                    "        // Fix list control highlighted background so that it is always "
                    "bright.\n\n"
                    "        dialog.getUi().%s->setItemDelegate(&dialog.m_listItemDelegate);\n",
                    name);
            break;
        case ElementType::Tab:
            Appendf(out,
                    "\n        // Initialize tab control %s to the first tab page\n"
                    "        dialog.getUi().%s->blockSignals(true);\n"
                    "        dialog.getUi().%s->setCurrentWidget(dialog.getUi().%s->widget(0));\n"
                    "        dialog.getUi().%s->blockSignals(false);\n",
                    name, name, name, name, name);
            break;
        default:
            break;
        }
    }
}

void QtWriter::writeDialogHeader(std::string &out, DialogElement &dialog,
                                 const std::string &className) {
    const bool modal = dialog.type == ElementType::ModalDialog;
    const char *c = className.c_str();
    const int n = Dec(dialog.number);
    const char *spinInclude =
        dialog.holds(ElementType::Spin) ? "#include \"QuorvinSpinBox.h\"\n" : "";
    const char *tabInclude =
        dialog.holds(ElementType::Tab) ? "#include \"QuorvinTabWidget.h\"\n" : "";

    out += qt::kBanner;
    out += "// DO NOT EDIT THIS FILE\n\n";
    Appendf(out,
            "#ifndef CLASS_%s_INCLUDED_H_\n#define CLASS_%s_INCLUDED_H_\n#include <memory>\n"
            "#include \"QORADDON.h\"\n#include \"QorGUICallbackUtil.h\"\n"
            "#include \"QuorvinListItemDelegate.h\"\n%s%s\n%s\n#include <QDialog>\n"
            "#include <QCloseEvent>\n#include \"ui_%s.h\"\n\n\n",
            c, c, spinInclude, tabInclude, modal ? "" : qt::kSchedulerIncludes, c);
    Appendf(out, "// Dialog%dManager\n", n);
    Appendf(out,
            "class %s : public QDialog\n{\n   Q_OBJECT\npublic:\n"
            "   static %s& getInstance(QWidget* parent = 0)\n   {\n"
            "       if (m_dialogInstance == NULL)\n"
            "           m_dialogInstance = new %s(parent);\n"
            "       return *m_dialogInstance;\n   }\n   virtual ~%s() {}\n"
            "   Ui::%sUI& getUi() { return m_ui; }\n\n"
            "   QuorvinListItemDelegate m_listItemDelegate;\n\nprivate:\n%s\n",
            c, c, c, c, c, modal ? "" : qt::kSchedulerMembers);
    Appendf(out,
            "   // void setupStandardDialogBindings();\n"
            "    virtual void showEvent(QShowEvent *event)\n    {\n"
            "        extern void Dialog%dInit_CB();\n        Dialog%dInit_CB();\n"
            "        QDialog::showEvent(event);\n    }\n\n",
            n, n);
    writeCloseHandlers(out, dialog);
    out += "private slots:\n\n";

    if (dialog.hasHelp || dialog.hasApply || dialog.hasOkClose || dialog.hasCancel) {
        Appendf(out, "    void on_Dialog%d_buttonBox_clicked(QAbstractButton* button)\n    {\n", n);
        auto test = [&out, n](const char *button, const std::string &callback) {
            Appendf(out,
                    "       extern void %s(void);\n"
                    "       if (m_ui.Dialog%d_buttonBox->standardButton(button) == "
                    "QDialogButtonBox::%s)\n"
                    "           %s();\n",
                    callback.c_str(), n, button, callback.c_str());
        };
        if (dialog.hasCancel)
            test("Cancel", dialog.moreCallbacks().cancel);
        if (dialog.hasOkClose)
            test(modal ? "Ok" : "Close", dialog.moreCallbacks().okClose);
        if (dialog.hasHelp)
            test("Help", dialog.moreCallbacks().help);
        if (dialog.hasApply)
            test("Apply", dialog.moreCallbacks().apply);
        out += "    }\n";
    }

    out += "\n    // Dialog control slots\n";
    writeControlSlots(out, dialog);
    out += "\n";
    Appendf(out,
            "\nprivate:\n    %s(QWidget* parent = 0) : QDialog(parent, Qt::WindowTitleHint | "
            "Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)\n    {\n        %s\n"
            "        m_ui.setupUi(this);\n",
            c, modal ? "" : qt::kSchedulerSetUp);
    writeTabMapInitializations(out, dialog);
    out += "    }\n\n";
    Appendf(out, "    Ui::%sUI    m_ui;\n\n    static %s*  m_dialogInstance;\n", c, c);
    writeTabMapMembers(out, dialog);
    Appendf(out,
            "\n    // Hide constructors and assignment operator\n    %s(const %s&);\n"
            "    %s& operator = (const %s&);\n};\n\n",
            c, c, c, c);
    Appendf(out, "#if defined GUIDEFS_MODULE_\n%s* %s::m_dialogInstance = NULL;\n#endif\n\n", c, c);
    Appendf(out, "#include \"%s_guidefs.h\"\n", c);
    Appendf(out, "\n#endif // CLASS_%s_INCLUDED_H_\n", c);
    out += "// End of generated source code.\n\n";
}

void QtWriter::writeCloseHandlers(std::string &out, const DialogElement &dialog) {
    const bool modal = dialog.type == ElementType::ModalDialog;
    const bool ok = modal && dialog.hasOkClose;
    const bool close = !modal && dialog.hasOkClose;
    const std::string traceClass = qt::TraceText(dialog.className);
    const std::string traceName = qt::TraceText(dialog.name);

    out += "public:\n    virtual void closeEvent(QCloseEvent *event)\n    {\n"
           "        if (event->type()==QEvent::Close)\n        {\n";
    const char *closeEventCall = "            extern void %s();\n            %s();\n";
    if (close)
        AppendCallCallback(out, closeEventCall, dialog.moreCallbacks().okClose);
    else if (dialog.hasCancel)
        AppendCallCallback(out, closeEventCall, dialog.moreCallbacks().cancel);
    else if (ok)
        AppendCallCallback(out, closeEventCall, dialog.moreCallbacks().okClose);
    else if (dialog.hasApply)
        AppendCallCallback(out, closeEventCall, dialog.moreCallbacks().apply);
    out += "        }\n        event->accept();\n    }\n\n";

    Appendf(out,
            "private slots:\n    virtual void reject()\n    {\n"
            "        TRACE(\" %s (%s) reject callback().\\n\");\n\n"
            "        // Note: We don't call QDialog::reject() because it\n"
            "        // is up to the add-on to close the dialog\n"
            "        // by calling QorGUIDialogDrop(), which will eventually\n"
            "        // end up in accept() callback below.\n\n",
            traceClass.c_str(), traceName.c_str());
    const char *rejectCall = "        extern void %s();\n        %s();\n";
    if (dialog.hasCancel)
        AppendCallCallback(out, rejectCall, dialog.moreCallbacks().cancel);
    else if (close)
        AppendCallCallback(out, rejectCall, dialog.moreCallbacks().okClose);
    else if (dialog.hasApply)
        AppendCallCallback(out, rejectCall, dialog.moreCallbacks().apply);
    else if (ok)
        AppendCallCallback(out, rejectCall, dialog.moreCallbacks().okClose);
    else
        ReportMissingButtons();
    out += "    }\n";

    Appendf(out,
            "\nvirtual void accept()\n    {\n"
            "        TRACE(\" %s (%s) accept callback().\\n\");\n",
            traceClass.c_str(), traceName.c_str());
    if (ok)
        AppendCallCallback(out,
                           "        extern void %s();\n        %s();\n        QDialog::accept();\n",
                           dialog.moreCallbacks().okClose);
    else if (close)
        AppendCallCallback(out, "    extern void %s();\n    %s();\n",
                           dialog.moreCallbacks().okClose);
    else if (dialog.hasCancel)
        AppendCallCallback(out, "     extern void %s();\n     %s();\n",
                           dialog.moreCallbacks().cancel);
    else if (dialog.hasApply)
        AppendCallCallback(out, "    extern void %s();\n    %s();\n", dialog.moreCallbacks().apply);
    else
        ReportMissingButtons();
    out += "    }\n\n";
}

} // namespace quorvin::qorutilmisc
