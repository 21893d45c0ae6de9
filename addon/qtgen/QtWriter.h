// Writes the Qt output of a build from the dialog element trees: a Qt Designer
// form, a dialog class and a definitions header per dialog, the generated main
// window that holds the sidebars, and the resource file of the bitmap icons.
//
// Every text is assembled in memory and written by path; the process's
// current directory is never changed. Failures are shown through the host's
// error dialog and make the writing operation return false.
#pragma once

#include "model/DialogElement.h"
#include "model/Parser.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin::qorutilmisc {

class QtWriter {
  public:
    QtWriter();
    virtual ~QtWriter();
    QtWriter(const QtWriter &) = delete;
    QtWriter &operator=(const QtWriter &) = delete;

    // ---- the build's three steps, called in this order
    // Per dialog "ui/dialogs/<class in lower case>/" beside the layout's
    // directory with the form, class header, definitions header and an empty
    // "_build". True when every file of every dialog was written.
    bool writeDialogFiles(Parser &parser);
    // The main window form, header and definitions in "ui/mainwindow/qt"
    // beside the layout's directory (which must exist).
    bool writeMainWindowFiles(Parser &parser);
    // "quorvinrs_generated.qrc" in the layout's directory.
    bool writeResourceFile();

    // ---- forms
    // "   <string>" + trimmed, escaped text + "</string>\n".
    static void writeXmlString(std::string &out, const std::string &text);
    // The geometry, tool tip and focus properties of a widget (no line feed
    // at the end).
    static void appendGeometryProperties(std::string &out, const DialogElement &element);
    static void openWidget(std::string &out, const DialogElement &element, const char *className);
    static void closeWidget(std::string &out, const DialogElement &element);
    static void writeWidget(std::string &out, const DialogElement &element, const char *className,
                            std::string_view extraProperties);
    // A widget whose one property of its own holds the element's text.
    static void writeTextWidget(std::string &out, const DialogElement &element,
                                const char *className, const char *propertyHead);
    void writeWidgets(std::string &out, const std::vector<DialogElement *> &list);
    void writeTabWidget(std::string &out, DialogElement &tab);
    void writeStackedWidget(std::string &out, DialogElement &form);
    void writeRadioBox(std::string &out, DialogElement &radioBox);
    void writeBitmapButton(std::string &out, const DialogElement &button, bool checkable);
    void writeButtonGroups(std::string &out) const;
    static void writeCustomWidgets(std::string &out, bool hasSpin, bool hasTab);
    void writeDialogForm(std::string &out, DialogElement &dialog);

    // ---- dialog classes
    void writeDialogHeader(std::string &out, DialogElement &dialog, const std::string &className);
    static void writeCloseHandlers(std::string &out, const DialogElement &dialog);
    void writeDialogDefinitionsFile(std::string &out, DialogElement &dialog,
                                    const std::string &className);
    static void writeDefinitions(std::string &out, DialogElement &container);
    static void writeRegistrations(std::string &out, DialogElement &container);
    static void writeInitializations(std::string &out, DialogElement &container);

    // ---- control slots and tab maps
    // Appends the slots of every control of the container.
    static void writeControlSlots(std::string &out, DialogElement &container);
    static void writeTabMapMembers(std::string &out, DialogElement &container);
    static void writeTabMapInitializations(std::string &out, DialogElement &container);

    // The icon file a bitmap's image file is listed under ("name.png").
    static std::string iconFileName(const std::string &imageFile);

    // ---- state of one build
    std::set<std::string> iconFiles;               // icons of every form, ascending
    std::vector<const DialogElement *> radioBoxes; // of the form being written
};

} // namespace quorvin::qorutilmisc
