// Pictures of dialogs and sidebars (see quorvin/Render.h). Reads the GUI
// records only; the host's state is never changed by drawing.
#include "quorvin/Render.h"

#include "HostImpl.h"

#ifdef QGB_HAVE_CAIRO
#include <cairo-svg.h>
#include <cairo.h>
#include <dlfcn.h>
#include <zlib.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace quorvin::host {

namespace {

bool fail(std::string *error, const std::string &why) {
    if (error)
        *error = why;
    return false;
}

// The labels of the standard buttons the host adds below a dialog's client
// area, in the order they are shown (left to right).
std::vector<std::string> standardButtons(const GuiDialog &d) {
    std::vector<std::string> labels;
    if (d.kind == "Modal") {
        if (d.ok)
            labels.push_back("OK");
        if (d.apply)
            labels.push_back("Apply");
        if (d.cancel)
            labels.push_back("Cancel");
        if (d.help)
            labels.push_back("Help");
    } else if (d.kind == "Modeless") {
        if (d.close)
            labels.push_back("Close");
        if (d.help)
            labels.push_back("Help");
    }
    return labels;
}

int buttonRowWidth(size_t buttons) {
    if (buttons == 0)
        return 0;
    const int n = static_cast<int>(buttons);
    return n * kStandardButtonWidth + (n + 1) * kStandardButtonGap;
}

bool hasMenuBar(const Host &host, const GuiDialog &d) {
    return d.menuBar != BADDIALOGID && host.findControl(d.menuBar) != nullptr;
}

// Sizes in double so that oversized dialogs are caught before any int
// conversion could overflow.
struct PictureLayout {
    double width = 0, height = 0;
    int clientWidth = 0, clientHeight = 0;
    int clientTop = 0; // title bar and menu bar above the client area
    std::vector<std::string> buttons;
};

PictureLayout layoutOf(const Host &host, const GuiDialog &d) {
    PictureLayout p;
    const double w = std::floor(std::max<GUIInt_t>(d.width, 0) * kCellWidthPixels / 100.0 + 0.5);
    const double h = std::floor(std::max<GUIInt_t>(d.height, 0) * kCellHeightPixels / 100.0 + 0.5);
    p.buttons = standardButtons(d);
    p.clientTop = kTitleBarHeight + (hasMenuBar(host, d) ? kMenuBarHeight : 0);
    p.width = std::max({w, static_cast<double>(buttonRowWidth(p.buttons.size())), 1.0});
    p.height = p.clientTop + h + (p.buttons.empty() ? 0 : kButtonRowHeight);
    if (w <= kMaxPictureSide && h <= kMaxPictureSide) {
        p.clientWidth = static_cast<int>(w);
        p.clientHeight = static_cast<int>(h);
    }
    return p;
}

} // namespace

int dialogUnitsToPixelsX(GUIInt_t units) {
    return static_cast<int>(std::lround(units * kCellWidthPixels / 100.0));
}

int dialogUnitsToPixelsY(GUIInt_t units) {
    return static_cast<int>(std::lround(units * kCellHeightPixels / 100.0));
}

PictureSize dialogPictureSize(GUIInt_t dialog) {
    const Host &host = Host::instance();
    const GuiDialog *d = host.findDialog(dialog);
    if (!d)
        return {};
    const PictureLayout p = layoutOf(host, *d);
    if (p.width > kMaxPictureSide || p.height > kMaxPictureSide)
        return {};
    return {static_cast<int>(p.width), static_cast<int>(p.height)};
}

bool renderDialog(GUIInt_t dialog, const std::string &path, std::string *error,
                  const RenderOptions &options) {
    std::string ext;
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "svg")
        return renderDialog(dialog, PictureFormat::Svg, path, error, options);
    if (ext == "png")
        return renderDialog(dialog, PictureFormat::Png, path, error, options);
    return fail(error, "cannot tell the picture format of \"" + path +
                           "\": the file name must end in .svg or .png");
}

#ifndef QGB_HAVE_CAIRO

bool renderDialog(GUIInt_t, PictureFormat, const std::string &path, std::string *error,
                  const RenderOptions &) {
    return fail(error, "cannot draw \"" + path + "\": this host was built without cairo");
}

bool EncodePng(const unsigned char *, int, int, int, std::string *) {
    return false;
}

void LoadPictureFonts() {}

#else

namespace {

// ---- colours

struct Rgb {
    double r, g, b;
};

constexpr Rgb gray(int v) {
    return {v / 255.0, v / 255.0, v / 255.0};
}
constexpr Rgb rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

constexpr Rgb kFace = gray(236);
constexpr Rgb kButtonFace = gray(225);
constexpr Rgb kPressedFace = gray(200);
constexpr Rgb kFieldFace = gray(255);
constexpr Rgb kReadOnlyFace = gray(244);
constexpr Rgb kScrollBar = gray(222);
constexpr Rgb kBorder = gray(122);
constexpr Rgb kFieldBorder = gray(140);
constexpr Rgb kGroupLine = gray(160);
constexpr Rgb kHighlight = gray(255);
constexpr Rgb kText = gray(30);
constexpr Rgb kInsensitiveText = gray(154);
constexpr Rgb kOuterBorder = gray(90);
constexpr Rgb kTitleBar = rgb(60, 74, 92);
constexpr Rgb kTitleText = gray(255);
constexpr Rgb kSidebarHeader = rgb(201, 211, 222);
constexpr Rgb kMenuBar = gray(247);
constexpr Rgb kSelectedTab = gray(250);
constexpr Rgb kMark = rgb(40, 90, 160);

Rgb colorOf(ColorIndex_t index) {
    uint8_t r = 0, g = 0, b = 0;
    colorRGB(validColor(index) ? index : 0, &r, &g, &b);
    return rgb(r, g, b);
}

// ---- text

constexpr const char *kFontFamily = "DejaVu Sans";
constexpr double kFontSize = 14;
constexpr double kMinFontSize = 9;

// cairo takes UTF-8 only (anything else puts the context into an error
// state); stray bytes are shown as '?'.
std::string validUtf8(const std::string &s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        bool ok = len > 0 && i + len <= s.size() && !(c < 0x20 && c != '\t');
        for (size_t k = 1; ok && k < len; ++k)
            ok = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (ok) {
            out.append(s, i, len);
            i += len;
        } else {
            out.push_back('?');
            ++i;
        }
    }
    return out;
}

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? nl : nl - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(validUtf8(line));
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
    return lines;
}

struct Box {
    double x = 0, y = 0, w = 0, h = 0;
};

class Painter {
  public:
    Painter(cairo_t *cr, const Host &host) : cr_(cr), host_(host) {}

    void picture(const GuiDialog &d, const PictureLayout &p);

  private:
    void setColor(const Rgb &c) { cairo_set_source_rgb(cr_, c.r, c.g, c.b); }
    void fill(const Box &b, const Rgb &c);
    void outline(const Box &b, const Rgb &c);
    void raised(const Box &b, const Rgb &face);
    void sunken(const Box &b, const Rgb &face);
    void line(double x0, double y0, double x1, double y1, const Rgb &c);

    void font(double size, bool bold = false);
    double width(const std::string &line);
    // The font size at which the widest line fits into maxWidth.
    double fittedSize(const std::vector<std::string> &lines, double maxWidth, bool bold = false);
    // Text lines with their block's top left corner at (x, y).
    void text(const std::vector<std::string> &lines, double x, double y, const Rgb &c);
    // One block of lines centred in the box (horizontally when centred).
    void textIn(const std::string &s, const Box &b, bool centred, const Rgb &c, double padding = 4,
                bool bold = false);

    void children(GUIInt_t parent, double ox, double oy, int depth);
    void control(const GuiControl &c, double ox, double oy, int depth);
    void tab(const GuiControl &c, const Box &b, int depth);
    void form(const GuiControl &c, const Box &b, int depth);
    void scale(const GuiControl &c, const Box &b, const Rgb &ink);
    void radioBox(const GuiControl &c, const Box &b, const Rgb &ink);
    void toggle(const GuiControl &c, const Box &b, const Rgb &ink);
    void bitmap(const GuiControl &c, const Box &b);
    void groupFrame(const GuiControl &c, const Box &b, const Rgb &ink);
    void arrow(double cx, double cy, double size, bool up);

    std::vector<GUIInt_t> childrenOf(GUIInt_t parent) const {
        auto it = children_.find(parent);
        return it == children_.end() ? std::vector<GUIInt_t>{} : it->second;
    }

    cairo_t *cr_;
    const Host &host_;
    std::map<GUIInt_t, std::vector<GUIInt_t>> children_; // in creation order
    double size_ = kFontSize;                            // the current font size
};

void Painter::fill(const Box &b, const Rgb &c) {
    setColor(c);
    cairo_rectangle(cr_, b.x, b.y, b.w, b.h);
    cairo_fill(cr_);
}

void Painter::outline(const Box &b, const Rgb &c) {
    if (b.w < 1 || b.h < 1)
        return;
    setColor(c);
    cairo_set_line_width(cr_, 1);
    cairo_rectangle(cr_, b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1);
    cairo_stroke(cr_);
}

void Painter::raised(const Box &b, const Rgb &face) {
    fill(b, face);
    if (b.w >= 3 && b.h >= 3) {
        line(b.x + 1, b.y + 1.5, b.x + b.w - 1, b.y + 1.5, kHighlight);
        line(b.x + 1.5, b.y + 1, b.x + 1.5, b.y + b.h - 1, kHighlight);
    }
    outline(b, kBorder);
}

void Painter::sunken(const Box &b, const Rgb &face) {
    fill(b, face);
    outline(b, kFieldBorder);
}

void Painter::line(double x0, double y0, double x1, double y1, const Rgb &c) {
    setColor(c);
    cairo_set_line_width(cr_, 1);
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_stroke(cr_);
}

void Painter::font(double size, bool bold) {
    cairo_select_font_face(cr_, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
    size_ = size;
}

double Painter::width(const std::string &line) {
    cairo_text_extents_t e;
    cairo_text_extents(cr_, line.c_str(), &e);
    return e.x_advance;
}

double Painter::fittedSize(const std::vector<std::string> &lines, double maxWidth, bool bold) {
    font(kFontSize, bold);
    double widest = 0;
    for (const std::string &l : lines)
        widest = std::max(widest, width(l));
    if (widest <= maxWidth || widest <= 0)
        return kFontSize;
    return std::max(kMinFontSize, kFontSize * std::max(maxWidth, 0.0) / widest);
}

void Painter::text(const std::vector<std::string> &lines, double x, double y, const Rgb &c) {
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);
    // Each line sits in a band one character cell high (at the full size).
    const double band = std::max(kCellHeightPixels * size_ / kFontSize, fe.ascent + fe.descent);
    setColor(c);
    double top = y;
    for (const std::string &l : lines) {
        cairo_move_to(cr_, x, top + (band - (fe.ascent + fe.descent)) / 2 + fe.ascent);
        cairo_show_text(cr_, l.c_str());
        top += band;
    }
}

void Painter::textIn(const std::string &s, const Box &b, bool centred, const Rgb &c, double padding,
                     bool bold) {
    const std::vector<std::string> lines = linesOf(s);
    font(fittedSize(lines, b.w - 2 * padding, bold), bold);
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);
    const double band = std::max(kCellHeightPixels * size_ / kFontSize, fe.ascent + fe.descent);
    const double blockHeight = band * static_cast<double>(lines.size());
    double top = b.y + (b.h - blockHeight) / 2;
    setColor(c);
    for (const std::string &l : lines) {
        const double x = centred ? b.x + (b.w - width(l)) / 2 : b.x + padding;
        cairo_move_to(cr_, x, top + (band - (fe.ascent + fe.descent)) / 2 + fe.ascent);
        cairo_show_text(cr_, l.c_str());
        top += band;
    }
}

void Painter::arrow(double cx, double cy, double size, bool up) {
    setColor(kText);
    const double half = size / 2;
    if (up) {
        cairo_move_to(cr_, cx - half, cy + half / 2);
        cairo_line_to(cr_, cx + half, cy + half / 2);
        cairo_line_to(cr_, cx, cy - half / 2);
    } else {
        cairo_move_to(cr_, cx - half, cy - half / 2);
        cairo_line_to(cr_, cx + half, cy - half / 2);
        cairo_line_to(cr_, cx, cy + half / 2);
    }
    cairo_close_path(cr_);
    cairo_fill(cr_);
}

// ---- the picture

void Painter::picture(const GuiDialog &d, const PictureLayout &p) {
    for (GUIInt_t id : d.controls)
        if (const GuiControl *c = host_.findControl(id))
            children_[c->parent].push_back(id);

    const Box all{0, 0, p.width, p.height};
    fill(all, kFace);

    // Title bar (dialogs) or header (sidebars).
    const bool sidebar = d.kind == "Sidebar";
    const Box title{0, 0, p.width, kTitleBarHeight};
    fill(title, sidebar ? kSidebarHeader : kTitleBar);
    cairo_save(cr_);
    cairo_rectangle(cr_, title.x, title.y, title.w, title.h);
    cairo_clip(cr_);
    textIn(d.title, Box{0, 0, p.width, kTitleBarHeight}, false, sidebar ? kText : kTitleText, 10,
           true);
    cairo_restore(cr_);

    // Menu bar: the menus' labels from the left.
    if (hasMenuBar(host_, d)) {
        const Box bar{0, kTitleBarHeight, p.width, kMenuBarHeight};
        fill(bar, kMenuBar);
        line(0, bar.y + bar.h - 0.5, p.width, bar.y + bar.h - 0.5, kGroupLine);
        double x = 8;
        for (GUIInt_t id : childrenOf(d.menuBar)) {
            const GuiControl *menu = host_.findControl(id);
            if (!menu || menu->kind != "Menu" || menu->labels.empty())
                continue;
            const std::vector<std::string> lines = linesOf(menu->labels.front());
            font(kFontSize);
            const double w = width(lines.front());
            textIn(lines.front(), Box{x, bar.y, w, bar.h}, false,
                   menu->sensitive ? kText : kInsensitiveText, 0);
            x += w + 16;
        }
    }

    // Client area with the controls, clipped to it.
    cairo_save(cr_);
    cairo_rectangle(cr_, 0, p.clientTop, p.clientWidth, p.clientHeight);
    cairo_clip(cr_);
    children(d.id, 0, p.clientTop, 0);
    cairo_restore(cr_);

    // The host's standard buttons, right-aligned below the client area.
    if (!p.buttons.empty()) {
        const double rowTop = p.clientTop + p.clientHeight;
        line(0, rowTop + 0.5, p.width, rowTop + 0.5, kGroupLine);
        const double buttonHeight = 26;
        double x = p.width - buttonRowWidth(p.buttons.size()) + kStandardButtonGap;
        for (const std::string &label : p.buttons) {
            const Box b{x, rowTop + (kButtonRowHeight - buttonHeight) / 2, kStandardButtonWidth,
                        buttonHeight};
            raised(b, kButtonFace);
            textIn(label, b, true, kText);
            x += kStandardButtonWidth + kStandardButtonGap;
        }
    }
    outline(all, kOuterBorder);
}

bool isPage(const GuiControl &c) {
    return c.kind == "TabPage" || c.kind == "FormPage";
}

bool isMenuPart(const GuiControl &c) {
    return c.kind == "MenuBar" || c.kind == "Menu" || c.kind == "MenuItem" ||
           c.kind == "MenuSeparator";
}

// Group frames first (they only outline an area), then everything else, in
// creation order.
void Painter::children(GUIInt_t parent, double ox, double oy, int depth) {
    if (depth > 32)
        return;
    const std::vector<GUIInt_t> ids = childrenOf(parent);
    for (int pass = 0; pass < 2; ++pass) {
        for (GUIInt_t id : ids) {
            const GuiControl *c = host_.findControl(id);
            if (!c || isPage(*c) || isMenuPart(*c))
                continue;
            if ((c->kind == "Frame") == (pass == 0))
                control(*c, ox, oy, depth);
        }
    }
}

void Painter::control(const GuiControl &c, double ox, double oy, int depth) {
    const Box b{ox + dialogUnitsToPixelsX(c.x), oy + dialogUnitsToPixelsY(c.y),
                static_cast<double>(dialogUnitsToPixelsX(c.width)),
                static_cast<double>(dialogUnitsToPixelsY(c.height))};
    const Rgb ink = c.sensitive ? kText : kInsensitiveText;
    const std::string label = c.labels.empty() ? std::string() : c.labels.front();
    const double scrollWidth = 14;

    if (c.kind == "Label") {
        const std::vector<std::string> lines = linesOf(label);
        font(kFontSize);
        text(lines, b.x, b.y, ink);
        return;
    }
    if (c.kind == "Frame") {
        groupFrame(c, b, ink);
        return;
    }
    if (c.kind == "HorzSeparator") {
        line(b.x, b.y + 0.5, b.x + b.w, b.y + 0.5, kGroupLine);
        line(b.x, b.y + 1.5, b.x + b.w, b.y + 1.5, kHighlight);
        return;
    }
    if (c.kind == "VertSeparator") {
        line(b.x + 0.5, b.y, b.x + 0.5, b.y + b.h, kGroupLine);
        line(b.x + 1.5, b.y, b.x + 1.5, b.y + b.h, kHighlight);
        return;
    }

    cairo_save(cr_);
    cairo_rectangle(cr_, b.x, b.y, b.w, b.h);
    cairo_clip(cr_);
    if (c.kind == "Button") {
        raised(b, kButtonFace);
        textIn(label, b, true, ink);
    } else if (c.kind == "ColoredButton") {
        raised(b, kButtonFace);
        const Box swatch{b.x + 4, b.y + 4, b.w - 8, b.h - 8};
        fill(swatch, colorOf(c.color));
        outline(swatch, kBorder);
        const Rgb colour = colorOf(c.color);
        const double luminance = 0.299 * colour.r + 0.587 * colour.g + 0.114 * colour.b;
        textIn(label, b, true, c.sensitive ? (luminance < 0.5 ? kHighlight : kText) : ink);
    } else if (c.kind == "TextField") {
        sunken(b, kFieldFace);
        textIn(c.stringValue, b, false, ink);
    } else if (c.kind == "Text") {
        sunken(b, c.readOnly ? kReadOnlyFace : kFieldFace);
        fill(Box{b.x + b.w - scrollWidth, b.y + 1, scrollWidth - 1, b.h - 2}, kScrollBar);
        font(kFontSize);
        text(linesOf(c.stringValue), b.x + 4, b.y + 2, ink);
    } else if (c.kind == "SpinTextField") {
        sunken(b, kFieldFace);
        const double bw = std::min(16.0, b.w / 2);
        const Box up{b.x + b.w - bw, b.y, bw, b.h / 2};
        const Box down{b.x + b.w - bw, b.y + b.h / 2, bw, b.h - b.h / 2};
        raised(up, kButtonFace);
        raised(down, kButtonFace);
        arrow(up.x + up.w / 2, up.y + up.h / 2, std::min(8.0, up.w - 4), true);
        arrow(down.x + down.w / 2, down.y + down.h / 2, std::min(8.0, down.w - 4), false);
        textIn(c.stringValue, Box{b.x, b.y, b.w - bw, b.h}, false, ink);
    } else if (c.kind == "List") {
        sunken(b, kFieldFace);
        fill(Box{b.x + b.w - scrollWidth, b.y + 1, scrollWidth - 1, b.h - 2}, kScrollBar);
    } else if (c.kind == "OptionMenu") {
        raised(b, kButtonFace);
        std::vector<std::string> items;
        size_t start = 0;
        for (;;) {
            const size_t comma = c.optionList.find(',', start);
            items.push_back(c.optionList.substr(
                start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        const std::string shown = c.intValue >= 1 && static_cast<size_t>(c.intValue) <= items.size()
                                      ? items[static_cast<size_t>(c.intValue) - 1]
                                      : std::string();
        const double aw = std::min(18.0, b.w / 3);
        textIn(shown, Box{b.x, b.y, b.w - aw, b.h}, false, ink);
        arrow(b.x + b.w - aw / 2 - 2, b.y + b.h / 2, std::min(9.0, aw - 6), false);
    } else if (c.kind == "Scale") {
        scale(c, b, ink);
    } else if (c.kind == "Toggle") {
        toggle(c, b, ink);
    } else if (c.kind == "RadioBox") {
        radioBox(c, b, ink);
    } else if (c.kind == "BitmapButton" || c.kind == "BitmapToggle") {
        raised(b, c.kind == "BitmapToggle" && c.intValue ? kPressedFace : kButtonFace);
        bitmap(c, b);
    } else if (c.kind == "Tab") {
        tab(c, b, depth);
    } else if (c.kind == "Form") {
        form(c, b, depth);
    } else {
        outline(b, kBorder); // a kind this picture does not know: its place
    }
    cairo_restore(cr_);
}

void Painter::groupFrame(const GuiControl &c, const Box &b, const Rgb &ink) {
    outline(b, kGroupLine);
    const std::string label = c.labels.empty() ? std::string() : c.labels.front();
    if (label.empty())
        return;
    // The caption sits on the top edge, on a patch of the dialog's face.
    const std::vector<std::string> lines = linesOf(label);
    font(kFontSize);
    const double w = width(lines.front());
    const double band = kCellHeightPixels;
    fill(Box{b.x + 6, b.y - band / 2, w + 6, band}, kFace);
    text({lines.front()}, b.x + 9, b.y - band / 2, ink);
}

void Painter::scale(const GuiControl &c, const Box &b, const Rgb &ink) {
    const double numberWidth = c.numericDisplay && b.w > 80 ? 44 : 0;
    const double left = b.x + 6, right = b.x + b.w - numberWidth - 6;
    const double cy = b.y + b.h / 2;
    fill(Box{left, cy - 2, std::max(right - left, 0.0), 4}, kScrollBar);
    outline(Box{left, cy - 2, std::max(right - left, 0.0), 4}, kFieldBorder);
    const double span = static_cast<double>(c.scaleMax) - c.scaleMin;
    const double fraction = span > 0 ? std::clamp((c.intValue - c.scaleMin) / span, 0.0, 1.0) : 0;
    const double thumbHeight = std::max(std::min(b.h - 4, 18.0), 4.0);
    raised(Box{left + fraction * (right - left) - 5, cy - thumbHeight / 2, 10, thumbHeight},
           kButtonFace);
    if (numberWidth > 0) {
        double value = c.intValue;
        for (GUIInt_t i = 0; i < c.decimals && i < 9; ++i)
            value /= 10;
        char number[64];
        std::snprintf(number, sizeof number, "%.*f", static_cast<int>(std::min(c.decimals, 9)),
                      value);
        textIn(number, Box{b.x + b.w - numberWidth, b.y, numberWidth, b.h}, true, ink, 2);
    }
}

void Painter::toggle(const GuiControl &c, const Box &b, const Rgb &ink) {
    const double side = 13;
    const double top = b.y + (b.h - side) / 2;
    sunken(Box{b.x + 2, top, side, side}, kFieldFace);
    if (c.intValue) {
        setColor(kMark);
        cairo_set_line_width(cr_, 2);
        cairo_move_to(cr_, b.x + 4.5, top + 7);
        cairo_line_to(cr_, b.x + 7.5, top + 10);
        cairo_line_to(cr_, b.x + 12.5, top + 3);
        cairo_stroke(cr_);
    }
    textIn(c.labels.empty() ? std::string() : c.labels.front(),
           Box{b.x + side + 6, b.y, b.w - side - 6, b.h}, false, ink, 2);
}

void Painter::radioBox(const GuiControl &c, const Box &b, const Rgb &ink) {
    if (c.labels.empty())
        return;
    const double rowHeight = b.h / static_cast<double>(c.labels.size());
    for (size_t i = 0; i < c.labels.size(); ++i) {
        const Box row{b.x, b.y + rowHeight * static_cast<double>(i), b.w, rowHeight};
        const double cx = row.x + 9, cy = row.y + row.h / 2;
        setColor(kFieldFace);
        cairo_new_path(cr_);
        cairo_arc(cr_, cx, cy, 6, 0, 2 * M_PI);
        cairo_fill_preserve(cr_);
        setColor(kFieldBorder);
        cairo_set_line_width(cr_, 1);
        cairo_stroke(cr_);
        if (c.intValue == static_cast<GUIInt_t>(i) + 1) {
            setColor(kMark);
            cairo_new_path(cr_);
            cairo_arc(cr_, cx, cy, 3, 0, 2 * M_PI);
            cairo_fill(cr_);
        }
        textIn(c.labels[i], Box{row.x + 20, row.y, row.w - 20, row.h}, false, ink, 2);
    }
}

void Painter::bitmap(const GuiControl &c, const Box &b) {
    const int w = c.bitmapWidth, h = c.bitmapHeight;
    if (w <= 0 || h <= 0 || c.bitmap.size() < static_cast<size_t>(w) * static_cast<size_t>(h) * 3)
        return;
    cairo_surface_t *image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_surface_flush(image);
    unsigned char *data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int row = 0; row < h; ++row) {
        auto *out = reinterpret_cast<uint32_t *>(data + static_cast<ptrdiff_t>(row) * stride);
        for (int col = 0; col < w; ++col) {
            const size_t at =
                (static_cast<size_t>(row) * static_cast<size_t>(w) + static_cast<size_t>(col)) * 3;
            const uint32_t r = c.bitmap[at], g = c.bitmap[at + 1], bl = c.bitmap[at + 2];
            const bool transparent = c.useTransparentColor &&
                                     static_cast<GUIInt_t>(r) == c.transparentRed &&
                                     static_cast<GUIInt_t>(g) == c.transparentGreen &&
                                     static_cast<GUIInt_t>(bl) == c.transparentBlue;
            out[col] = transparent ? 0u : (0xFFu << 24) | (r << 16) | (g << 8) | bl;
        }
    }
    cairo_surface_mark_dirty(image);
    // At its own pixel size, centred on the button.
    const double x = std::floor(b.x + (b.w - w) / 2), y = std::floor(b.y + (b.h - h) / 2);
    cairo_set_source_surface(cr_, image, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
    cairo_surface_destroy(image);
}

// A tab control: a header for every page, the first page's controls below.
void Painter::tab(const GuiControl &c, const Box &b, int depth) {
    std::vector<const GuiControl *> pages;
    for (GUIInt_t id : childrenOf(c.id))
        if (const GuiControl *p = host_.findControl(id); p && p->kind == "TabPage")
            pages.push_back(p);
    const Box area{b.x, b.y + kTabHeaderHeight - 1, b.w, b.h - kTabHeaderHeight + 1};
    fill(area, kSelectedTab);
    outline(area, kBorder);
    double x = b.x + 2;
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::vector<std::string> lines =
            linesOf(pages[i]->labels.empty() ? std::string() : pages[i]->labels.front());
        font(kFontSize);
        const double w = width(lines.front()) + 16;
        const bool selected = i == 0;
        const double drop = selected ? 0 : 3; // the other headers sit lower
        const Box header{x, b.y + drop, w, kTabHeaderHeight - drop};
        fill(header, selected ? kSelectedTab : kButtonFace);
        outline(header, kBorder);
        if (selected)
            line(header.x + 1, area.y + 0.5, header.x + header.w - 1, area.y + 0.5, kSelectedTab);
        textIn(lines.front(), header, true, c.sensitive ? kText : kInsensitiveText, 2);
        x += w - 1;
    }
    if (!pages.empty()) {
        cairo_save(cr_);
        cairo_rectangle(cr_, area.x + 1, area.y + 1, std::max(area.w - 2, 0.0),
                        std::max(area.h - 2, 0.0));
        cairo_clip(cr_);
        children(pages.front()->id, b.x, b.y + kTabHeaderHeight, depth + 1);
        cairo_restore(cr_);
    }
}

// A form control: its first page's controls inside a thin outline.
void Painter::form(const GuiControl &c, const Box &b, int depth) {
    outline(b, kGroupLine);
    for (GUIInt_t id : childrenOf(c.id)) {
        const GuiControl *p = host_.findControl(id);
        if (p && p->kind == "FormPage") {
            children(p->id, b.x, b.y, depth + 1);
            break;
        }
    }
}

cairo_status_t appendToString(void *closure, const unsigned char *data, unsigned int length) {
    static_cast<std::string *>(closure)->append(reinterpret_cast<const char *>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// ---- PNG
//
// A preview PNG is the signature, IHDR, one IDAT and IEND. Every row has the
// "up" filter (a dialog's rows mostly repeat the row above) and the filtered
// rows are deflated at zlib's fastest level: cairo's own writer tries every
// filter on every row at level 6, which took more than half of a preview's
// time for 15 % fewer bytes (docs/benchmarks.md has the figures).
//
// The two halves of the picture are deflated at once, on two threads, as two
// raw deflate streams joined into the one zlib stream of the IDAT: the top
// half ends on a sync flush (byte-aligned, no final block), so the bottom
// half's blocks follow it directly. Only the bottom half's first matches
// cannot reach back into the top half; the adler32 of the whole is combined
// from the halves'.
constexpr int kPngCompressionLevel = 1;
constexpr unsigned char kPngFilterUp = 2;

struct DeflatedRows {
    std::string bytes;
    uLong adler = 1;
    uLong length = 0; // filtered bytes deflated
    bool ok = false;
};

// The adler32 of the filtered bytes is summed as they are made (zlib's own
// sum is a second pass over 6 MB for a large dialog): a pixel equal to the
// one above filters to three zero bytes, which add nothing to the first sum
// and three times the first to the second. Sums are reduced at least every
// 5,552 bytes, which keeps them below 2^32.
constexpr uint32_t kAdlerBase = 65521;
constexpr int kAdlerPixels = 5552 / 3 - 1;

// Rows [first, end) of RGB24 pixels (native 32-bit words 0x00RRGGBB; the top
// byte is unused), each filtered into R, G, B differences from the row above
// (the row above the picture counts as zero), as raw deflate blocks; the last
// block is final only when `last`.
void deflateRows(const unsigned char *data, int stride, int width, int first, int end, bool last,
                 DeflatedRows *out) {
    z_stream z{};
    if (deflateInit2(&z, kPngCompressionLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return;
    bool ok = true;
    try {
        const size_t rowBytes = 1 + static_cast<size_t>(width) * 3;
        std::vector<unsigned char> row(rowBytes);
        std::vector<unsigned char> chunk(1 << 16);
        const std::vector<uint32_t> zeros(first == 0 ? static_cast<size_t>(width) : 0);
        uint32_t a = 1, b = 0;
        for (int y = first; y < end && ok; ++y) {
            const auto *in =
                reinterpret_cast<const uint32_t *>(data + static_cast<size_t>(y) * stride);
            const auto *above = y == 0 ? zeros.data()
                                       : reinterpret_cast<const uint32_t *>(
                                             data + static_cast<size_t>(y - 1) * stride);
            unsigned char *f = row.data();
            *f++ = kPngFilterUp;
            a += kPngFilterUp;
            b += a;
            for (int x0 = 0; x0 < width; x0 += kAdlerPixels) {
                const int x1 = std::min(width, x0 + kAdlerPixels);
                for (int x = x0; x < x1; ++x, f += 3) {
                    const uint32_t p = in[x], q = above[x];
                    if (((p ^ q) & 0xFFFFFF) == 0) {
                        f[0] = f[1] = f[2] = 0;
                        b += 3 * a;
                        continue;
                    }
                    f[0] = static_cast<unsigned char>((p >> 16) - (q >> 16));
                    f[1] = static_cast<unsigned char>((p >> 8) - (q >> 8));
                    f[2] = static_cast<unsigned char>(p - q);
                    for (int i = 0; i < 3; ++i) {
                        a += f[i];
                        b += a;
                    }
                }
                a %= kAdlerBase;
                b %= kAdlerBase;
            }
            out->length += static_cast<uLong>(rowBytes);
            const int flush = y + 1 < end ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
            z.next_in = row.data();
            z.avail_in = static_cast<uInt>(rowBytes);
            int status = Z_OK;
            do {
                z.next_out = chunk.data();
                z.avail_out = static_cast<uInt>(chunk.size());
                status = deflate(&z, flush);
                out->bytes.append(reinterpret_cast<const char *>(chunk.data()),
                                  chunk.size() - z.avail_out);
            } while (status == Z_OK && z.avail_out == 0);
            ok = flush == Z_FINISH ? status == Z_STREAM_END : status == Z_OK && z.avail_in == 0;
        }
        out->adler = b << 16 | a;
    } catch (const std::bad_alloc &) {
        ok = false;
    }
    deflateEnd(&z);
    out->ok = ok;
}

void appendBigEndian(std::string *out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back(static_cast<char>((value >> shift) & 0xFF));
}

// One chunk: length, type, the data given in pieces, and the CRC of type and data.
void appendChunk(std::string *png, const char *type, std::initializer_list<std::string_view> data) {
    size_t length = 0;
    for (std::string_view piece : data)
        length += piece.size();
    appendBigEndian(png, static_cast<uint32_t>(length));
    png->append(type, 4);
    uLong crc = crc32(0, reinterpret_cast<const Bytef *>(type), 4);
    for (std::string_view piece : data) {
        png->append(piece.data(), piece.size());
        crc = crc32(crc, reinterpret_cast<const Bytef *>(piece.data()),
                    static_cast<uInt>(piece.size()));
    }
    appendBigEndian(png, static_cast<uint32_t>(crc));
}

} // namespace

bool EncodePng(const unsigned char *data, int width, int height, int stride, std::string *png) {
    if (!data || width <= 0 || height <= 0 || stride < static_cast<int64_t>(width) * 4)
        return false;
    // A picture of one row is all bottom half.
    const int split = height / 2;
    DeflatedRows top, bottom;
    std::thread helper;
    try {
        helper = std::thread(deflateRows, data, stride, width, split, height, true, &bottom);
    } catch (const std::system_error &) {
        deflateRows(data, stride, width, split, height, true, &bottom);
    }
    if (split > 0)
        deflateRows(data, stride, width, 0, split, false, &top);
    else
        top.ok = true;
    if (helper.joinable())
        helper.join();
    if (!top.ok || !bottom.ok)
        return false;

    std::string header;
    appendBigEndian(&header, static_cast<uint32_t>(width));
    appendBigEndian(&header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    std::string trailer;
    appendBigEndian(&trailer,
                    static_cast<uint32_t>(adler32_combine(top.adler, bottom.adler, bottom.length)));
    // 0x78 0x01: deflate with a 32 KiB window at the fastest level.
    png->append("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", {header});
    appendChunk(png, "IDAT", {std::string_view("\x78\x01", 2), top.bytes, bottom.bytes, trailer});
    appendChunk(png, "IEND", {});
    return true;
}

namespace {

// The PNG of an RGB24 image surface, appended to `bytes`.
bool encodePng(cairo_surface_t *surface, std::string *bytes) {
    cairo_surface_flush(surface);
    return EncodePng(cairo_image_surface_get_data(surface), cairo_image_surface_get_width(surface),
                     cairo_image_surface_get_height(surface),
                     cairo_image_surface_get_stride(surface), bytes);
}

// cairo numbers the SVG's surfaces and images with counters that run on for
// the whole process; they are numbered from 1 per picture instead, so that a
// dialog gives the same bytes on every run.
std::string renumberSvgIds(const std::string &svg) {
    std::string out;
    out.reserve(svg.size());
    std::map<std::string, int> numbers;
    size_t i = 0;
    while (i < svg.size()) {
        size_t found = std::string::npos;
        std::string prefix;
        for (const char *p : {"\"surface", "\"image", "\"#surface", "\"#image"}) {
            const size_t at = svg.find(p, i);
            if (at < found) {
                found = at;
                prefix = p;
            }
        }
        if (found == std::string::npos) {
            out.append(svg, i, std::string::npos);
            break;
        }
        size_t end = found + prefix.size();
        while (end < svg.size() && std::isdigit(static_cast<unsigned char>(svg[end])))
            ++end;
        out.append(svg, i, found + prefix.size() - i);
        if (end > found + prefix.size() && end < svg.size() && svg[end] == '"') {
            const std::string kind =
                prefix.find("surface") != std::string::npos ? "surface" : "image";
            const std::string key =
                kind + svg.substr(found + prefix.size(), end - found - prefix.size());
            auto it = numbers.find(key);
            if (it == numbers.end())
                it = numbers.emplace(key, static_cast<int>(numbers.size()) + 1).first;
            out += std::to_string(it->second);
            i = end;
        } else {
            i = found + prefix.size();
        }
    }
    return out;
}

bool writeFile(const std::string &path, const std::string &bytes, std::string *error) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return fail(error, "cannot write \"" + path + "\": " + std::strerror(errno));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return fail(error, "cannot write \"" + path + "\"");
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        std::remove(temporary.c_str());
        return fail(error, "cannot write \"" + path + "\": " + why);
    }
    return true;
}

// cairo and fontconfig keep their fonts for the life of the process; they
// are given back at exit, so that leak checkers see a clean end.
void ReleaseFontCaches() {
    cairo_debug_reset_static_data();
    using Fini = void (*)();
    if (auto fini = reinterpret_cast<Fini>(::dlsym(RTLD_DEFAULT, "FcFini")))
        fini();
}

void ReleaseFontCachesAtExit() {
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(ReleaseFontCaches); });
}

} // namespace

void LoadPictureFonts() {
    ReleaseFontCachesAtExit();
    cairo_surface_t *scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t *cr = cairo_create(scratch);
    for (const cairo_font_weight_t weight : {CAIRO_FONT_WEIGHT_NORMAL, CAIRO_FONT_WEIGHT_BOLD}) {
        cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, weight);
        cairo_set_font_size(cr, kFontSize);
        cairo_font_extents_t extents;
        cairo_font_extents(cr, &extents);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
}

bool renderDialog(GUIInt_t dialog, PictureFormat format, const std::string &path,
                  std::string *error, const RenderOptions &options) {
    const Host &host = Host::instance();
    const GuiDialog *d = host.findDialog(dialog);
    if (!d)
        return fail(error, "cannot draw dialog " + std::to_string(dialog) + ": there is none");
    const PictureLayout p = layoutOf(host, *d);
    const double scale = options.scale;
    if (!(scale > 0) || p.width * scale > kMaxPictureSide || p.height * scale > kMaxPictureSide)
        return fail(error, "cannot draw \"" + d->title + "\": the picture would be larger than " +
                               std::to_string(kMaxPictureSide) + " pixels on a side");
    const int width = static_cast<int>(std::ceil(p.width * scale));
    const int height = static_cast<int>(std::ceil(p.height * scale));

    ReleaseFontCachesAtExit();
    std::string bytes;
    cairo_surface_t *surface = nullptr;
    if (format == PictureFormat::Svg) {
        surface = cairo_svg_surface_create_for_stream(appendToString, &bytes, width, height);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    } else {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        // A new surface's pages are mapped at their first write, one fault per
        // 4 KiB (2,100 for a 200-control dialog, about 4 ms): they are written
        // here, while a caller's font loading may still run (beforeDrawing),
        // rather than by the first paint.
        if (unsigned char *pixels = cairo_image_surface_get_data(surface))
            std::memset(pixels, 0,
                        static_cast<size_t>(cairo_image_surface_get_stride(surface)) * height);
        cairo_surface_mark_dirty(surface);
    }
    if (options.beforeDrawing)
        options.beforeDrawing();
    cairo_t *cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    Painter(cr, host).picture(*d, p);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);

    cairo_status_t status = drawn;
    bool encoded = true;
    if (status == CAIRO_STATUS_SUCCESS && format == PictureFormat::Png)
        encoded = encodePng(surface, &bytes);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        return fail(error, "cannot draw \"" + d->title + "\": " + cairo_status_to_string(status));
    if (!encoded)
        return fail(error, "cannot draw \"" + d->title + "\": the PNG could not be encoded");
    return writeFile(path, format == PictureFormat::Svg ? renumberSvgIds(bytes) : bytes, error);
}

#endif // QGB_HAVE_CAIRO

} // namespace quorvin::host
