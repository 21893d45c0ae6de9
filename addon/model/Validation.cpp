// The layout checks run before a build, and the character cell: every
// generated position and size is in hundredths of that cell.
#include "model/Validation.h"

#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace quorvin::builder {

namespace {

// Kept until the next successful check; zero until the first.
double CellWidthPixels = 0;
double CellHeightPixels = 0;

constexpr double kNoHeightSeen = -1;

// trunc(value), held inside the range of int.
int TruncateToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

bool IsTextField(Text_ID text) {
    if (QorUtilTextBoxGetType(text) != TextBox_Filled)
        return false;
    HostString string = TextString(text);
    return string && std::strncmp(string.get(), "TF:", 3) == 0;
}

// The font rules for the texts of the current frame. h is the common height
// seen so far; false after the first text that breaks a rule (reported).
bool CheckFrameTexts(double &h) {
    for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text)) {
        // Rotated texts and text fields may use any font.
        if (QorUtilTextGetAngle(text) != 0 || IsTextField(text))
            continue;
        // Both rules are tested for the text; the frame's further texts are
        // skipped after the first text that broke one.
        const double height = QorUtilTextGetHeight(text);
        bool valid = true;
        if (QorUtilTextGetSizeUnits(text) != Units_Point || !(height > 0)) {
            QorUtilDialogErrMsg("All controls must use text sized using points");
            valid = false;
        }
        if (h != kNoHeightSeen && height != h) {
            QorUtilDialogErrMsg("All non-text field controls must use the same character height.");
            valid = false;
        }
        h = height;
        if (!valid)
            return false;
    }
    return true;
}

// Brings the next frame to the front without drawing.
void PopNextFrame() {
    DrawingOff drawingOff;
    QorUtilFramePop(1);
}

// After an early stop, pops on until the starting frame is in front again;
// whole turns of the stack leave its order as it was.
void ReturnToFrame(UniqueID_t start, LgIndex_t frameCount) {
    for (LgIndex_t i = 0; i < frameCount && QorUtilFrameGetUniqueID() != start; ++i)
        PopNextFrame();
}

} // namespace

double CellWidth() {
    return CellWidthPixels;
}
double CellHeight() {
    return CellHeightPixels;
}

void SetCharacterCell(double wc, double hc) {
    CellWidthPixels = wc;
    CellHeightPixels = hc;
}

int ToDialogUnitsX(double pixels) {
    return CellWidthPixels > 0 ? TruncateToInt(pixels * 100 / CellWidthPixels) : 0;
}

int ToDialogUnitsY(double pixels) {
    return CellHeightPixels > 0 ? TruncateToInt(pixels * 100 / CellHeightPixels) : 0;
}

int CharWidthToDialogUnits(int chars) {
    if (!(CellWidthPixels > 0))
        return 0;
    const double pixels = std::trunc((static_cast<double>(chars) + 2) * CellWidthPixels);
    return TruncateToInt(pixels * 100 / CellWidthPixels);
}

bool ValidateLayout() {
    {
        HostString startName = CurrentFrameName();
        if (!startName)
            return false;
    }
    const UniqueID_t start = QorUtilFrameGetUniqueID();
    const LgIndex_t frameCount = QorUtilFrameGetCount();

    // Frames are told apart by their unique IDs: page frames are named alike.
    double h = kNoHeightSeen;
    for (LgIndex_t visited = 0; visited < frameCount; ++visited) {
        const bool textsValid = CheckFrameTexts(h);
        PopNextFrame();

        HostString name = CurrentFrameName();
        const char *frameName = name ? name.get() : "";
        const FrameKind kind = GetFrameKind(frameName);
        if ((kind == ModalDialog || kind == ModelessDialog) && GetFrameId(frameName) == -1) {
            QorUtilDialogErrMsg("Missing ID= from frame name");
            ReturnToFrame(start, frameCount);
            return false;
        }
        if (!textsValid) {
            ReturnToFrame(start, frameCount);
            return false;
        }
        if (QorUtilFrameGetUniqueID() == start)
            break;
    }
    ReturnToFrame(start, frameCount);

    if (h == kNoHeightSeen) {
        QorUtilDialogErrMsg("Error: You must have at least one control that is not text");
        return false;
    }
    CellWidthPixels =
        QorUtilConvertXDimension(CoordSys_Paper, CoordSys_Screen, 1.1 * h * 0.42 / 72);
    CellHeightPixels = QorUtilConvertYDimension(CoordSys_Paper, CoordSys_Screen, 1.1 * h / 72);
    return true;
}

} // namespace quorvin::builder
