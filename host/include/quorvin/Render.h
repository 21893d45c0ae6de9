// Pictures of the dialogs and sidebars made through the GUI API, drawn the
// way the reference host would show them: a title bar, a menu bar when the
// dialog has one, the client area with every control, and for dialogs the
// row of standard buttons (OK, Apply, Cancel, Help or Close, Help) that the
// host adds below the client area. Drawn with cairo as SVG or PNG.
//
// Scale: a dialog unit is one hundredth of the host's character cell. The
// host's dialog font is its base font size, 16 pixels (12 points at 96 dpi);
// the cell is 1.1 times that high and 0.42 of its own height wide, the same
// rule the builder uses to measure a design, so a design made with 12-point
// controls is drawn at the size it has on the paper.
#pragma once

#include "QORADDON.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorvin::host {

// The character cell in screen pixels.
constexpr double kCellHeightPixels = 17.6;       // 1.1 x 16
constexpr double kCellWidthPixels = 0.42 * 17.6; // 7.392
// Parts of a picture outside the client area, in pixels.
constexpr int kTitleBarHeight = 28;
constexpr int kMenuBarHeight = 22;
constexpr int kButtonRowHeight = 40;
constexpr int kStandardButtonWidth = 80;
constexpr int kStandardButtonGap = 8;
// Height of the row of tab headers at the top of a tab control.
constexpr int kTabHeaderHeight = 24;
// Pictures larger than this on a side are refused.
constexpr int kMaxPictureSide = 16384;

// Dialog units to pixels (rounded to the nearest pixel).
int dialogUnitsToPixelsX(GUIInt_t units);
int dialogUnitsToPixelsY(GUIInt_t units);

enum class PictureFormat { Svg, Png };

struct RenderOptions {
    // Pixels of the picture per screen pixel (PNG; the SVG is scaled alike).
    double scale = 1.0;
    // Called once the picture's surface is made, before anything is drawn:
    // a caller that loads the fonts on another thread (LoadPictureFonts)
    // waits for them here.
    std::function<void()> beforeDrawing;
};

struct PictureSize {
    int width = 0, height = 0; // screen pixels, before the scale
};

// The size of a dialog's or sidebar's picture: width the client area's or the
// standard button row's, whichever is wider; height the title bar, the menu
// bar (when there is one), the client area and the button row (dialogs with
// at least one standard button). {0, 0} when there is no such dialog.
PictureSize dialogPictureSize(GUIInt_t dialog);

// Draws a dialog or sidebar into a file. The format follows the extension
// (".svg" or ".png", any case) or is given. False, with *error saying why,
// when there is no such dialog, the extension is neither, the picture would
// be too large, the file cannot be written, or the host was built without
// cairo. Nothing of the host's state changes.
bool renderDialog(GUIInt_t dialog, const std::string &path, std::string *error,
                  const RenderOptions &options = {});
bool renderDialog(GUIInt_t dialog, PictureFormat format, const std::string &path,
                  std::string *error, const RenderOptions &options = {});

// Loads the fonts the pictures use. The first picture of a process spends a
// few milliseconds on it (fontconfig reads its whole configuration and each
// face's file is opened); a caller that knows a picture is coming can run
// this ahead on another thread, as it reads and changes nothing of the host.
void LoadPictureFonts();

// RGB24 pixels (rows of native 32-bit words 0x00RRGGBB, `stride` bytes
// apart) as the bytes of an 8-bit RGB PNG, appended to *png. False when the
// picture is empty or the host was built without cairo.
bool EncodePng(const unsigned char *pixels, int width, int height, int stride, std::string *png);

// ---- the workspace as drawing data
// The frames of the workspace with everything on them in paper inches (x
// right, y down from the paper's top-left), measured with the host's own
// font metrics and coordinate conversions, for a front end that draws the
// paper itself. Bottom of the stack first; the current frame is last.

// The height of a frame's header strip, when the frame shows one.
constexpr double kFrameHeaderInches = 0.25;

struct Color8 {
    uint8_t r = 0, g = 0, b = 0;
};

struct PaperRect {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct DrawnText {
    uint64_t handle = 0;
    std::string string;
    PaperRect box;           // the box (types 1 and 2) or the text block alone (type 0)
    PaperRect block;         // the lines of text
    double anchorX = 0, anchorY = 0; // the text's position on the paper
    double glyphHeight = 0;  // H, inches
    double lineSpacing = 1;  // lines are H x spacing apart
    int32_t anchor = 0;      // 0 left, 1 centre, 2 right
    int32_t boxType = 0;     // 0 none, 1 filled, 2 hollow
    Color8 color, boxColor, fillColor;
};

struct DrawnGeom {
    uint64_t handle = 0;
    int32_t type = 0;                             // 0 line, 1 rectangle, 6 image
    PaperRect bounds;                             // rectangles and images; lines: their extent
    double anchorX = 0, anchorY = 0;              // the anchor on the paper
    std::vector<std::vector<double>> polylines;   // lines: x0, y0, x1, y1, ... on the paper
    int32_t pixelWidth = 0, pixelHeight = 0;      // images
    const std::vector<unsigned char> *rgb = nullptr; // images: valid until the workspace changes
};

struct DrawnFrame {
    UniqueID_t uniqueId = 0;
    std::string name;
    PaperRect rect;
    bool showHeader = true;
    Color8 background;
    std::vector<DrawnText> texts;
    std::vector<DrawnGeom> geoms;
};

std::vector<DrawnFrame> workspaceDrawing();

} // namespace quorvin::host
