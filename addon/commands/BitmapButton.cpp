// Bitmap buttons and toggles: an image geometry whose macro-function command
// holds the variable name, the type, the tool tip and the transparent colour.
#include "commands/CommandUtil.h"
#include "commands/Commands.h"
#include "model/HostResources.h"
#include "model/Validation.h"
#include "model/Settings.h"

#include <cstring>
#include <string>

namespace quorvin::builder {

namespace {

BitmapButtonDialogIds gIds;

constexpr size_t kMaxCommandLength = 511;

const char *const kBadColorWarning =
    "Transparent color is missing or may be incorrectly formatted.\nThe format for the "
    "transparent color is RRGGBB, where RR,GG,BB are 2 digit hex values for the R,G, and B "
    "components of transparent color.";

// While the image is added, state changes must not move the anchored
// controls: the anchor table is emptied and given back on every path.
class AnchorTablePause {
  public:
    AnchorTablePause() : saved_(AnchorTable.Count) { AnchorTable.Count = 0; }
    ~AnchorTablePause() { Restore(); }
    void Restore() {
        if (!restored_)
            AnchorTable.Count = saved_;
        restored_ = true;
    }
    AnchorTablePause(const AnchorTablePause &) = delete;
    AnchorTablePause &operator=(const AnchorTablePause &) = delete;

  private:
    int saved_;
    bool restored_ = false;
};

std::string CurrentFrameNameText() {
    return ToStdString(CurrentFrameName());
}

int CountFrameImages() {
    int count = 0;
    for (Geom_ID geom = QorUtilGeomGetBase(); geom; geom = QorUtilGeomGetNext(geom))
        if (QorUtilGeomGetType(geom) == GeomType_Image)
            ++count;
    return count;
}

// Ends the dialog: drops it, gives the anchor table back and finishes the
// lock that the initialisation started.
void CloseDialog(AnchorTablePause &pause) {
    QorGUIDialogDrop(gIds.dialog);
    pause.Restore();
    QorUtilLockFinish(AddOnHandle);
}

void OnInit() {
    // Held until OK succeeds or Cancel is pressed.
    QorUtilLockStart(AddOnHandle);
    QorGUISetSensitivity(gIds.color, QorGUIToggleGet(gIds.useColor));
}

void OnOk() {
    AnchorTablePause pause;

    const std::string fileName = ToStdString(HostString(QorGUITextFieldGetString(gIds.fileName)));
    if (fileName.empty()) {
        QorUtilDialogErrMsg("Please enter a file name.");
        return;
    }
    // The tool tip is stored between double quotes; one inside it would end
    // the value early.
    const std::string toolTip = ToStdString(HostString(QorGUITextFieldGetString(gIds.toolTip)));
    if (toolTip.find('"') != std::string::npos) {
        QorUtilDialogErrMsg(
            FormatText(
                "The tool tip of the new bitmap button in frame \"%s\" contains a double "
                "quote (\"), which the button's settings cannot hold.\nRemove it and press OK "
                "again.",
                CurrentFrameNameText().c_str())
                .c_str());
        return;
    }

    Geom_ID image = QorUtilGeomImageCreate(fileName.c_str(), 50, 50, 50);
    if (!image) {
        QorUtilDialogErrMsg("Could not create image geometry.");
        return;
    }
    // The frame's controls give the character cell the sizing needs; when
    // they fail the checks (reported there) the image is removed again, since
    // an image without settings would trouble every later build.
    if (!ValidateLayout()) {
        QorUtilGeomDelete(image);
        CloseDialog(pause);
        return;
    }
    QorUtilGeomSetDrawOrder(image, DrawOrder_AfterData);
    SizeBitmapImage(image);

    // The first button of an empty frame is BB2: the count includes the new
    // image, and one more is added.
    std::string command = FormatText("%s=BB%d", "VarName", CountFrameImages() + 1);
    command += FormatText(" %s=%s", "Type",
                          QorGUIRadioBoxGetToggle(gIds.buttonType) == 1 ? "PushButton" : "Toggle");
    if (!toolTip.empty())
        command += FormatText(" %s=\"%s\"", "ToolTip", toolTip.c_str());
    bool warnColor = false;
    if (QorGUIToggleGet(gIds.useColor)) {
        const std::string color = ToStdString(HostString(QorGUITextFieldGetString(gIds.color)));
        warnColor = color.size() != 6;
        command += FormatText(" %s=%s", "TransparentColor", color.c_str());
    }
    if (command.size() > kMaxCommandLength) {
        QorUtilGeomDelete(image);
        QorUtilDialogErrMsg(
            FormatText("The settings of the new bitmap button in frame \"%s\" would be %zu "
                       "characters long; at most %zu fit.\nShorten the tool tip or the transparent "
                       "color and press OK again.",
                       CurrentFrameNameText().c_str(), command.size(), kMaxCommandLength)
                .c_str());
        return;
    }
    if (warnColor)
        QorUtilDialogMessageBox(kBadColorWarning, MessageBox_Warning);
    if (!QorUtilGeomSetMacroFunctionCmd(image, command.c_str())) {
        QorUtilGeomDelete(image);
        QorUtilDialogErrMsg(FormatText("The settings of the new bitmap button could not be stored "
                                       "in frame \"%s\"; the image was removed again.",
                                       CurrentFrameNameText().c_str())
                                .c_str());
        return;
    }
    QorUtilRedraw(TRUE);
    CloseDialog(pause);
}

void OnCancel() {
    QorGUIDialogDrop(gIds.dialog);
    QorUtilLockFinish(AddOnHandle);
}

void OnHelp() {
    LockGuard lock(AddOnHandle);
    QorUtilDialogMessageBox("On-line Help not available for this dialog.", MessageBox_Information);
}

void OnBrowse() {
    LockGuard lock(AddOnHandle);
    char *name = nullptr;
    const bool chosen = QorUtilDialogGetFileName(SelectFileOption_ReadSingleFile, &name, "Bitmap",
                                                 nullptr, "*.bmp");
    HostString file(name);
    if (chosen && file)
        QorGUITextFieldSetString(gIds.fileName, file.get());
}

void OnUseColorToggle(const GUIInt_t *value) {
    LockGuard lock(AddOnHandle);
    QorGUISetSensitivity(gIds.color, value && *value != 0);
}

void OnButtonType(const GUIInt_t *) {
    LockGuard lock(AddOnHandle);
}

GUIInt_t AcceptAnyText(const char *) {
    LockGuard lock(AddOnHandle);
    return TRUE;
}

void BuildBitmapButtonDialog() {
    if (gIds.dialog != BADDIALOGID)
        return;
    gIds.dialog = QorGUIDialogCreateModal(BADDIALOGID, 7060, 2071, "Insert Bitmap Button", OnInit,
                                          OnOk, nullptr, OnCancel, OnHelp);
    const GUIInt_t d = gIds.dialog;
    QorGUILabelAdd(d, 300, 168, "Bitmap File Name:");
    gIds.fileName = QorGUITextFieldAdd(d, 314, 288, 6053, 144, AcceptAnyText);
    gIds.browse = QorGUIButtonAdd(d, 6469, 288, 372, 144, "...", OnBrowse);
    QorGUILabelAdd(d, 300, 595, "Tool Tip Text:");
    gIds.toolTip = QorGUITextFieldAdd(d, 314, 715, 6569, 144, AcceptAnyText);
    gIds.color = QorGUITextFieldAdd(d, 686, 1809, 1245, 144, AcceptAnyText);
    gIds.useColor =
        QorGUIToggleAdd(d, 343, 1641, 3048, 120, "Use Transparent Color", OnUseColorToggle);
    gIds.buttonType = QorGUIRadioBoxAdd(d, 586, 1208, 1731, 300, "Push Button", "Toggle", nullptr,
                                        nullptr, nullptr, OnButtonType);
    QorGUILabelAdd(d, 2075, 1839, "(Ex. for red use FF0000)");
    QorGUILabelAdd(d, 314, 1100, "Button Type:");
}

} // namespace

const BitmapButtonDialogIds &BitmapButtonDialog() {
    return gIds;
}

void ForgetBitmapButtonDialog() {
    gIds = BitmapButtonDialogIds();
}

void InsertBitmapButton() {
    if (!RequireCurrentFrame())
        return;
    BuildBitmapButtonDialog();
    char *name = nullptr;
    const bool chosen = QorUtilDialogGetFileName(SelectFileOption_ReadSingleFile, &name, "Bitmap",
                                                 nullptr, "*.bmp");
    HostString file(name);
    if (!chosen || !file)
        return;
    QorGUITextFieldSetString(gIds.fileName, file.get());
    QorGUIRadioBoxSetToggle(gIds.buttonType, 1);
    if (!QorGUIDialogIsUp(gIds.dialog))
        QorGUIDialogLaunch(gIds.dialog);
}

void InsertBitmapToggle() {
    InsertBitmapButton();
    if (gIds.dialog != BADDIALOGID && QorGUIDialogIsUp(gIds.dialog))
        QorGUIRadioBoxSetToggle(gIds.buttonType, 2);
}

int BitmapPixelWidth(int frameWidthDialogUnits, int baseFontSize, double dpiRatio) {
    int pixels =
        static_cast<int>(frameWidthDialogUnits / 100.0 * baseFontSize * dpiRatio * 0.42 + 0.499);
    if (pixels < 7)
        pixels = 7;
    return pixels - (pixels * 12) / 100;
}

void SizeBitmapImage(Geom_ID image) {
    const double cellWidth = CellWidth();
    if (!(cellWidth > 0))
        return;
    double horzDpi = 0, vertDpi = 0;
    QorUtilInterfaceGetDotsPerInch(&horzDpi, &vertDpi);
    const double dpiRatio = vertDpi != 0 ? horzDpi / vertDpi : 1.0;
    const int baseFontSize = QorUtilInterfaceGetBaseFontSize();

    double x = 0, y = 0, width = 0, height = 0;
    QorUtilFrameGetPosAndSize(&x, &y, &width, &height);
    const double screenWidth = QorUtilConvertXPosition(CoordSys_Paper, CoordSys_Screen, x + width) -
                               QorUtilConvertXPosition(CoordSys_Paper, CoordSys_Screen, x);
    const int widthDialogUnits = static_cast<int>(screenWidth * 100 / cellWidth);
    const int pixels = BitmapPixelWidth(widthDialogUnits, baseFontSize, dpiRatio);

    GUIInt_t imageWidth = 0, imageHeight = 0;
    if (!QorUtilGeomImageGetImage(image, &imageWidth, &imageHeight, nullptr))
        return;
    QorUtilGeomImageSetWidth(image, (imageWidth + 7.9) * 100 / pixels);
    QorUtilGeomImageResetAspectRatio(image);
}

} // namespace quorvin::builder
