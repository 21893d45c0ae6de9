// An image that gets no identifier is reported where its statement would be
// made, among the other controls' messages in tab order, in every language.
#include "ClassicSupport.h"

#include "model/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

class ImageMessageOrderTest : public ClassicFixture {};

TEST_F(ImageMessageOrderTest, UnnamedImagesAreReportedInTabOrder) {
    const std::string button = "Missing Control Name for: \nButton: !!" + std::string(28, ' ');
    const std::string image = dir + "icon.bmp";
    const std::string noVarName = "No variable name specified for image:\n\"" + image +
                                  "\"\nPlease add the VARNAME=[varname] to the macro function "
                                  "text for this image.";
    const std::string noLetters =
        "Missing Control Name for: \nBitmap Button: " + std::string(30, ' ');
    for (const int32_t language : {LanguageC, LanguageCPP, LanguageFORTRAN, LanguageQt}) {
        SCOPED_TRACE(language);
        FreshHost();
        WriteBmp(image, 2, 2, std::vector<unsigned char>(12, 200));
        AddFrameAt("ID=1 TITLE=\"Main\"");
        // Geometries come before texts in host order; the tab order puts
        // each image between two unnamed buttons.
        AddPixelImage(image, 60, 40, 2, "TabOrder=2");
        AddPixelImage(image, 60, 80, 2, "VarName=_ TabOrder=4");
        AddPixelText({"!!", "VarName=! TabOrder=1", TextBox_Filled, 14, 16});
        AddPixelText({"!!", "VarName=! TabOrder=3", TextBox_Filled, 14, 40});
        AddPixelText({"!!", "VarName=! TabOrder=5", TextBox_Filled, 14, 64});
        for (const char *sub : {"layout", "ui/mainwindow/qt"})
            std::filesystem::create_directories(dir + sub);
        host().setLayoutFileName(dir + "layout/design.lay");
        host().clearMessages();
        Build(language);
        std::vector<std::string> shown = Shown();
        ASSERT_FALSE(shown.empty()) << DescribeMessages();
        EXPECT_NE(shown.back().find("stub files have been written"), std::string::npos);
        shown.pop_back();
        EXPECT_EQ(shown, (std::vector<std::string>{button, noVarName, button, noLetters, button}))
            << DescribeMessages();
    }
}

} // namespace
} // namespace qgbtest
