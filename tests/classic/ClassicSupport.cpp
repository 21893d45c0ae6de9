#include "ClassicSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "model/Settings.h"

#include <cstdlib>
#include <fstream>

namespace qgbtest {

void WriteBmp(const std::string &path, int width, int height,
              const std::vector<unsigned char> &rgb) {
    const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
    const size_t rowBytes = (w * 3 + 3) / 4 * 4, size = 54 + rowBytes * h;
    std::vector<unsigned char> file(size, 0);
    // Little-endian header fields: size, data offset, info size, width,
    // height, planes and bits a pixel, data size.
    const std::pair<size_t, size_t> fields[] = {
        {2, size}, {10, 54}, {14, 40}, {18, w}, {22, h}, {26, 1 + (24 << 16)}, {34, size - 54}};
    for (const auto &[at, v] : fields)
        for (size_t i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    file[0] = 'B';
    file[1] = 'M';
    // Rows from the bottom, pixels as blue, green, red.
    for (size_t row = 0; row < h; ++row)
        for (size_t col = 0; col < w * 3; ++col)
            file[54 + (h - 1 - row) * rowBytes + col] =
                rgb[row * w * 3 + col / 3 * 3 + 2 - col % 3];
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(file.data()), static_cast<std::streamsize>(size));
}

MemoryFiles::MemoryFiles() {
    for (int i = 0; i < 5; ++i)
        streams_[i] = std::make_unique<quorvin::builder::GeneratedFile>(
            open_memstream(&buffers_[i], &sizes_[i]));
    files_ = {streams_[0].get(), streams_[1].get(), streams_[2].get(), streams_[3].get(),
              streams_[4].get()};
}

std::string MemoryFiles::Finish() {
    std::string all;
    for (int i = 0; i < 5; ++i) {
        if (streams_[i])
            streams_[i]->Close();
        streams_[i].reset();
        if (buffers_[i])
            all.append(buffers_[i], sizes_[i]);
        std::free(buffers_[i]);
        buffers_[i] = nullptr;
    }
    files_ = quorvin::builder::OutputFiles{};
    return all;
}

std::vector<std::string> OutputFileNames(int32_t language) {
    const std::vector<std::string> names[] = {
        {"guicb.tmp", "guibld.c", "GUIDEFS.h", "guidefs.c"},
        {"guicb.tmp", "guibld.cpp", "GUIDEFS.h", "guidefs.cpp"},
        {"guicb.tmp", "guibld.F", "GUICB.INC", "GUIDEFS.INC"}};
    return language >= 0 && language <= 2 ? names[language] : std::vector<std::string>{};
}

void ClassicFixture::BuildExpectingSuccess(int32_t language, std::vector<std::string> warnings) {
    host().clearMessages();
    NameLayout();
    Build(language);
    warnings.push_back("New GUI stub files have been written.\nNew layout file written to: " + dir +
                       "design.lay");
    ASSERT_EQ(Shown(), warnings) << DescribeMessages();
    ExpectPleaseWaitOnAndOff();
    EXPECT_TRUE(fs::exists(dir + "design.lay"));
    EXPECT_TRUE(fs::exists(dir + "dlb.cfg"));
    EXPECT_TRUE(host().drawingOn());
}

void ClassicFixture::ExpectPleaseWaitOnAndOff() const {
    std::vector<bool> states;
    for (const quorvin::host::Message &m : host().messages())
        if (m.call == quorvin::host::Message::Call::PleaseWait) {
            EXPECT_EQ(m.text, "Building...");
            states.push_back(m.answer);
        }
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
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
    // One control a row of 20 pixels; an empty string leaves a row free.
    const std::vector<PixelText> rows = {
        {"TF:Name", "VarName=Name ToolTip=\"Type a name\""},
        {"T:Notes\n\n", "VarName=Notes UNITWIDTH=1500"},
        {},
        {"TRO:Info", "VarName=Info CHARWIDTH=12"},
        {"SLST:Items", "VarName=Items"},
        {"MLST:Many", "VarName=Many"},
        {"TFS:Count", "VarName=Count"},
        {"SC:Level", "VarName=Level SHOWLABEL=F"},
        {"OPT:Mode", "VarName=Mode"},
        {"Say \"hi\" 100% C:\\dir\\", "VarName=Say"},
        {"Two\nlines", "VarName=TwoLines"},
        {},
        {"Colour", "VarName=Colour ColorIndex=3"},
        {"<math>7</math>   It's on", "VarName=Check", TextBox_None},
        {"~7 Alpha\n~7 Beta's\n~7 Gamma", "VarName=Choice", TextBox_Hollow},
        {},
        {},
        {"Plain label */", "", TextBox_None},
    };
    AddPixelRows(20, rows);
    AddPixelText({"TAB:Group=1  \n\n\n", "VarName=Tabs", TextBox_Filled, 250, 8});
    AddPixelText({"FM:Group=2  \n\n\n", "VarName=Pages", TextBox_Filled, 250, 100});
    AddPixelRectangle(240, 200, 200, 100, "Options \"all\"");
    AddPixelLine(240, 320, 440, 320);
    AddPixelLine(460, 200, 460, 300);
    AddPixelImage(dir + "every.bmp", 250, 260, 24, "VarName=Picture TransparentColor=ff00FF");
    AddPixelImage(dir + "every.bmp", 300, 260, 24,
                  "VarName=Switch Type=Toggle ToolTip=\"Switch it\"");
}

} // namespace qgbtest
