// The elements a Qt build records while the generator walks a design made in
// the host: containers with their pixel size and buttons, controls with their
// pixel geometry, names, labels and callback names, pages under their
// controls.
#include "QtTestSupport.h"

#include "classic/BuildState.h"
#include "classic/Generator.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "model/Validation.h"
#include "qtgen/QtBuild.h"
#include "shell/Settings.h"

#include "model/HostResources.h"

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
using quorvin::host::GeomSpec;

// The frames of these tests (AddFrameAt) sit at screen (96, 24).
constexpr double kLeft = 96, kTop = 24;

class RecordingTest : public QtFixture {
  protected:
    void SetUp() override {
        QtFixture::SetUp();
        for (int i = 0; i < qb::kLinkGroupCount; ++i) {
            qb::FormPageSets[i] = QorUtilSetAlloc(FALSE);
            qb::TabPageSets[i] = QorUtilSetAlloc(FALSE);
        }
        qb::BuildState = qb::BuildStateT{};
        qb::BuildHooks = qb::GeneratorHooks{};
    }
    void TearDown() override {
        for (int i = 0; i < qb::kLinkGroupCount; ++i) {
            QorUtilSetDealloc(&qb::FormPageSets[i]);
            QorUtilSetDealloc(&qb::TabPageSets[i]);
        }
        qb::BuildState = qb::BuildStateT{};
        QtFixture::TearDown();
    }

    // The generator's walk of a Qt build: page sets, then pages, then
    // dialogs and sidebars, with no output file.
    void Record() {
        ASSERT_TRUE(qb::ValidateLayout()) << DescribeMessages();
        std::vector<UniqueID_t> frames;
        for (const auto &frame : host().frames())
            frames.push_back(frame.uniqueId);
        qb::BuildTabPageTable();
        qb::QtRecording recording(*parser);
        for (int pass = 1; pass <= 3; ++pass) {
            for (UniqueID_t id : frames) {
                host().makeCurrent(id);
                qb::HostString name = qb::CurrentFrameName();
                const qb::FrameKind kind = qb::GetFrameKind(name.get());
                const bool page = kind == qb::FormPage || kind == qb::TabPage;
                if (pass == 1 && page) {
                    LgIndex_t group = 0;
                    QorUtilFrameGetLinking("LinkGroup", &group);
                    Set_pa set =
                        kind == qb::FormPage ? qb::FormPageSet(group) : qb::TabPageSet(group);
                    QorUtilSetAddMember(set, qb::GetFrameId(name.get()), FALSE);
                } else if ((pass == 2 && page) || (pass == 3 && !page)) {
                    qb::GenerateFrame(name.get(), qb::OutputFiles{}, qb::LanguageQt);
                }
            }
        }
    }

    static const DialogElement *Find(const std::vector<DialogElement *> &list,
                                     const std::string &name) {
        for (const DialogElement *e : list)
            if (e->name == name)
                return e;
        return nullptr;
    }
    static std::vector<int> Rect(const DialogElement *e) {
        return {e->x, e->y, e->width, e->height};
    }
};

TEST_F(RecordingTest, ContainersAndControlsBecomeElements) {
    AddFrameAt("TABPAGE=T ID=1 POS=2 TITLE=\"Second\"", 3.5, 2, 1);
    AddText("TF:Value", "VarName=PageValue", TextBox_Filled, 14, 16);
    AddFrameAt("TABPAGE=T ID=2 TITLE=\"First\"", 3.5, 2, 1);
    AddText("~7 On page", "VarName=PageToggle", TextBox_None, 14, 16);
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, 2);
    AddText("Form one", "VarName=FormLabel", TextBox_None, 14, 16);
    AddFrameAt("ID=3 TITLE=\"Side\" SIDEBAR=T", 2, 4);
    AddText("SC:Level", "VarName=SideLevel", TextBox_Filled, 14, 16);
    AddFrameAt("ID=2 TITLE=\"Find\" MODE=MODELESS APPLYBUTTON=T CANCELBUTTON=T", 4, 3);
    AddText("TF:", "VarName=FindText ToolTip=\"Find <it>\"", TextBox_Filled, 100, 16);
    AddFrameAt("ID=1 TITLE=\"Every kind\"", 6, 5);
    AddText("TAB:Group=1", "VarName=Tabs", TextBox_Filled, 250, 8);
    AddText("FM:Group=2", "VarName=Pages", TextBox_Filled, 250, 100);
    AddText("TFS:Count", "VarName=Count", TextBox_Filled, 14, 40);
    AddText("Colour", "VarName=Colour ColorIndex=3", TextBox_Filled, 14, 64);
    AddText("~7 Alpha\n~7 Beta", "VarName=Choice", TextBox_Hollow, 14, 88);
    AddText("Plain label", "", TextBox_None, 14, 140);
    GeomSpec frame;
    frame.type = GeomType_Rectangle;
    frame.coordSys = CoordSys_Screen;
    frame.x = kLeft + 240;
    frame.y = kTop + 200;
    frame.width = 200;
    frame.height = 100;
    frame.command = "Options";
    host().addGeom(frame);
    GeomSpec line;
    line.type = GeomType_LineSegs;
    line.coordSys = CoordSys_Screen;
    line.x = kLeft + 240;
    line.y = kTop + 320;
    line.polylines = {{{0, 0}, {200, 0}}};
    host().addGeom(line);
    // A 1 x 1 picture shown 24 pixels wide, its lower-left corner at (300, 260).
    fs::create_directories(root);
    const unsigned char png[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
        0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08,
        0xd7, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x00, 0x03, 0x01, 0x01, 0x00, 0x18, 0xdd, 0x8d,
        0xb0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    const std::string picture = (root / "pic.png").string();
    WriteFile(picture, std::string(reinterpret_cast<const char *>(png), sizeof png));
    GeomSpec image;
    image.type = GeomType_Image;
    image.coordSys = CoordSys_Screen;
    image.x = kLeft + 300;
    image.y = kTop + 260;
    image.width = 24;
    image.imageFile = picture;
    image.command = "VarName=Picture Type=Toggle ToolTip=\"Pick\"";
    ASSERT_NE(host().addGeom(image), nullptr);

    Record();
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
    ASSERT_EQ(parser->dialogs().size(), 2u);
    ASSERT_EQ(parser->sidebars().size(), 1u);

    const DialogElement *every = parser->dialogs()[1];
    EXPECT_EQ(every->type, ElementType::ModalDialog);
    EXPECT_EQ(every->name, "Dialog1Manager");
    EXPECT_EQ(every->className, "Everykind");
    EXPECT_EQ(Rect(every), (std::vector<int>{0, 0, 576, 480}));
    EXPECT_TRUE(every->hasOkClose && every->hasCancel && every->hasHelp && !every->hasApply);

    // A modeless dialog keeps only its close and help buttons.
    const DialogElement *find = parser->dialogs()[0];
    EXPECT_EQ(find->type, ElementType::ModelessDialog);
    EXPECT_TRUE(find->hasOkClose && find->hasHelp && !find->hasCancel && !find->hasApply);
    EXPECT_EQ(find->okCloseCallback, "Dialog2CloseButton_CB");
    const DialogElement *findText = Find(find->children, "FindText_TF_D2");
    ASSERT_NE(findText, nullptr);
    EXPECT_EQ(findText->toolTip, "Find <it>");
    EXPECT_EQ(findText->callback, "FindText_TF_D2_CB");
    EXPECT_EQ(Rect(findText), (std::vector<int>{100, 16, 24, 16}));

    const DialogElement *side = parser->sidebars()[0];
    EXPECT_EQ(side->name, "Sidebar3Manager");
    EXPECT_EQ(Rect(side), (std::vector<int>{0, 0, 192, 384}));
    const DialogElement *level = Find(side->children, "SideLevel_SC_S3");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->callback, "SideLevel_SC_S3_CB");
    EXPECT_EQ(level->dragCallback, "SideLevel_SCD_S3");
    EXPECT_EQ(Rect(level), (std::vector<int>{14, 16, 64, 16}));

    const DialogElement *tabs = Find(every->children, "Tabs_TB_D1");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->group, 1u);
    EXPECT_EQ(tabs->activationCallback, "Tabs_TBA_D1");
    EXPECT_EQ(tabs->deactivationCallback, "Tabs_TBD_D1");
    ASSERT_EQ(tabs->children.size(), 2u);
    const DialogElement *second = tabs->children[0];
    EXPECT_EQ(second->name, "Tab1_1Manager");
    EXPECT_EQ(second->text, "Second");
    EXPECT_EQ(second->pagePosition, 2u);
    EXPECT_EQ(tabs->children[1]->pagePosition, 1u); // POS defaults to 1
    const DialogElement *value = Find(second->children, "PageValue_TF_T1_1");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Rect(value), (std::vector<int>{14, 16, 64, 16}));
    const DialogElement *toggle = Find(tabs->children[1]->children, "PageToggle_TOG_T2_1");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->text, "On page");
    EXPECT_EQ(Rect(toggle), (std::vector<int>{14, 16, 80, 16})); // the text box, not widened

    const DialogElement *pages = Find(every->children, "Pages_FM_D1");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->children.size(), 1u);
    EXPECT_EQ(pages->children[0]->name, "Form1_2Manager");
    EXPECT_NE(Find(pages->children[0]->children, "FormLabel_LBL_F1_2"), nullptr);

    const DialogElement *count = Find(every->children, "Count_TFS_D1");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->callback, "Count_TFS_D1_ValueChanged_CB");
    EXPECT_EQ(count->buttonUpCallback, "Count_TFS_D1_ButtonUp_CB");
    EXPECT_EQ(count->buttonDownCallback, "Count_TFS_D1_ButtonDown_CB");

    const DialogElement *colour = Find(every->children, "Colour_BTN_D1");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->type, ElementType::ColoredPushButton);
    EXPECT_EQ(colour->colorIndex, 3u);
    EXPECT_EQ(colour->text, "Colour");

    const DialogElement *choice = Find(every->children, "Choice_RADIO_D1");
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->items, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(choice->callback, "Choice_RADIO_D1_CB");

    const DialogElement *label = nullptr;
    for (const DialogElement *e : every->children)
        if (e->type == ElementType::Label)
            label = e;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "Plain label");

    // Group frames first; the separator is the line's length long.
    ASSERT_FALSE(every->children.empty());
    EXPECT_EQ(every->children[0]->type, ElementType::GroupFrame);
    EXPECT_EQ(every->children[0]->text, "Options");
    EXPECT_EQ(Rect(every->children[0]), (std::vector<int>{240, 200, 200, 100}));
    const DialogElement *separator = nullptr;
    for (const DialogElement *e : every->children)
        if (e->type == ElementType::HorizontalSeparator)
            separator = e;
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(Rect(separator), (std::vector<int>{240, 320, 200, 0}));

    const DialogElement *bitmap = Find(every->children, "Picture_BB_D1");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->type, ElementType::BitmapToggle);
    EXPECT_EQ(bitmap->imageFile, picture);
    EXPECT_EQ(bitmap->toolTip, "Pick");
    EXPECT_EQ(bitmap->callback, "Picture_BB_D1_CB");
    EXPECT_EQ((std::vector<uint32_t>{bitmap->imageWidth, bitmap->imageHeight}),
              (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(Rect(bitmap), (std::vector<int>{300, 236, 24, 24}));

    // The hooks and collector of before the recording are back.
    EXPECT_EQ(qb::BuildState.Collector, nullptr);
    EXPECT_EQ(qb::BuildHooks.control, nullptr);
}

TEST_F(RecordingTest, TheRecordedDesignIsWrittenCompletely) {
    AddFrameAt("ID=1 TITLE=\"Small\"", 3, 2);
    AddText("Go", "VarName=Go", TextBox_Filled, 10, 10);
    Record();
    MakeProject();
    EXPECT_TRUE(qb::WriteQtOutput(*parser)) << DescribeMessages();
    EXPECT_NE(ReadFile(dialogsDirectory() / "small" / "SmallDialog.ui")
                  .find("<widget class=\"QPushButton\" name=\"Go_BTN_D1\">"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(mainWindowDirectory() / "MainWindowGenerated.h"));
    EXPECT_TRUE(fs::exists(layoutDirectory() / "quorvinrs_generated.qrc"));
}

} // namespace
} // namespace qgbtest
