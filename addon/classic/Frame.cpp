// One container of the design (the current frame) becomes its manager
// variable, standard callback stubs and builder function.
#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "classic/Generator.h"

#include "model/HostResources.h"
#include "model/Parameters.h"
#include "model/Validation.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <string>

namespace quorvin::builder {

namespace {

// Blanks that line up the argument lines of the C creation statements under
// the opening parenthesis of their first line.
const std::string kModalPad(42, ' ');
const std::string kModelessPad(45, ' ');
const std::string kSidebarPad(38, ' ');
const std::string kTabPagePad(31, ' ');

// "Dialog" for the parameter of a dialog's builder function (ParentDialog),
// nothing for pages (Parent).
const char *ParentSuffix(const ContainerInfo &c) {
    return c.IsDialog() ? "Dialog" : "";
}

std::vector<ImageName> NameImages(const ContainerInfo &c) {
    std::vector<ImageName> images;
    for (Geom_ID geom = QorUtilGeomGetBase(); geom; geom = QorUtilGeomGetNext(geom)) {
        if (QorUtilGeomGetType(geom) != GeomType_Image)
            continue;
        ImageName image;
        image.geom = geom;
        if (HostString name{GetImageVarName(c.kind, geom, c.number, false)})
            image.identifier = name.get();
        images.push_back(image);
    }
    return images;
}

void WriteDeclarations(const ContainerInfo &c, const OutputFiles &files, int32_t language) {
    GeneratedFile *header = files.definitionsHeader;
    const char *prefix = c.prefix.c_str();
    if (language == LanguageFORTRAN) {
        EmitCode(header, "      INTEGER*4 %s%dManager\n", prefix, c.number);
        EmitCode(header, "      COMMON /%s%dManager_C/ %s%dManager\n", prefix, c.number, prefix,
                 c.number);
        return;
    }
    EmitCode(header, "extern GUIInt_t %s%dManager;\n", prefix, c.number);
    if (c.kind == Sidebar)
        EmitCode(header, "extern void BuildSidebar%d(void);\n", c.id);
    else
        EmitCode(header, "extern void Build%s%d(GUIInt_t  Parent%s);\n\n", prefix, c.number,
                 ParentSuffix(c));
}

void WriteFunctionHeadC(const ContainerInfo &c, const std::vector<ImageName> &images,
                        GeneratedFile *b, int32_t language) {
    WriteBitmapData(language, images, b);
    if (c.kind == Sidebar)
        EmitCode(b, "\n/**\n */\nvoid BuildSidebar%d(void)\n", c.id);
    else
        EmitCode(b, "\n/**\n */\nvoid Build%s%d(GUIInt_t  Parent%s)\n", c.prefix.c_str(), c.number,
                 ParentSuffix(c));
    EmitCode(b, "{\n");
    EmitCode(b, "  if (%s%dManager != BADDIALOGID)\n", c.prefix.c_str(), c.number);
    EmitCode(b, "    return;\n\n");
}

void WriteFunctionHeadFortran(const ContainerInfo &c, const std::vector<ImageName> &images,
                              GeneratedFile *b, int32_t language) {
    if (c.kind == Sidebar)
        EmitCode(b, "      SUBROUTINE Build%s%d()\n", c.prefix.c_str(), c.number);
    else
        EmitCode(b, "      SUBROUTINE Build%s%d(Parent)\n", c.prefix.c_str(), c.number);
    EmitCode(b, "      INCLUDE 'ADDGLBL.INC'\n");
    EmitCode(b, "      INTEGER*4    Parent\n");
    EmitCode(b, "      INCLUDE 'FGLUE.INC'\n");
    EmitCode(b, "      INCLUDE 'GUICB.INC'\n");
    EmitCode(b, "      INCLUDE 'GUIDEFS.INC'\n");
    EmitCode(b, "      POINTER (NULLPTRHANDLE,NULLPTRVAR)\n");
    EmitCode(b, "      INTEGER*4 NULLPTRVAR\n");
    EmitCode(b, "      INTEGER*4 III\n");
    EmitCode(b, "\n");
    WriteBitmapData(language, images, b);
    EmitCode(b, "      NULLPTRHANDLE = 0\n");
    if (!c.IsPage())
        EmitCode(b, "      if (%s%dManager.ne.BADDIALOGID) Return\n", c.prefix.c_str(), c.number);
    EmitCode(b, "\n");
}

void WriteCreationC(const ContainerInfo &c, GeneratedFile *b) {
    const std::string title = EscapeCString(c.title);
    const int id = c.id;
    switch (c.kind) {
    case ModalDialog: {
        const char *pad = kModalPad.c_str();
        EmitCode(b, "  Dialog%dManager = QorGUIDialogCreateModal(ParentDialog,\n", id);
        EmitCode(b, "%s%d,\n", pad, c.width);
        EmitCode(b, "%s%d,\n", pad, c.height);
        EmitCode(b, "%s\"%s\",\n", pad, title.c_str());
        EmitCode(b, "%sDialog%dInit_CB,\n", pad, id);
        if (c.okClose)
            EmitCode(b, "%sDialog%dOkButton_CB,\n", pad, id);
        else
            EmitCode(b, "%sNULL,\n", pad);
        if (c.apply)
            EmitCode(b, "%sDialog%dApplyButton_CB,\n", pad, id);
        else
            EmitCode(b, "%sNULL,\n", pad);
        if (c.cancel)
            EmitCode(b, "%sDialog%dCancelButton_CB,\n", pad, id);
        else
            EmitCode(b, "%sNULL,\n", pad);
        if (c.help)
            EmitCode(b, "%sDialog%dHelpButton_CB);\n", pad, id);
        else
            EmitCode(b, "%sNULL);\n", pad);
        break;
    }
    case ModelessDialog: {
        const char *pad = kModelessPad.c_str();
        EmitCode(b, "  Dialog%dManager = QorGUIDialogCreateModeless(ParentDialog,\n", id);
        EmitCode(b, "%s%d,\n", pad, c.width);
        EmitCode(b, "%s%d,\n", pad, c.height);
        EmitCode(b, "%s\"%s\",\n", pad, title.c_str());
        EmitCode(b, "%sDialog%dInit_CB,\n", pad, id);
        if (c.okClose)
            EmitCode(b, "%sDialog%dCloseButton_CB,\n", pad, id);
        else
            EmitCode(b, "%sNULL,\n", pad);
        if (c.help)
            EmitCode(b, "%sDialog%dHelpButton_CB);\n", pad, id);
        else
            EmitCode(b, "%sNULL);\n", pad);
        break;
    }
    case Sidebar: {
        const char *pad = kSidebarPad.c_str();
        EmitCode(b,
                 "  %s%dManager = QorGUISidebarRegister(\"%s\",\n"
                 "%sAddOnID,\n"
                 "%s%d,\n"
                 "%s%d,\n"
                 "%sSidebar%dActivate_CB,\n"
                 "%sSidebar%dDeactivate_CB);\n",
                 c.prefix.c_str(), id, title.c_str(), pad, pad, c.width, pad, c.height, pad, id,
                 pad, id);
        break;
    }
    case FormPage:
        EmitCode(b, "  %s%dManager = QorGUIFormAddPage(Parent);\n\n", c.prefix.c_str(), c.number);
        break;
    case TabPage:
        EmitCode(b, "  %s%dManager = QorGUITabAddPage(Parent,\n", c.prefix.c_str(), c.number);
        EmitCode(b, "%s\"%s\");\n", kTabPagePad.c_str(), title.c_str());
        break;
    }
}

void WriteCreationFortran(const ContainerInfo &c, GeneratedFile *b) {
    const std::string title = EscapeFortranString(c.title);
    const int id = c.id;
    switch (c.kind) {
    case ModalDialog:
        EmitCode(b, "      Dialog%dManager = QorGUIDialogCreateModal(Parent,\n", id);
        EmitCode(b, "     &%d,\n", c.width);
        EmitCode(b, "     &%d,\n", c.height);
        EmitCode(b, "     &'%s'//char(0),\n", title.c_str());
        EmitCode(b, "     &Dialog%dInit_CB,\n", id);
        if (c.okClose)
            EmitCode(b, "     &Dialog%dOkButton_CB,\n", id);
        else
            EmitCode(b, "     &NULLPTRVAR,\n");
        if (c.apply)
            EmitCode(b, "     &Dialog%dApplyButton_CB,\n", id);
        else
            EmitCode(b, "     &NULLPTRVAR,\n");
        if (c.cancel)
            EmitCode(b, "     &Dialog%dCancelButton_CB,\n", id);
        else
            EmitCode(b, "     &NULLPTRVAR,\n");
        if (c.help)
            EmitCode(b, "     &Dialog%dHelpButton_CB)\n\n", id);
        else
            EmitCode(b, "     &NULLPTRVAR)\n\n");
        break;
    case ModelessDialog:
        EmitCode(b, "      Dialog%dManager = QorGUIDialogCreateModeless(Parent,\n", id);
        EmitCode(b, "     &%d,\n", c.width);
        EmitCode(b, "     &%d,\n", c.height);
        EmitCode(b, "     &'%s'//char(0),\n", title.c_str());
        EmitCode(b, "     &Dialog%dInit_CB,\n", id);
        if (c.okClose)
            EmitCode(b, "     &Dialog%dCloseButton_CB,\n", id);
        else
            EmitCode(b, "     &NULLPTRVAR,\n");
        if (c.help)
            EmitCode(b, "     &Dialog%dHelpButton_CB)\n\n", id);
        else
            EmitCode(b, "     &NULLPTRVAR)\n\n");
        break;
    case Sidebar:
        EmitCode(b,
                 "      %s%dManager = \n"
                 "     & QorGUISidebarRegister(\n"
                 "     &'%s'//char(0),\n"
                 "     &   AddOnID,\n"
                 "     &   %d,\n"
                 "     &   %d,\n"
                 "     &   Sidebar%dActivate_CB,\n"
                 "     &   Sidebar%dDeactivate_CB)\n",
                 c.prefix.c_str(), id, title.c_str(), c.width, c.height, id, id);
        break;
    case FormPage:
        EmitCode(b, "      %s%dManager = QorGUIFormAddPage(Parent)\n", c.prefix.c_str(), c.number);
        break;
    case TabPage:
        EmitCode(b, "      %s%dManager = QorGUITabAddPage(Parent,\n     &'%s'//char(0))\n",
                 c.prefix.c_str(), c.number, title.c_str());
        break;
    }
}

} // namespace

ContainerInfo ReadContainer(const char *frameName) {
    ContainerInfo c;
    c.frameName = frameName ? frameName : "";
    const char *name = c.frameName.c_str();
    c.kind = GetFrameKind(name);
    c.frameId = QorUtilFrameGetUniqueID();
    c.id = GetFrameId(name);
    c.group = FrameLinking("LinkGroup");
    c.position = GetIntParameter(name, "POS", 1);
    switch (c.kind) {
    case ModalDialog:
    case ModelessDialog:
        c.prefix = "Dialog";
        c.number = c.id;
        c.okClose = GetBoolParameter(name, "OKCLOSEBUTTON", true);
        c.cancel = GetBoolParameter(name, "CANCELBUTTON", true);
        c.help = GetBoolParameter(name, "HELPBUTTON", true);
        c.apply = GetBoolParameter(name, "APPLYBUTTON", false);
        c.modeless = c.kind == ModelessDialog;
        break;
    case Sidebar:
        c.prefix = "Sidebar";
        c.number = c.id;
        break;
    case FormPage:
    case TabPage:
        c.prefix = std::string(c.kind == FormPage ? "Form" : "Tab") + std::to_string(c.id) + "_";
        c.number = c.group;
        break;
    }
    c.title = GetDialogTitle(name);

    // The frame's paper position and size, in screen pixels.
    double x = 0, y = 0, width = 0, height = 0;
    QorUtilFrameGetPosAndSize(&x, &y, &width, &height);
    c.x0 = QorUtilConvertXPosition(CoordSys_Paper, CoordSys_Screen, x);
    c.y0 = QorUtilConvertYPosition(CoordSys_Paper, CoordSys_Screen, y);
    c.pixelWidth = QorUtilConvertXPosition(CoordSys_Paper, CoordSys_Screen, x + width) - c.x0;
    c.pixelHeight = QorUtilConvertYPosition(CoordSys_Paper, CoordSys_Screen, y + height) - c.y0;
    c.width = ToDialogUnitsX(c.pixelWidth);
    c.height = ToDialogUnitsY(c.pixelHeight);
    return c;
}

ContainerInfo GenerateFrame(const char *frameName, const OutputFiles &files, int32_t language) {
    BuildState.Language = language;
    const ContainerInfo c = ReadContainer(frameName);
    const bool classic = language != LanguageQt;

    if (c.IsDialog())
        WriteDialogButtonStubs(c, files, language);
    if (language == LanguageC || language == LanguageCPP)
        EmitCode(files.definitionsSource, "GUIInt_t %s%dManager = BADDIALOGID;\n", c.prefix.c_str(),
                 c.number);
    if (c.kind == Sidebar)
        WriteSidebarStubs(c, files, language);
    if (c.IsDialog())
        WriteDialogInitStub(c, files, language);
    if (classic)
        WriteDeclarations(c, files, language);

    // The container is made here by a preview or recorded for the Qt output.
    if (BuildHooks.container)
        BuildHooks.container(c);
    // A preview whose container could not be made shows none of its controls.
    if (BuildState.Preview && BuildState.PreviewHandle == BADDIALOGID)
        return c;

    const std::vector<ImageName> images = NameImages(c);
    if (classic) {
        if (language == LanguageFORTRAN) {
            WriteFunctionHeadFortran(c, images, files.builder, language);
            WriteCreationFortran(c, files.builder);
        } else {
            WriteFunctionHeadC(c, images, files.builder, language);
            WriteCreationC(c, files.builder);
        }
    }

    EmitControls(c, images, files, language);

    if (language == LanguageFORTRAN) {
        EmitCode(files.builder, "      RETURN\n");
        EmitCode(files.builder, "      END\n\n");
    } else if (classic) {
        EmitCode(files.builder, "}\n");
    }
    if (BuildHooks.containerEnd)
        BuildHooks.containerEnd(c);
    return c;
}

} // namespace quorvin::builder
