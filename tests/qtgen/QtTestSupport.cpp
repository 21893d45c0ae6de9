#include "QtTestSupport.h"

namespace qgbtest {

void QtFixture::AddSampleDesign() {
    using T = ElementType;
    auto spin = [this](const std::string &name, ElementRect rect) {
        Add(DialogElement::makeSpin(1, rect, name, "", "", name + "_ValueChanged_CB",
                                    name + "_ButtonUp_CB", name + "_ButtonDown_CB"));
    };
    auto scale = [this](const std::string &name, const std::string &drag, ElementRect rect) {
        Add(DialogElement::makeScale(1, rect, name, "", "", name + "_CB", drag));
    };
    auto bitmap = [this](bool toggle, const std::string &name, ElementRect rect,
                         const std::string &file) {
        DialogElement::ImageData image;
        image.file = file;
        image.width = 24;
        image.height = 24;
        Add(DialogElement::makeBitmapButton(toggle, 1, rect, name, "", "", name + "_CB", image));
    };
    auto tab = [this](const std::string &name, uint32_t group, ElementRect rect,
                      const std::string &activate, const std::string &deactivate) {
        Add(DialogElement::makeTabControl(1, group, name, rect, activate, deactivate));
    };
    auto radio = [this](const std::string &name, ElementRect rect, std::vector<std::string> items,
                        const std::string &toolTip) {
        Add(DialogElement::makeRadioBox(1, rect, name, toolTip, "", name + "_CB", items));
    };

    // Pages first, as the build's second pass meets them.
    TabPage(3, 1, 2, "Second");
    Control(T::TextField, "Name_TF_T1_3", {10, 10, 120, 20}, "", "Your name");
    Control(T::Toggle, "Bold_TOG_T1_3", {10, 40, 80, 16}, "Bold");
    TabPage(3, 2, 1, "First");
    scale("Level_SC_T2_3", "Level_SCD_T2_3", {10, 10, 150, 24});
    NewFrame();
    Add(DialogElement::makeFormPage(4, 1, "Form1_4Manager"));
    Control(T::Label, "Hint_LBL_F1_4", {5, 5, 100, 16}, "Page one");
    Control(T::PushButton, "Next_BTN_F1_4", {5, 30, 80, 24}, "Next");
    NewFrame();
    Add(DialogElement::makeFormPage(4, 2, "Form2_4Manager"));
    Control(T::Label, "Done_LBL_F2_4", {5, 5, 100, 16}, "Page two");
    TabPage(5, 1, 1, "Inner");
    Control(T::SingleList, "Inner_SLST_T1_5", {5, 5, 150, 80});

    // Then the dialogs and sidebars.
    Dialog(1, false, "Sample", true, true, false, true, 480, 400);
    Control(T::TextField, "Title_TF_D1", {15, 20, 120, 22}, "", "Shown <above> & \"quoted\"");
    Control(T::Text, "Notes_T_D1", {15, 50, 120, 40});
    Control(T::ReadOnlyText, "Info_T_D1", {15, 95, 120, 40});
    Add(DialogElement::makeGroupFrame(1, {5, 5, 230, 150}, "Options"));
    Control(T::Label, "Caption_LBL_D1", {250, 10, 120, 30}, "Caption\\nsecond line");
    Control(T::PushButton, "Go_BTN_D1", {250, 50, 90, 24}, "Go & run");
    Add(DialogElement::makeColoredPushButton(1, {350, 50, 24, 24}, "Red_BTN_D1", "", "",
                                             "Red_BTN_D1_CB", 2));
    Control(T::OptionMenu, "Mode_OPT_D1", {250, 80, 120, 22});
    Control(T::MultiList, "Items_MLST_D1", {250, 110, 100, 60});
    Control(T::SingleList, "Pick_SLST_D1", {360, 110, 100, 60});
    scale("Zoom_SC_D1", "Zoom_SCD_D1", {15, 170, 200, 24});
    Control(T::Toggle, "Show_TOG_D1", {15, 200, 100, 20}, "Show");
    bitmap(false, "Open_BB_D1", {95, 198, 24, 24}, "C:\\images\\tools\\open.bmp");
    bitmap(true, "Lock_BB_D1", {125, 198, 24, 24}, "/pics/lock.bmp");
    radio("Align_RADIO_D1", {250, 180, 100, 60}, {"Left", "Center", "Right"}, "Alignment");
    spin("Count_TFS_D1", {360, 180, 80, 22});
    Add(DialogElement::makeSeparator(1, 240, 5, 240, true));
    Add(DialogElement::makeSeparator(1, 5, 250, 470, false));
    tab("Pages_TB_D1", 3, {10, 280, 220, 90}, "Pages_TBA_D1", "Pages_TBD_D1");
    Add(DialogElement::makeFormControl(1, 4, "Stack_FM_D1", {250, 260, 200, 100}));

    Dialog(2, true, "Tools panel", true, false, true, true, 300, 120);
    Control(T::OptionMenu, "Speed_OPT_D2", {10, 10, 120, 22});
    scale("Rate_SC_D2", "Rate_SCD_D2", {10, 40, 150, 24});
    Control(T::PushButton, "Reset_BTN_D2", {10, 75, 80, 24}, "Reset");

    NewFrame();
    Add(DialogElement::makeSidebar(2, 200, 400, "Side A"));
    Control(T::SingleList, "Files_SLST_S2", {5, 5, 180, 100});
    spin("Step_TFS_S2", {5, 110, 80, 22});
    tab("SideTabs_TB_S2", 5, {5, 170, 190, 120}, "SideTabs_TBA_S2", "SideTabs_TBD_S2");

    NewFrame();
    Add(DialogElement::makeSidebar(5, 200, 400, "Side B"));
    radio("Kind_RADIO_S5", {5, 5, 150, 40}, {"Points", "Lines"}, "");
    Control(T::PushButton, "Run_BTN_S5", {5, 50, 80, 24}, "Run");
    bitmap(false, "Save_BB_S5", {90, 50, 24, 24}, "/x/icons/save.bmp");
    bitmap(false, "Open_BB_S5", {120, 50, 24, 24}, "D:\\other\\open.bmp");
    Control(T::OptionMenu, "Style_OPT_S5", {5, 80, 120, 22});
    scale("Size_SC_S5", "Size_SCD_S5", {5, 110, 150, 24});
}

std::map<std::string, std::string> QtOutput(const fs::path &project) {
    std::map<std::string, std::string> files;
    if (fs::exists(project / "ui"))
        for (const auto &entry : fs::recursive_directory_iterator(project / "ui")) {
            const std::string relative = fs::relative(entry.path(), project).generic_string();
            files[entry.is_directory() ? relative + "/" : relative] =
                entry.is_directory() ? "" : ReadFile(entry.path());
        }
    const fs::path resources = project / "layout" / "quorvinrs_generated.qrc";
    if (fs::exists(resources))
        files["layout/quorvinrs_generated.qrc"] = ReadFile(resources);
    return files;
}

} // namespace qgbtest
