#include "DesignGenerator.h"

#include "quorvin/Host.h"

#include <fstream>
#include <vector>

namespace qgbbench {

namespace {

using quorvin::host::FrameSpec;
using quorvin::host::GeomSpec;
using quorvin::host::Host;
using quorvin::host::TextSpec;

// A small deterministic generator (xorshift32): the same on every platform
// and standard library.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Below(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(n)) : 0; }

  private:
    uint32_t state_;
};

const char *const kWords[] = {"Alpha", "Beta",  "Gamma", "Delta", "Value", "Name",  "Count",
                              "Level", "Mode",  "Scale", "Items", "Apply", "Reset", "Colour",
                              "Size",  "Width", "Depth", "Angle", "Speed", "Label"};

std::string Word(Random &random) {
    return kWords[random.Below(static_cast<int>(sizeof kWords / sizeof kWords[0]))];
}

// Frame geometry: paper inches; controls are placed in screen pixels from
// the frame's top-left corner (96 pixels an inch).
constexpr double kFrameX = 1, kFrameY = 0.25;
constexpr double kLineHeight = 16; // 12 points
constexpr double kRowHeight = 40;
constexpr double kColumnWidth = 220;
constexpr int kRows = 10;

struct Placer {
    int slot = 0;
    double x() const { return 10 + (slot / kRows) * kColumnWidth; }
    double y() const { return 10 + (slot % kRows) * kRowHeight; }
};

void AddText(const std::string &string, const std::string &command, TextBox_e box, double x,
             double y) {
    TextSpec spec;
    spec.string = string;
    spec.command = command;
    spec.boxType = box;
    spec.coordSys = CoordSys_Screen;
    spec.sizeUnits = Units_Point;
    spec.height = 12;
    spec.margin = 10;
    int lines = 1;
    for (char c : string)
        lines += c == '\n';
    spec.x = kFrameX * 96 + x;
    spec.y = kFrameY * 96 + y + lines * kLineHeight;
    Host::instance().addText(spec);
}

void AddGeom(GeomSpec spec) {
    spec.coordSys = CoordSys_Screen;
    spec.x += kFrameX * 96;
    spec.y += kFrameY * 96;
    Host::instance().addGeom(spec);
}

UniqueID_t AddFrame(const std::string &name, double width, double height, int linkGroup) {
    FrameSpec spec;
    spec.name = name;
    spec.x = kFrameX;
    spec.y = kFrameY;
    spec.width = width;
    spec.height = height;
    spec.linkGroup = linkGroup;
    spec.linkSizeAndPosition = linkGroup > 0;
    return Host::instance().addFrame(spec);
}

// One control of the kind chosen for the slot; returns texts and geometries
// added.
void AddControl(Random &random, int kind, int index, const Placer &at, const std::string &imageFile,
                DesignSummary &summary) {
    const std::string word = Word(random);
    const std::string var = "VarName=" + word + std::to_string(index);
    const std::string tip = random.Below(3) == 0 ? " ToolTip=\"" + word + " tip\"" : "";
    const double x = at.x(), y = at.y();
    switch (kind) {
    case 0:
        AddText("TF:" + word, var + tip, TextBox_Filled, x, y);
        break;
    case 1:
        AddText("T:" + word + "\n\n", var + tip, TextBox_Filled, x, y);
        break;
    case 2:
        AddText("TRO:" + word, var, TextBox_Filled, x, y);
        break;
    case 3:
        AddText("SLST:" + word + "\n\n", var + tip, TextBox_Filled, x, y);
        break;
    case 4:
        AddText("MLST:" + word, var, TextBox_Filled, x, y);
        break;
    case 5:
        AddText("TFS:" + word, var + " CHARWIDTH=8", TextBox_Filled, x, y);
        break;
    case 6:
        AddText("SC:" + word, var + (random.Below(2) ? " SHOWLABEL=F" : ""), TextBox_Filled, x, y);
        break;
    case 7:
        AddText("OPT:" + word, var, TextBox_Filled, x, y);
        break;
    case 8:
        AddText(word + " button", var + tip, TextBox_Filled, x, y);
        break;
    case 9:
        AddText(word, var + " ColorIndex=" + std::to_string(random.Below(8)), TextBox_Filled, x, y);
        break;
    case 10:
        AddText("<math>7</math>   " + word, var + tip, TextBox_None, x, y);
        break;
    case 11:
        AddText("~7 " + word + "\n~7 " + Word(random) + "\n~7 Other", var, TextBox_Hollow, x, y);
        break;
    case 12:
        AddText(word + ":", random.Below(2) ? var : "", TextBox_None, x, y);
        break;
    case 13: {
        GeomSpec rect;
        rect.type = GeomType_Rectangle;
        rect.x = x;
        rect.y = y + 10;
        rect.width = 200;
        rect.height = 30;
        rect.command = random.Below(2) ? word : "";
        AddGeom(rect);
        ++summary.geometries;
        return;
    }
    case 14:
    case 15: {
        GeomSpec line;
        line.type = GeomType_LineSegs;
        line.x = x;
        line.y = y + 10;
        if (kind == 14)
            line.polylines = {{{0, 0}, {180, 0}}};
        else
            line.polylines = {{{0, 0}, {0, 30}}};
        AddGeom(line);
        ++summary.geometries;
        return;
    }
    default: {
        if (imageFile.empty()) {
            AddText(word + " button", var, TextBox_Filled, x, y);
            break;
        }
        GeomSpec image;
        image.type = GeomType_Image;
        image.x = x;
        image.y = y + 24;
        image.width = 24;
        image.imageFile = imageFile;
        image.command = var + (random.Below(2) ? " Type=Toggle" : "") +
                        (random.Below(2) ? " TransparentColor=FF00FF" : "") + tip;
        AddGeom(image);
        ++summary.geometries;
        return;
    }
    }
    ++summary.texts;
}

constexpr int kKinds = 17;

} // namespace

DesignSummary AddSyntheticDesign(const DesignOptions &options) {
    DesignSummary summary;
    Random random(options.seed);
    const int columns = (options.controlsPerDialog + kRows - 1) / kRows;
    const double width = (20 + columns * kColumnWidth) / 96;
    const double height = (20 + kRows * kRowHeight) / 96;
    int nextGroup = 1;

    for (int s = 1; s <= options.sidebars; ++s) {
        AddFrame("ID=" + std::to_string(s) + " TITLE=\"Sidebar " + std::to_string(s) +
                     "\" SIDEBAR=T",
                 3, height, 0);
        ++summary.frames;
        ++summary.sidebars;
        Placer at;
        for (int c = 0; c < 5; ++c, ++at.slot)
            AddControl(random, random.Below(13), c, at, options.imageFile, summary);
    }

    for (int d = 1; d <= options.dialogs; ++d) {
        const bool paged = options.pagesPerControl > 0 && d % 5 == 1 && nextGroup + 1 <= 32;
        const int tabGroup = paged ? nextGroup++ : 0;
        const int formGroup = paged ? nextGroup++ : 0;
        if (paged) {
            // Pages first, in the reverse of their POS order, so that the
            // tab control has to sort them.
            for (int p = options.pagesPerControl; p >= 1; --p) {
                AddFrame("TABPAGE=T ID=" + std::to_string(p) + " POS=" + std::to_string(p) +
                             " TITLE=\"Page " + std::to_string(p) + "\"",
                         3, 2, tabGroup);
                Placer at;
                for (int c = 0; c < 3; ++c, ++at.slot)
                    AddControl(random, random.Below(13), c, at, options.imageFile, summary);
                AddFrame("FORMPAGE=T ID=" + std::to_string(p), 3, 2, formGroup);
                at = Placer{};
                for (int c = 0; c < 3; ++c, ++at.slot)
                    AddControl(random, random.Below(13), c, at, options.imageFile, summary);
                summary.frames += 2;
                summary.pages += 2;
            }
        }
        const bool modeless = d % 2 == 0;
        std::string number = std::to_string(d);
        if (options.letterTitles)
            for (char &digit : number)
                digit = static_cast<char>('A' + (digit - '0'));
        AddFrame("ID=" + std::to_string(d) + " TITLE=\"Dialog " + number + "\"" +
                     (modeless ? " MODE=MODELESS" : " MODE=MODAL") +
                     (random.Below(4) == 0 ? " APPLYBUTTON=T" : ""),
                 width, height, 0);
        ++summary.frames;
        ++summary.dialogs;
        Placer at;
        int controls = options.controlsPerDialog;
        if (paged && controls >= 2) {
            AddText("TAB:Group=" + std::to_string(tabGroup) + "  \n\n\n",
                    "VarName=Tabs" + std::to_string(d), TextBox_Filled, at.x(), at.y());
            ++at.slot;
            AddText("FM:Group=" + std::to_string(formGroup) + "  \n\n\n",
                    "VarName=Forms" + std::to_string(d), TextBox_Filled, at.x(), at.y());
            ++at.slot;
            summary.texts += 2;
            controls -= 2;
        }
        // Every kind in turn, from a random start, so each dialog has all.
        const int first = random.Below(kKinds);
        for (int c = 0; c < controls; ++c, ++at.slot)
            AddControl(random, (first + c) % kKinds, c, at, options.imageFile, summary);
    }
    return summary;
}

bool WriteSyntheticImage(const std::string &path, int width, int height) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int imageBytes = rowBytes * height;
    std::vector<unsigned char> file(54 + static_cast<size_t>(imageBytes), 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<uint32_t>(imageBytes));
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width * 3; ++col)
            file[54 + static_cast<size_t>(row * rowBytes + col)] =
                static_cast<unsigned char>((row * 37 + col * 11) & 0xff);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

} // namespace qgbbench
