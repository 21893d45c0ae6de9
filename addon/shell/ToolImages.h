// The 35 pictures of the tool dialog's bitmap buttons and anchor toggle:
// 24 x 24 pixels, 3 bytes a pixel (red, green, blue), rows from the top.
// Pure red is the transparent colour.
#pragma once

#include <cstddef>

namespace quorvin::builder {

// One image per button, in the tool dialog's creation order.
enum class ToolImage : int {
    ModelessDialog,
    ModalDialog,
    Sidebar,
    Tab,
    TabPage,
    ResizePages,
    Form,
    FormPage,
    PopNextPage,
    PushButton,
    BitmapButton,
    RadioBox,
    Scale,
    BitmapToggle,
    Toggle,
    SingleList,
    OptionMenu,
    MultiList,
    TextField,
    SpinTextField,
    MultiLineText,
    ReadOnlyText,
    GroupFrame,
    AlignLeft,
    AlignTop,
    SpaceEvenlyDown,
    AlignRight,
    AlignBottom,
    SpaceEvenlyAcross,
    CenterVertically,
    CenterHorizontally,
    AnchorToPaper,
    Preview,
    GoBuild,
    Label,
    Count
};

constexpr int kToolImageCount = static_cast<int>(ToolImage::Count);
constexpr int kToolImageSide = 24;
constexpr std::size_t kToolImageBytes = kToolImageSide * kToolImageSide * 3; // 1728
constexpr unsigned char kTransparentRed = 255, kTransparentGreen = 0, kTransparentBlue = 0;

// The image's 1728 bytes, in the form the GUI API takes them (null for
// a value outside the enum).
const char *ToolImageData(ToolImage image);
// The button's name ("Align Left"): its tool tip, the name a script presses,
// and the caption of the review sheet.
const char *ToolImageName(ToolImage image);

} // namespace quorvin::builder
