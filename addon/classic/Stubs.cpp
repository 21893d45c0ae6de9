// Callback stubs: an empty but compilable callback for every callback a
// creation statement names, with the lock calls it needs and a trace line.
// The FORTRAN callbacks are also declared in GUICB.INC.
#include "classic/Emit.h"
#include "classic/Generator.h"

#include "model/Settings.h"

namespace quorvin::builder {

namespace {

bool IsC(int32_t language) {
    return language == LanguageC || language == LanguageCPP;
}

void Comment(GeneratedFile *file, int32_t language, const std::string &text) {
    if (IsC(language))
        EmitCode(file, "/* %s */\n", text.c_str());
    else if (language == LanguageFORTRAN)
        EmitCode(file, "C... %s\n", text.c_str());
}

// Modal dialogs take the lock in their init callback and give it back in
// their OK and cancel callbacks; the stubs say so.
void ModalLockComment(GeneratedFile *file, int32_t language, const char *lastLine) {
    Comment(file, language, "Modal Dialogs must call QorUtilLockStart prior to coming");
    Comment(file, language, "up and then call QorUtilLockFinish when the Ok or Cancel");
    Comment(file, language, lastLine);
}

void DropDialog(GeneratedFile *file, int32_t language, int id) {
    if (IsC(language))
        EmitCode(file, "  QorGUIDialogDrop(Dialog%dManager);\n", id);
    else if (language == LanguageFORTRAN)
        EmitCode(file, "      CALL QorGUIDialogDrop(Dialog%dManager)\n", id);
}

// "Dialog1HelpButton", "Sidebar2Activate": a container's callback base name.
std::string BaseName(const char *container, int id, const char *callback) {
    return container + std::to_string(id) + callback;
}

} // namespace

void WriteStubHeader(const std::string &baseName, const OutputFiles &files, StubKind kind,
                     int32_t language, bool lock) {
    GeneratedFile *cb = files.callback;
    const char *name = baseName.c_str();
    if (IsC(language)) {
        // One write per stub head: a build writes tens of thousands.
        const char *lockStart = lock ? "  QorUtilLockStart(AddOnID);\n" : "";
        switch (kind) {
        case kStubInt:
            EmitCode(cb, "\n\n/**\n */\nstatic void %s_CB(const GUIInt_t *I)\n{\n%s", name,
                     lockStart);
            break;
        case kStubText:
            EmitCode(cb,
                     "\n\n/**\n */\nstatic GUIInt_t  %s_CB(const char *S)\n{\n"
                     "  GUIInt_t IsOk = 1;\n%s",
                     name, lockStart);
            break;
        case kStubColor:
            EmitCode(cb,
                     "\n\n/**\n */\nstatic void %s_CB(void)\n{\n"
                     "  ColorIndex_t Color = 0;\n%s",
                     name, lockStart);
            break;
        default:
            EmitCode(cb, "\n\n/**\n */\nstatic void %s_CB(void)\n{\n%s", name, lockStart);
        }
        return;
    }
    if (language != LanguageFORTRAN)
        return;
    // The parameter list goes on in a write of its own, as the folding
    // counts columns per write; the whole lines after it share one write.
    const char *lockStart = lock ? "      Call QorUtilLockStart(AddOnID)\n" : "";
    switch (kind) {
    case kStubInt:
        EmitCode(cb, "\n\n      SUBROUTINE %s_CB(", name);
        EmitCode(cb,
                 "I)\n"
                 "      INCLUDE 'ADDGLBL.INC'\n"
                 "      !DEC$ attributes C::%s_CB\n"
                 "      !DEC$ attributes REFERENCE::I\n"
                 "      INTEGER*4 I,ILEN\n\n"
                 "      INCLUDE 'FGLUE.INC'\n"
                 "      INCLUDE 'GUIDEFS.INC'\n%s",
                 name, lockStart);
        break;
    case kStubText:
        EmitCode(cb, "\n\n      INTEGER*4 FUNCTION %s_CB(", name);
        EmitCode(cb,
                 "S)\n"
                 "      INCLUDE 'ADDGLBL.INC'\n"
                 "      !DEC$ attributes C::%s_CB\n"
                 "      LOGICAL*1 S(1)\n"
                 "      CHARACTER*256 S2\n"
                 "      INTEGER*4 I,ILEN\n\n"
                 "      INCLUDE 'FGLUE.INC'\n"
                 "      INCLUDE 'GUIDEFS.INC'\n"
                 "      %s_CB = 1\n%s",
                 name, name, lockStart);
        break;
    default:
        EmitCode(cb, "\n\n      SUBROUTINE %s_CB(", name);
        EmitCode(cb,
                 ")\n"
                 "      INCLUDE 'ADDGLBL.INC'\n"
                 "      !DEC$ attributes C::%s_CB\n"
                 "      INTEGER*4 I,ILEN\n\n"
                 "      INCLUDE 'FGLUE.INC'\n"
                 "      INCLUDE 'GUIDEFS.INC'\n%s",
                 name, lockStart);
    }
    EmitCode(files.callbackInclude, "      EXTERNAL %s_CB\n      !DEC$ attributes C::%s_CB\n", name,
             name);
    if (kind == kStubText)
        EmitCode(files.callbackInclude, "      INTEGER*4 %s_CB\n", name);
}

void WriteStubEnd(const OutputFiles &files, int32_t language, bool lockFinish, bool returnValue) {
    GeneratedFile *cb = files.callback;
    if (IsC(language)) {
        EmitCode(cb, "%s%s}\n", lockFinish ? "  QorUtilLockFinish(AddOnID);\n" : "",
                 returnValue ? "  return (IsOk);\n" : "");
    } else if (language == LanguageFORTRAN) {
        EmitCode(cb, "%s      RETURN\n      END\n\n",
                 lockFinish ? "      Call QorUtilLockFinish(AddOnID)\n" : "");
    }
}

void WriteDialogButtonStubs(const ContainerInfo &c, const OutputFiles &files, int32_t language) {
    GeneratedFile *cb = files.callback;
    const int id = c.id;
    if (c.help) {
        WriteStubHeader(BaseName("Dialog", id, "HelpButton"), files, kStubVoid, language, true);
        if (IsC(language)) {
            EmitCode(cb, "  QorUtilDialogMessageBox(\"On-line Help not available for this "
                         "dialog.\",\n");
            EmitCode(cb, "                          MessageBox_Information);\n");
        } else if (language == LanguageFORTRAN) {
            EmitCode(cb, "      I = QorUtilDialogMessageBox(\n");
            EmitCode(cb, "     & 'On-line Help not available for this dialog.'//char(0),\n");
            EmitCode(cb, "     & MessageBox_Information)\n");
        }
        WriteStubEnd(files, language, true, false);
    }
    if (c.modeless) {
        if (c.okClose) {
            WriteStubHeader(BaseName("Dialog", id, "CloseButton"), files, kStubVoid, language,
                            true);
            DropDialog(cb, language, id);
            WriteStubEnd(files, language, true, false);
        }
        return;
    }
    const char *finishOnly = "button is pressed.  Only QorUtilLockFinish is supplied here.";
    if (c.cancel) {
        WriteStubHeader(BaseName("Dialog", id, "CancelButton"), files, kStubVoid, language, false);
        DropDialog(cb, language, id);
        ModalLockComment(cb, language, finishOnly);
        WriteStubEnd(files, language, true, false);
    }
    if (c.okClose) {
        WriteStubHeader(BaseName("Dialog", id, "OkButton"), files, kStubVoid, language, false);
        DropDialog(cb, language, id);
        ModalLockComment(cb, language, finishOnly);
        WriteStubEnd(files, language, true, false);
    }
    if (c.apply) {
        WriteStubHeader(BaseName("Dialog", id, "ApplyButton"), files, kStubVoid, language, true);
        Comment(cb, language, "Perform some apply operation and then set");
        Comment(cb, language, "the apply button sensitivity to FALSE");
        if (IsC(language))
            EmitCode(cb, "  QorGUIDialogApplySetSensitivity(Dialog%dManager, FALSE);\n", id);
        else if (language == LanguageFORTRAN)
            EmitCode(cb, "      CALL QorGUIDialogApplySetSensitivity(Dialog%dManager, FALSE)\n",
                     id);
        WriteStubEnd(files, language, true, false);
    }
}

void WriteSidebarStubs(const ContainerInfo &c, const OutputFiles &files, int32_t language) {
    const std::string title = CommentText(c.title);
    WriteStubHeader(BaseName("Sidebar", c.id, "Activate"), files, kStubVoid, language, false);
    Comment(files.callback, language,
            " <<< This function is called when sidebar \"" + title + "\" is activated >>>");
    WriteStubEnd(files, language, false, false);
    WriteStubHeader(BaseName("Sidebar", c.id, "Deactivate"), files, kStubVoid, language, false);
    Comment(files.callback, language,
            "  <<< This function is called when sidebar \"" + title + "\" is deactivated >>>");
    WriteStubEnd(files, language, false, false);
}

void WriteDialogInitStub(const ContainerInfo &c, const OutputFiles &files, int32_t language) {
    GeneratedFile *cb = files.callback;
    const std::string name = BaseName("Dialog", c.id, "Init");
    if (c.modeless) {
        WriteStubHeader(name, files, kStubVoid, language, true);
        Comment(cb, language, "<<< Add init code (if necessary) here>>>");
        WriteStubEnd(files, language, true, false);
        return;
    }
    WriteStubHeader(name, files, kStubVoid, language, false);
    ModalLockComment(cb, language, "button is pressed.");
    if (IsC(language))
        EmitCode(cb, "  QorUtilLockStart(AddOnID);\n");
    else if (language == LanguageFORTRAN)
        EmitCode(cb, "        Call QorUtilLockStart(AddOnID)\n");
    Comment(cb, language, "<<< Add init code (if necessary) here>>>");
    WriteStubEnd(files, language, false, false);
}

void WriteControlStubs(const ControlRecord &rec, const OutputFiles &files, int32_t language) {
    GeneratedFile *cb = files.callback;
    const bool c = IsC(language);
    const bool fortran = language == LanguageFORTRAN;
    const std::string &idText = rec.identifier;
    const char *id = idText.c_str();
    // Every control stub takes the lock at its head and gives it back at its
    // end; only the text callbacks return a value.
    const auto head = [&](const std::string &name, StubKind kind) {
        WriteStubHeader(name, files, kind, language, true);
    };
    const auto end = [&](StubKind kind) { WriteStubEnd(files, language, true, kind == kStubText); };
    const auto getText = [&] { EmitCode(cb, "      CALL FExtGetCharFromCString(S,S2,ILen)\n"); };

    switch (rec.type) {
    case TextField:
        head(idText, kStubText);
        if (c) {
            EmitCode(cb, "  TRACE1(\"Text field (%s) Value Changed,  New value is: %%s\\n\",S);\n",
                     id);
        } else if (fortran) {
            getText();
            EmitCode(cb, "C     WRITE(*,*) 'New Text field string = ',S2(1:ILen)\n");
        }
        end(kStubText);
        break;
    case Text:
        head(idText, kStubText);
        if (c) {
            EmitCode(cb,
                     "  TRACE1(\"Multi-Line Text field (%s) Value Changed,  New value is: "
                     "%%s\\n\",S);\n",
                     id);
        } else if (fortran) {
            getText();
            EmitCode(cb, "C     WRITE(*,*) 'New Multi-Line Text = ',S2(1:ILen)\n");
        }
        end(kStubText);
        break;
    case SingleList:
        head(idText, kStubInt);
        if (c)
            EmitCode(cb,
                     "  TRACE1(\"Single selection list (%s) item selected,  Item is: "
                     "%%d\\n\",*I);\n",
                     id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'List item selected: ',I\n");
        end(kStubInt);
        break;
    case MultiList:
        head(idText, kStubInt);
        if (c)
            EmitCode(cb,
                     "  TRACE1(\"Multi selection list (%s) item selected,  First Item is: "
                     "%%d\\n\",*I);\n",
                     id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'List item selected: ',I\n");
        end(kStubInt);
        break;
    case Spin:
        head(rec.callback, kStubText);
        if (c) {
            EmitCode(cb,
                     "  TRACE1(\"Spin Control Text field (%s) Value Changed,  New value is: "
                     "%%s\\n\",S);\n",
                     id);
        } else if (fortran) {
            getText();
            EmitCode(cb, "C     WRITE(*,*) 'New SpinControl Text = ',S2(1:ILen)\n");
        }
        end(kStubText);
        head(rec.callback2, kStubVoid);
        if (c)
            EmitCode(cb, "  TRACE0(\"Spin control (%s) up callback called.\\n\");\n", id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Spin control up callback called.'\n");
        end(kStubVoid);
        head(rec.callback3, kStubVoid);
        if (c)
            EmitCode(cb, "  TRACE0(\"Spin control (%s) down callback called.\\n\");\n", id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Spin control down callback called.'\n");
        end(kStubVoid);
        break;
    case Tab:
        head(rec.callback, kStubInt);
        if (c)
            EmitCode(cb, "  TRACE0(\"Activate callback for tab (%s) called\\n\");\n", id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Activate callback for tab (%s) called.'\n", id);
        end(kStubInt);
        head(rec.callback2, kStubInt);
        if (c)
            EmitCode(cb, "  TRACE0(\"Deactivate callback for tab (%s) called\\n\");\n", id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Deactivate callback for tab (%s) called.'\n", id);
        end(kStubInt);
        break;
    case Scale:
        head(idText, kStubInt);
        if (c)
            EmitCode(cb, "  TRACE1(\"Scale (%s) Value Changed,  New value is: %%d\\n\",*I);\n", id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Scale Value is: ',I\n");
        end(kStubInt);
        head(rec.callback2, kStubInt);
        if (c)
            EmitCode(cb,
                     "  TRACE1(\"Scale (%s) Value Changed on drag,  New value is: "
                     "%%d\\n\",*I);\n",
                     id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Scale Value is: ',I\n");
        end(kStubInt);
        break;
    case OptionMenu:
        head(idText, kStubInt);
        if (c)
            EmitCode(cb,
                     "  TRACE1(\"Option Menu (%s) value changed,  New value is: %%d\\n\",*I);\n",
                     id);
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) 'Option is: ',I\n");
        end(kStubInt);
        break;
    case PushButton: {
        // The label lands in a TRACE format (C) or a comment line (FORTRAN).
        const std::string label = EscapeNewlines(rec.label);
        head(idText, kStubVoid);
        if (c)
            EmitCode(cb, "  TRACE(\"%s Button Pushed\\n\");\n",
                     EscapeCString(TraceFormatText(label)).c_str());
        else if (fortran)
            EmitCode(cb, "C     WRITE(*,*) '%s Button Pushed'\n", CommentText(label).c_str());
        end(kStubVoid);
        break;
    }
    case kColoredButton:
        head(idText, kStubColor);
        if (c) {
            EmitCode(cb, "  if ( QorUtilDialogGetColor(FALSE, &Color) )\n");
            EmitCode(cb, "    QorGUIColoredButtonSetColor(%s, Color);\n", id);
        } else if (fortran) {
            EmitCode(cb, "C     WRITE(*,*) '%s Button Pushed'\n",
                     CommentText(EscapeNewlines(rec.label)).c_str());
        }
        end(kStubColor);
        break;
    case RadioBox:
        head(idText, kStubInt);
        if (c) {
            EmitCode(cb, "  TRACE1(\"RadioBox (%s) Value Changed,  New value is: %%d\\n\",*I);\n",
                     id);
        } else if (fortran) {
            EmitCode(cb, "C     WRITE(*,*) 'RadioBox (%s) Value Changed'\n", id);
            EmitCode(cb, "C     WRITE(*,*) 'NewValue is ',I\n");
        }
        end(kStubInt);
        break;
    case Toggle:
        head(idText, kStubInt);
        if (c) {
            EmitCode(cb, "  TRACE1(\"Toggle (%s) Value Changed,  New value is: %%d\\n\",*I);\n",
                     id);
        } else if (fortran) {
            EmitCode(cb, "C     WRITE(*,*) 'Toggle (%s) Value Changed'\n", id);
            EmitCode(cb, "C     WRITE(*,*) 'NewValue is ',I\n");
        }
        end(kStubInt);
        break;
    case kBitmapButton:
        head(idText, kStubVoid);
        if (c)
            EmitCode(cb, "  TRACE(\"%s Bitmap Button pushed\\n\");\n", id);
        end(kStubVoid);
        break;
    case kBitmapToggle:
        head(idText, kStubInt);
        if (c)
            EmitCode(cb,
                     "  TRACE1(\"Bitmap Toggle (%s) Value Changed,  New value is: "
                     "%%d\\n\",*I);\n",
                     id);
        end(kStubInt);
        break;
    default:
        break; // read-only texts, labels, form controls, frames and separators have none
    }
}

} // namespace quorvin::builder
