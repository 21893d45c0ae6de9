// The build command: checks the design, opens the output files of the
// language beside the layout, generates every page and then every dialog and
// sidebar, writes InitDLB, saves the layout and "dlb.cfg", and reports.
#include "classic/Build.h"

#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "classic/Generator.h"

#include "model/Format.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "model/Parser.h"
#include "model/Validation.h"
#include "options/Options.h"
#include "qtgen/QtBuild.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace quorvin::builder {

namespace {

struct FileNames {
    const char *callback, *builder, *definitionsHeader, *definitionsSource, *callbackInclude;
};

// The output files of each classic language (null: the language has none).
FileNames OutputFileNames(int32_t language) {
    switch (language) {
    case LanguageC:
        return {"guicb.tmp", "guibld.c", "GUIDEFS.h", "guidefs.c", nullptr};
    case LanguageCPP:
        return {"guicb.tmp", "guibld.cpp", "GUIDEFS.h", "guidefs.cpp", nullptr};
    case LanguageFORTRAN:
        return {"guicb.tmp", "guibld.F", "GUIDEFS.INC", nullptr, "GUICB.INC"};
    default:
        return {nullptr, nullptr, nullptr, nullptr, nullptr};
    }
}

// Opens basePath + fileName for writing (truncating). The path is built in
// a host string that is freed right after the open.
std::unique_ptr<GeneratedFile> OpenOutputFile(const char *basePath, const char *fileName) {
    if (!fileName)
        return nullptr;
    const size_t length = std::strlen(basePath) + std::strlen(fileName);
    char *path = QorUtilStringAlloc(static_cast<LgIndex_t>(length), "Temp storage for filename");
    if (!path)
        return nullptr;
    std::strcpy(path, basePath);
    std::strcat(path, fileName);
    std::FILE *file = std::fopen(path, "w");
    QorUtilStringDealloc(&path);
    if (!file)
        return nullptr;
    // The text comes in large pieces: the stream needs no buffer of its own.
    std::setvbuf(file, nullptr, _IONBF, 0);
    return std::make_unique<GeneratedFile>(file);
}

// The open output files with their names; every one is closed on every path.
struct OpenFiles {
    OutputFiles files; // the files below
    std::unique_ptr<GeneratedFile> builder, callback, definitionsHeader, definitionsSource,
        callbackInclude;
    std::string basePath;
    FileNames names{};

    OpenFiles() = default;
    OpenFiles(const OpenFiles &) = delete;
    OpenFiles &operator=(const OpenFiles &) = delete;
    ~OpenFiles() { Close(); }

    // True when every file was written and closed without an error; a file
    // that fails is named in a message.
    bool Close() {
        bool ok = true;
        const auto close = [&](std::unique_ptr<GeneratedFile> &file, const char *name) {
            if (!file)
                return;
            if (!file->Close()) {
                ok = false;
                // The system's reason follows on a line of its own.
                const std::string message =
                    FormatText("Could not write the file\n%s%s\n%s", basePath.c_str(), name,
                               SystemReason(file->Error()).c_str());
                QorUtilDialogErrMsg(message.c_str());
            }
            file.reset();
        };
        files = OutputFiles{};
        close(builder, names.builder);
        close(callback, names.callback);
        close(definitionsHeader, names.definitionsHeader);
        close(definitionsSource, names.definitionsSource);
        close(callbackInclude, names.callbackInclude);
        return ok;
    }

    bool AllOpen() const {
        return builder && callback && definitionsHeader &&
               (!names.definitionsSource || definitionsSource) &&
               (!names.callbackInclude || callbackInclude);
    }

    void Open(const char *base, int32_t language) {
        callback = OpenOutputFile(base, names.callback);
        builder = OpenOutputFile(base, names.builder);
        if (language == LanguageFORTRAN) {
            callbackInclude = OpenOutputFile(base, names.callbackInclude);
            definitionsHeader = OpenOutputFile(base, names.definitionsHeader);
        } else {
            definitionsHeader = OpenOutputFile(base, names.definitionsHeader);
            definitionsSource = OpenOutputFile(base, names.definitionsSource);
        }
        files = {builder.get(), callback.get(), definitionsHeader.get(), definitionsSource.get(),
                 callbackInclude.get()};
    }
};

// Refuses a design whose numbers would make identifiers no compiler accepts
// or would not fit the page tables: sidebars and pages without ID, negative
// IDs, page frames linked outside the groups 1 to 32, more than 32 tab pages
// in a group, and tab or form controls with a GROUP outside -1 to 32. Each
// message names the frame (and the control).
bool CheckBuildNumbers() {
    std::string error;
    int tabPages[kLinkGroupCount] = {};
    if (!QorUtilFrameLightweightPopStart())
        return true;
    do {
        HostString nameString = CurrentFrameName();
        if (!nameString)
            continue;
        const char *name = nameString.get();
        // Quiet: unrecognised flags are reported when the frames are generated.
        const FrameKind kind = GetFrameKind(name, false);
        const int id = GetFrameId(name);
        const bool page = kind == FormPage || kind == TabPage;
        if ((page || kind == Sidebar) && id == -1) {
            error = FormatText("Missing ID= from frame name\n%s", name);
            break;
        }
        if (id < 0 && id != -1) {
            error =
                FormatText("Invalid ID=%d in frame name: an ID must be 0 or more.\n%s", id, name);
            break;
        }
        if (page) {
            const int group = FrameLinking("LinkGroup");
            if (group < 1 || group > kLinkGroupCount) {
                error = FormatText("The page frame\n%s\nis linked in the frame linking group %d.\n"
                                   "Pages must use a frame linking group from 1 to 32.",
                                   name, group);
                break;
            }
            if (kind == TabPage && ++tabPages[group - 1] > kMaxTabPagesPerGroup) {
                error = FormatText("The frame linking group %d has more than %d tab pages.\n"
                                   "A tab control holds at most %d pages; the page frame\n%s\n"
                                   "is one too many.",
                                   group, kMaxTabPagesPerGroup, kMaxTabPagesPerGroup, name);
                break;
            }
        }
        for (Text_ID text = QorUtilTextGetBase(); text && error.empty();
             text = QorUtilTextGetNext(text)) {
            if (QorUtilTextGetAngle(text) != 0)
                continue;
            HostString string = TextString(text);
            if (!string)
                continue;
            const ControlKind control = ClassifyByPrefix(QorUtilTextBoxGetType(text), string.get());
            if (control != Tab && control != Form)
                continue;
            const int group = GetIntParameter(string.get(), "GROUP", 0);
            if (group < -1 || group > kLinkGroupCount)
                error = FormatText("The %s control\n\"%s\"\nof frame\n%s\nhas GROUP=%d.\n"
                                   "GROUP must name a frame linking group from 1 to 32.",
                                   control == Tab ? "tab" : "form",
                                   EscapeNewlines(string.get()).c_str(), name, group);
        }
        if (!error.empty())
            break;
    } while (QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
    if (error.empty())
        return true;
    QorUtilDialogErrMsg(error.c_str());
    return false;
}

void WarnRepeatedManager(const std::string &firstFrame, const ContainerInfo &c) {
    const std::string message =
        FormatText("The frames\n%s\nand\n%s\nboth make %s.\nThe generated code will not "
                   "compile until one of them gets another ID.",
                   firstFrame.c_str(), c.frameName.c_str(), c.ManagerName().c_str());
    QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
}

void ClearPageSets() {
    for (int group = 1; group <= kLinkGroupCount; ++group) {
        if (Set_pa set = FormPageSet(group))
            QorUtilSetClear(set);
        if (Set_pa set = TabPageSet(group))
            QorUtilSetClear(set);
    }
}

// The three passes over every frame, each starting at the frame that was
// current: the page IDs of every linking group, then every page, then every
// dialog and sidebar. Frames are told apart by unique ID; a frame whose name
// cannot be read is passed over.
void GenerateAllFrames(const OutputFiles &files, int32_t language, UniqueID_t start) {
    DrawingOff drawingOff;
    const LgIndex_t frameCount = QorUtilFrameGetCount();
    // Manager name -> the frame that made it: two containers with one
    // manager make code that does not compile.
    std::map<std::string, std::string> managers;
    for (int pass = 1; pass <= 3; ++pass) {
        for (LgIndex_t i = 0; i < frameCount; ++i) {
            if (HostString name = CurrentFrameName()) {
                const FrameKind kind = GetFrameKind(name.get());
                const bool page = kind == FormPage || kind == TabPage;
                if (pass == 1 && page) {
                    const int group = FrameLinking("LinkGroup");
                    const int id = GetFrameId(name.get());
                    Set_pa set = kind == FormPage ? FormPageSet(group) : TabPageSet(group);
                    if (set && id >= 0)
                        QorUtilSetAddMember(set, id, FALSE);
                } else if ((pass == 2 && page) || (pass == 3 && !page)) {
                    const ContainerInfo c = GenerateFrame(name.get(), files, language);
                    const auto [it, inserted] = managers.emplace(c.ManagerName(), c.frameName);
                    if (!inserted)
                        WarnRepeatedManager(it->second, c);
                }
            }
            QorUtilFramePop(1);
            if (QorUtilFrameGetUniqueID() == start)
                break;
        }
    }
}

void WriteFixedHeads(const OutputFiles &files, int32_t language) {
    const bool c = language == LanguageC || language == LanguageCPP;
    if (c) {
        EmitCode(files.callback, "#include \"QORADDON.h\"\n");
        EmitCode(files.callback, "#include \"ADDGLBL.h\"\n");
        EmitCode(files.callback, "#if !defined (MSWIN)\n");
        EmitCode(files.callback, "#include <unistd.h>\n");
        EmitCode(files.callback, "#endif\n");
        EmitCode(files.callback, "#include \"GUIDEFS.h\"\n\n\n\n");
    }
    WriteFileHeader(files.builder, language);
    WriteFileHeader(files.definitionsHeader, language);
    if (c) {
        EmitCode(files.definitionsHeader, "extern void InitDLB(void);\n");
        WriteFileHeader(files.definitionsSource, language);
        EmitCode(files.definitionsSource, "#include \"QORADDON.h\"\n");
        EmitCode(files.definitionsSource, "#include \"GUIDEFS.h\"\n");
    }
}

void WriteClosingInclude(GeneratedFile *callback, int32_t language) {
    switch (language) {
    case LanguageC:
        EmitCode(callback, "\n\n\n\n#include \"guibld.c\"\n");
        break;
    case LanguageCPP:
        EmitCode(callback, "\n\n\n\n#include \"guibld.cpp\"\n");
        break;
    case LanguageFORTRAN:
        EmitCode(callback, "\n\n\n\n      include \"guibld.F\"\n");
        break;
    default:
        break;
    }
}

struct CollectorScope {
    std::unique_ptr<qorutilmisc::Parser> parser = std::make_unique<qorutilmisc::Parser>();
    CollectorScope() { BuildState.Collector = parser.get(); }
    ~CollectorScope() { BuildState.Collector = nullptr; }
    CollectorScope(const CollectorScope &) = delete;
    CollectorScope &operator=(const CollectorScope &) = delete;
};

void ShowSuccess(const char *layoutName, int32_t language) {
    const size_t length = std::strlen(layoutName) + 80;
    char *message = QorUtilStringAlloc(static_cast<LgIndex_t>(length), "temp message string");
    if (!message)
        return;
    if (language == LanguageQt)
        std::snprintf(message, length + 1, "New Qt stub files have been written.");
    else
        std::snprintf(message, length + 1,
                      "New GUI stub files have been written.\nNew layout file written to: %s",
                      layoutName);
    QorUtilDialogMessageBox(message, MessageBox_Information);
    QorUtilStringDealloc(&message);
}

} // namespace

void GoBuild(int32_t language, bool preview) {
    if (language < LanguageC || language > LanguageQt) {
        const std::string message =
            FormatText("Unknown output language %d.\nPlease choose C, C++ or FORTRAN in the "
                       "options and build again.",
                       language);
        QorUtilDialogErrMsg(message.c_str());
        return;
    }
    // The element collector lives exactly as long as this build.
    CollectorScope collector;
    if (BuildNameList)
        QorUtilStringListClear(BuildNameList);

    // The frame on top when the command starts decides the OK and CANCEL rules.
    HostString frameName = CurrentFrameName();
    if (!frameName) {
        QorUtilDialogErrMsg("There is no frame to build.\nPlease insert a dialog or sidebar "
                            "frame and try again.");
        return;
    }
    const bool apply = GetBoolParameter(frameName.get(), "APPLYBUTTON", false);
    const bool okClose = GetBoolParameter(frameName.get(), "OKCLOSEBUTTON", true);
    const bool cancel = GetBoolParameter(frameName.get(), "CANCELBUTTON", true);
    if (!IsModeless(frameName.get())) {
        if (!okClose) {
            QorUtilDialogErrMsg("Cannot build dialog.\nModeless dialogs must have an OK "
                                "button.\nPlease add an OK button by adding the "
                                "string\n\"OKCLOSEBUTTON=TRUE\" to the dialog frame name.");
            return;
        }
        if (apply && !cancel) {
            QorUtilDialogErrMsg("Cannot build dialog.\nModeless dialogs must have a CANCEL "
                                "button\nif they have an APPLY button. Please add a\nCANCEL "
                                "button by adding the string\n\"CANCELBUTTON=TRUE\" to the "
                                "dialog frame name.");
            return;
        }
    }
    frameName.reset();

    BuildState.Preview = preview;
    BuildState.Language = language;
    if (preview)
        BuildState.PreviewHandle = BADDIALOGID;

    if (!ValidateLayout())
        return;
    if (!preview && !CheckBuildNumbers())
        return;

    HostString layoutName(QorUtilGetCurLayoutFName());
    if (!layoutName && !preview) {
        QorUtilDialogErrMsg("Please save the GUI to a layout file before building.");
        return;
    }

    QorUtilPleaseWait("Building...", TRUE);

    OpenFiles out;
    out.names = OutputFileNames(language);
    if (!preview) {
        HostString basePath(QorUtilGetBasePath(layoutName.get()));
        out.basePath = ToStdString(basePath);
        if (language != LanguageQt)
            out.Open(out.basePath.c_str(), language);
    }
    BuildTabPageTable();

    if (!preview && language != LanguageQt && !out.AllOpen()) {
        QorUtilDialogErrMsg("Cannot open one or more stub files for writing!");
        QorUtilPleaseWait("Building...", FALSE);
        out.Close();
        QorUtilDialogErrMsg("Error writing files.");
        return;
    }

    ClearPageSets();
    const UniqueID_t start = QorUtilFrameGetUniqueID();
    WriteFixedHeads(out.files, language);

    if (preview) {
        // The live walk of a preview belongs to the preview command.
        if (BuildHooks.previewWalk)
            BuildHooks.previewWalk();
        QorUtilPleaseWait("Building...", FALSE);
        if (BuildState.PreviewHandle != BADDIALOGID) {
            HostString current = CurrentFrameName();
            if (current && GetFrameKind(current.get()) == Sidebar)
                QorGUISidebarActivate(BuildState.PreviewHandle);
            else
                QorGUIDialogLaunch(BuildState.PreviewHandle);
        }
        return;
    }

    {
        // A Qt build writes no classic file: the walk only records the
        // element trees, which are written once the layout is saved.
        std::unique_ptr<QtRecording> recording;
        if (language == LanguageQt)
            recording = std::make_unique<QtRecording>(*collector.parser);
        GenerateAllFrames(out.files, language, start);
    }

    bool failed = false;
    WriteClosingInclude(out.files.callback, language);
    WriteInitDlb(out.files.builder, language);
    if (!QorUtilSaveLayout(layoutName.get(), TRUE)) {
        const std::string message = FormatText("Error saving layout file.\nYour work has not been "
                                               "saved.\nPlease check file permissions on file\n%s.",
                                               layoutName.get());
        QorUtilDialogErrMsg(message.c_str());
        failed = true;
    }
    WriteConfigFile();
    QorUtilPleaseWait("Building...", FALSE);

    if (!out.Close())
        failed = true;
    if (language != LanguageQt && failed) {
        QorUtilDialogErrMsg("Error writing files.");
        return;
    }
    // The Qt files are written even when the layout could not be saved (its
    // message has been shown); success is reported only when both worked.
    if (language == LanguageQt && (!WriteQtOutput(*collector.parser) || failed))
        return;
    ShowSuccess(layoutName.get(), language);
}

} // namespace quorvin::builder
