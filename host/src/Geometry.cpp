// Coordinate systems and the fixed font metrics of the reference host.
//
// Frame (1): percent of the frame, origin at its lower-left, x right, y up.
// Paper (3): inches from the paper's top-left corner, y down.
// Screen (4): paper inches times 96, y down.
#include "HostImpl.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace quorvin::host {

FrameRect rectOf(const Frame *frame) {
    FrameRect r;
    if (frame) {
        r.x = frame->spec.x;
        r.y = frame->spec.y;
        r.width = frame->spec.width;
        r.height = frame->spec.height;
    }
    return r;
}

bool validCoordSys(CoordSys_e cs) {
    return cs == CoordSys_Frame || cs == CoordSys_Paper || cs == CoordSys_Screen;
}

double positionToPaperX(CoordSys_e cs, double v, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return f.x + v / 100.0 * f.width;
    case CoordSys_Screen:
        return v / kScreenDpi;
    default:
        return v;
    }
}

double positionToPaperY(CoordSys_e cs, double v, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return f.y + f.height - v / 100.0 * f.height;
    case CoordSys_Screen:
        return v / kScreenDpi;
    default:
        return v;
    }
}

double paperToPositionX(CoordSys_e cs, double p, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return (p - f.x) / f.width * 100.0;
    case CoordSys_Screen:
        return p * kScreenDpi;
    default:
        return p;
    }
}

double paperToPositionY(CoordSys_e cs, double p, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return (f.y + f.height - p) / f.height * 100.0;
    case CoordSys_Screen:
        return p * kScreenDpi;
    default:
        return p;
    }
}

double lengthToPaperX(CoordSys_e cs, double v, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return v / 100.0 * f.width;
    case CoordSys_Screen:
        return v / kScreenDpi;
    default:
        return v;
    }
}

double lengthToPaperY(CoordSys_e cs, double v, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return v / 100.0 * f.height;
    case CoordSys_Screen:
        return v / kScreenDpi;
    default:
        return v;
    }
}

double paperToLengthX(CoordSys_e cs, double p, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return p / f.width * 100.0;
    case CoordSys_Screen:
        return p * kScreenDpi;
    default:
        return p;
    }
}

double paperToLengthY(CoordSys_e cs, double p, const FrameRect &f) {
    switch (cs) {
    case CoordSys_Frame:
        return p / f.height * 100.0;
    case CoordSys_Screen:
        return p * kScreenDpi;
    default:
        return p;
    }
}

size_t glyphCount(std::string_view line) {
    constexpr std::string_view kToggleMark = "<math>7</math>";
    size_t glyphs = 0;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '<') {
            if (line.compare(i, kToggleMark.size(), kToggleMark) == 0) {
                ++glyphs;
                i += kToggleMark.size();
                continue;
            }
            size_t close = line.find('>', i + 1);
            if (close != std::string_view::npos) {
                i = close + 1; // a markup tag draws nothing
                continue;
            }
        }
        // One glyph per character: UTF-8 continuation bytes add none.
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80)
            ++glyphs;
        ++i;
    }
    return glyphs;
}

PaperBox textPaperBox(const TextSpec &text, const FrameRect &frame) {
    const double h =
        text.sizeUnits == Units_Point ? text.height / 72.0 : text.height / 100.0 * frame.height;
    size_t lines = 1, widest = 0, start = 0;
    for (;;) {
        const size_t end = text.string.find('\n', start);
        const std::string_view line =
            std::string_view(text.string)
                .substr(start, end == std::string::npos ? std::string::npos : end - start);
        widest = std::max(widest, glyphCount(line));
        if (end == std::string::npos)
            break;
        ++lines;
        start = end + 1;
    }
    const double width = static_cast<double>(widest) * 0.5 * h;
    const double height = h + static_cast<double>(lines - 1) * h * text.lineSpacing;

    const double px = positionToPaperX(text.coordSys, text.x, frame);
    const double py = positionToPaperY(text.coordSys, text.y, frame);
    PaperBox box;
    box.left = px;
    if (text.anchor == 1)
        box.left = px - width / 2.0;
    else if (text.anchor == 2)
        box.left = px - width;
    box.right = box.left + width;
    box.bottom = py;
    box.top = py - height;
    if (text.boxType != TextBox_None) {
        const double m = text.margin / 100.0 * h;
        box.left -= m;
        box.right += m;
        box.top -= m;
        box.bottom += m;
    }
    return box;
}

double imageHeight(const Geom &geom, const FrameRect &frame) {
    if (geom.pixelWidth <= 0)
        return 0;
    const double paperWidth = lengthToPaperX(geom.spec.coordSys, geom.spec.width, frame);
    const double paperHeight = paperWidth * geom.pixelHeight / geom.pixelWidth;
    return paperToLengthY(geom.spec.coordSys, paperHeight, frame);
}

bool validColor(int64_t c) {
    return c >= 0 && c < kColorCount;
}
bool validBoxType(int64_t t) {
    return t >= TextBox_None && t <= TextBox_Hollow;
}
bool validAnchor(int64_t a) {
    return a >= 0 && a <= 2;
}
bool validSizeUnits(int64_t u) {
    return u == Units_Frame || u == Units_Point;
}
bool validScope(int64_t s) {
    return s == 1 || s == 2;
}
bool validFont(int64_t f) {
    return f >= 0 && f <= 12;
}

} // namespace quorvin::host

namespace quorvin::host {

void colorRGB(ColorIndex_t color, uint8_t *red, uint8_t *green, uint8_t *blue) {
    static const uint8_t basic[8][3] = {{0, 0, 0},     {255, 0, 0},    {0, 255, 0},
                                        {0, 0, 255},   {0, 255, 255},  {255, 255, 0},
                                        {255, 0, 255}, {255, 255, 255}};
    if (color >= 0 && color < 8) {
        *red = basic[color][0];
        *green = basic[color][1];
        *blue = basic[color][2];
        return;
    }
    // Custom colours 1..56 (indices 8..63): a fixed, documented spread.
    const int k = color - 7;
    *red = static_cast<uint8_t>((k * 53) % 256);
    *green = static_cast<uint8_t>((k * 97) % 256);
    *blue = static_cast<uint8_t>((k * 151) % 256);
}

} // namespace quorvin::host
