#include "ClassicSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "shell/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qgbtest {

using quorvin::host::Host;

UniqueID_t AddFrameAt(const std::string &name, double widthInches, double heightInches, bool linked,
                      int linkGroup) {
    quorvin::host::FrameSpec spec;
    spec.name = name;
    spec.x = kFrameLeftPixels / 96;
    spec.y = kFrameTopPixels / 96;
    spec.width = widthInches;
    spec.height = heightInches;
    spec.linkSizeAndPosition = linked;
    spec.linkGroup = linkGroup;
    return Host::instance().addFrame(spec);
}

Text_ID AddPixelText(const PixelText &text) {
    quorvin::host::TextSpec spec;
    spec.string = text.string;
    spec.command = text.command;
    spec.boxType = text.box;
    spec.coordSys = CoordSys_Screen;
    spec.sizeUnits = Units_Point;
    spec.height = text.heightPixels * 72 / 96;
    spec.margin = text.margin;
    // The position is the lower-left corner of the text block, one line
    // height a line below its top.
    const double lines =
        1.0 + static_cast<double>(std::count(text.string.begin(), text.string.end(), '\n'));
    spec.x = kFrameLeftPixels + text.x;
    spec.y = kFrameTopPixels + text.y + lines * text.heightPixels;
    return Host::instance().addText(spec);
}

Geom_ID AddPixelRectangle(double x, double y, double w, double h, const std::string &command) {
    quorvin::host::GeomSpec spec;
    spec.type = GeomType_Rectangle;
    spec.coordSys = CoordSys_Screen;
    spec.x = kFrameLeftPixels + x;
    spec.y = kFrameTopPixels + y;
    spec.width = w;
    spec.height = h;
    spec.command = command;
    return Host::instance().addGeom(spec);
}

Geom_ID AddPixelLine(double x1, double y1, double x2, double y2) {
    quorvin::host::GeomSpec spec;
    spec.type = GeomType_LineSegs;
    spec.coordSys = CoordSys_Screen;
    spec.x = kFrameLeftPixels + x1;
    spec.y = kFrameTopPixels + y1;
    spec.polylines = {{{0, 0}, {x2 - x1, y2 - y1}}};
    return Host::instance().addGeom(spec);
}

Geom_ID AddPixelImage(const std::string &file, double x, double yBottom, double widthPixels,
                      const std::string &command) {
    quorvin::host::GeomSpec spec;
    spec.type = GeomType_Image;
    spec.coordSys = CoordSys_Screen;
    spec.x = kFrameLeftPixels + x;
    spec.y = kFrameTopPixels + yBottom;
    spec.width = widthPixels;
    spec.imageFile = file;
    spec.command = command;
    return Host::instance().addGeom(spec);
}

void WriteBmp(const std::string &path, int width, int height,
              const std::vector<unsigned char> &rgb) {
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
    file[26] = 1;  // planes
    file[28] = 24; // bits a pixel
    put32(34, static_cast<uint32_t>(imageBytes));
    // Rows from the bottom, pixels as blue, green, red.
    for (int row = 0; row < height; ++row) {
        const size_t out = 54 + static_cast<size_t>((height - 1 - row) * rowBytes);
        for (int col = 0; col < width; ++col) {
            const size_t in = static_cast<size_t>((row * width + col) * 3);
            file[out + static_cast<size_t>(col * 3)] = rgb[in + 2];
            file[out + static_cast<size_t>(col * 3) + 1] = rgb[in + 1];
            file[out + static_cast<size_t>(col * 3) + 2] = rgb[in];
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(file.data()),
               static_cast<std::streamsize>(file.size()));
}

MemoryFiles::MemoryFiles() {
    for (Stream &s : streams_)
        s.file = open_memstream(&s.buffer, &s.size);
    files_.builder = streams_[0].file;
    files_.callback = streams_[1].file;
    files_.definitionsHeader = streams_[2].file;
    files_.definitionsSource = streams_[3].file;
    files_.callbackInclude = streams_[4].file;
}

MemoryFiles::~MemoryFiles() {
    Finish();
    for (Stream &s : streams_)
        std::free(s.buffer);
}

MemoryFiles::Texts MemoryFiles::Finish() {
    std::string texts[5];
    for (int i = 0; i < 5; ++i) {
        Stream &s = streams_[i];
        if (s.file) {
            std::fclose(s.file);
            s.file = nullptr;
        }
        texts[i] = s.buffer ? std::string(s.buffer, s.size) : std::string();
    }
    files_ = quorvin::builder::OutputFiles{};
    return {texts[0], texts[1], texts[2], texts[3], texts[4]};
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool FileExists(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string MakeTempDir(const std::string &tag) {
    const std::string root = std::string(QGB_BINARY_DIR) + "/test-output";
    ::mkdir(root.c_str(), 0755);
    std::string pattern = root + "/" + tag + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        return std::string();
    return std::string(buffer.data());
}

void RemoveTree(const std::string &path) {
    if (path.empty() || path.find("/test-output/") == std::string::npos)
        return;
    const std::string command = "rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0)
        ADD_FAILURE() << "could not remove " << path;
}

std::vector<std::string> OutputFileNames(int32_t language) {
    switch (language) {
    case 0:
        return {"guicb.tmp", "guibld.c", "GUIDEFS.h", "guidefs.c"};
    case 1:
        return {"guicb.tmp", "guibld.cpp", "GUIDEFS.h", "guidefs.cpp"};
    case 2:
        return {"guicb.tmp", "guibld.F", "GUICB.INC", "GUIDEFS.INC"};
    default:
        return {};
    }
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void ClassicFixture::AllocateBuildObjects() {
    namespace qb = quorvin::builder;
    qb::BuildState = qb::BuildStateT{};
    qb::BuildHooks = qb::GeneratorHooks{};
    for (int i = 0; i < qb::kLinkGroupCount; ++i) {
        qb::FormPageSets[i] = QorUtilSetAlloc(FALSE);
        qb::TabPageSets[i] = QorUtilSetAlloc(FALSE);
    }
    qb::BuildNameList = QorUtilStringListAlloc();
    RegisterAddOn();
}

void ClassicFixture::FreeBuildObjects() {
    namespace qb = quorvin::builder;
    for (int i = 0; i < qb::kLinkGroupCount; ++i) {
        QorUtilSetDealloc(&qb::FormPageSets[i]);
        QorUtilSetDealloc(&qb::TabPageSets[i]);
    }
    QorUtilStringListDealloc(&qb::BuildNameList);
    qb::BuildState = qb::BuildStateT{};
}

void ClassicFixture::ResetWorkspace() {
    FreeBuildObjects();
    host().reset();
    AllocateBuildObjects();
}

void ClassicFixture::SetUp() {
    HostFixture::SetUp();
    AllocateBuildObjects();
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = MakeTempDir(info ? info->name() : "classic") + "/";
}

void ClassicFixture::TearDown() {
    FreeBuildObjects();
    if (!HasFailure())
        RemoveTree(dir.substr(0, dir.size() - 1));
    HostFixture::TearDown();
}

void ClassicFixture::NameLayout() {
    host().setLayoutFileName(dir + "design.lay");
}

void ClassicFixture::Build(int32_t language) {
    QorUtilLockStart(quorvin::builder::AddOnHandle);
    quorvin::builder::GoBuild(language, false);
    QorUtilLockFinish(quorvin::builder::AddOnHandle);
}

std::vector<std::string> ClassicFixture::Shown() const {
    std::vector<std::string> shown;
    for (const quorvin::host::Message &m : host().messages()) {
        if (m.call == quorvin::host::Message::Call::ErrMsg ||
            m.call == quorvin::host::Message::Call::MessageBox)
            shown.push_back(m.text);
    }
    return shown;
}

} // namespace qgbtest

namespace qgbtest {

std::vector<std::string> ExampleLayouts() {
    std::vector<std::string> layouts;
    const std::string root = std::string(QGB_SOURCE_DIR) + "/examples";
    std::string listing;
    RunCommand("cd '" + root + "' && ls -1 */*.lay.json 2>/dev/null | LC_ALL=C sort", &listing);
    for (const std::string &line : Lines(listing))
        if (!line.empty())
            layouts.push_back(line);
    return layouts;
}

void AddEveryKindDesign(const std::string &dir) {
    std::vector<unsigned char> rgb(4 * 4 * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 5);
    WriteBmp(dir + "every.bmp", 4, 4, rgb);

    // Pages of a tab control (group 1) and a form control (group 2).
    AddFrameAt("TABPAGE=T ID=1 POS=2 TITLE=\"Second's \\\"page\\\"\"", 3.5, 2, true, 1);
    AddPixelText({"TF:Value", "VarName=PageValue", TextBox_Filled, 14, 16});
    AddFrameAt("TABPAGE=T ID=2 POS=1 TITLE=\"First\"", 3.5, 2, true, 1);
    AddPixelText({"~7 On page", "VarName=PageToggle", TextBox_None, 14, 16});
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 2);
    AddPixelText({"Form one", "VarName=FormLabel", TextBox_None, 14, 16});
    AddFrameAt("FORMPAGE=T ID=2", 3.5, 2, true, 2);
    AddPixelText({"Go", "VarName=FormButton", TextBox_Filled, 14, 16});

    AddFrameAt("ID=3 TITLE=\"Side */ bar 50%\" SIDEBAR=T", 2, 4);
    AddPixelText({"Run", "VarName=SideRun", TextBox_Filled, 14, 16});
    AddPixelText({"SC:Level", "VarName=SideLevel", TextBox_Filled, 14, 40});

    AddFrameAt("ID=2 TITLE=\"Find\" MODE=MODELESS", 4, 3);
    AddPixelText({"Find what:", "VarName=FindLabel", TextBox_None, 14, 16});
    AddPixelText(
        {"TF:", "VarName=FindText ToolTip=\"Words, 'quoted' or not\"", TextBox_Filled, 100, 16});

    AddFrameAt("ID=1 TITLE=\"Every \\\"kind\\\" 100% C:\\\\dir\\\\\" APPLYBUTTON=T", 6, 5);
    int y = 8;
    const auto next = [&y] {
        const int at = y;
        y += 20;
        return at;
    };
    AddPixelText({"TF:Name", "VarName=Name ToolTip=\"Type a name\"", TextBox_Filled, 14,
                  static_cast<double>(next())});
    AddPixelText({"T:Notes\n\n", "VarName=Notes UNITWIDTH=1500", TextBox_Filled, 14,
                  static_cast<double>(next())});
    y += 20;
    AddPixelText(
        {"TRO:Info", "VarName=Info CHARWIDTH=12", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText({"SLST:Items", "VarName=Items", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText({"MLST:Many", "VarName=Many", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText({"TFS:Count", "VarName=Count", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText(
        {"SC:Level", "VarName=Level SHOWLABEL=F", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText({"OPT:Mode", "VarName=Mode", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText({"Say \"hi\" 100% C:\\dir\\", "VarName=Say", TextBox_Filled, 14,
                  static_cast<double>(next())});
    AddPixelText(
        {"Two\nlines", "VarName=TwoLines", TextBox_Filled, 14, static_cast<double>(next())});
    y += 20;
    AddPixelText(
        {"Colour", "VarName=Colour ColorIndex=3", TextBox_Filled, 14, static_cast<double>(next())});
    AddPixelText({"<math>7</math>   It's on", "VarName=Check", TextBox_None, 14,
                  static_cast<double>(next())});
    AddPixelText({"~7 Alpha\n~7 Beta's\n~7 Gamma", "VarName=Choice", TextBox_Hollow, 14,
                  static_cast<double>(next())});
    y += 40;
    AddPixelText({"Plain label */", "", TextBox_None, 14, static_cast<double>(next())});
    AddPixelText({"TAB:Group=1  \n\n\n", "VarName=Tabs", TextBox_Filled, 250, 8});
    AddPixelText({"FM:Group=2  \n\n\n", "VarName=Pages", TextBox_Filled, 250, 100});
    AddPixelRectangle(240, 200, 200, 100, "Options \"all\"");
    AddPixelLine(240, 320, 440, 320);
    AddPixelLine(460, 200, 460, 300);
    AddPixelImage(dir + "every.bmp", 250, 260, 24, "VarName=Picture TransparentColor=ff00FF");
    AddPixelImage(dir + "every.bmp", 300, 260, 24,
                  "VarName=Switch Type=Toggle ToolTip=\"Switch it\"");
}

int RunCommand(const std::string &command, std::string *output) {
    std::string text;
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    const int status = ::pclose(pipe);
    if (output)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace qgbtest
