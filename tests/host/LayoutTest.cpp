// Layout files: canonical round trips, every kind of bad file reported with
// its place while the workspace stays as it was, and atomic saving.
#include "HostFixture.h"

namespace quorvin::host::testing {
namespace {

std::vector<StateChange_e> gCodes;
void Record(StateChange_e code, ArbParam_t) {
    gCodes.push_back(code);
}

class LayoutTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        gCodes.clear();
        QorUtilStateChangeAddCallback(Record);
    }

    // A workspace that uses every attribute a layout file carries.
    void buildWorkspace() {
        const auto image = scratch() / "images" / "open.bmp";
        std::filesystem::create_directories(image.parent_path());
        writeBmp(image, 3, 2, [](int x, int y, unsigned char *c) {
            c[0] = static_cast<unsigned char>(x);
            c[1] = static_cast<unsigned char>(y);
            c[2] = 200;
        });
        FrameSpec page = frameAt("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", 3, 0.7, 2.5, 1.25);
        page.linkGroup = 1;
        page.linkSizeAndPosition = true;
        page.showHeader = false;
        page.backgroundColor = 33;
        host().addFrame(page);
        page.name = "TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\"";
        host().addFrame(page);
        host().addFrame(frameAt("ID=1 TITLE=\"Untitled\" MODE=MODAL", 4.4, 0.7, 4.5, 5.5));
        TextSpec t;
        t.string = "TF:            ";
        t.command = "VarName=TF1 Type=TextField";
        t.boxType = TextBox_Filled;
        t.margin = 45;
        t.height = 16;
        host().addText(t);
        TextSpec odd;
        odd.string = "<math>7</math>  Radio1\n<math>7</math>  Radio2 \"quoted\" \\";
        odd.command = "VarName=RB2 Type=RadioBox";
        odd.coordSys = CoordSys_Paper;
        odd.x = 5.125;
        odd.y = 1.1;
        odd.sizeUnits = Units_Frame;
        odd.height = 2.5;
        odd.angle = 15;
        odd.anchor = 2;
        odd.font = 3;
        odd.color = 12;
        odd.boxType = TextBox_Hollow;
        odd.margin = 55;
        odd.boxColor = 7;
        odd.fillColor = 63;
        odd.lineThickness = 0.2;
        odd.lineSpacing = 1.5;
        odd.scope = 2;
        host().addText(odd);
        GeomSpec rect;
        rect.x = 25;
        rect.y = 75;
        rect.width = 25;
        rect.height = -10;
        rect.command = "Group";
        host().addGeom(rect);
        GeomSpec line;
        line.type = GeomType_LineSegs;
        line.coordSys = CoordSys_Screen;
        line.x = 40;
        line.y = 300;
        line.z = 1;
        line.polylines = {{{0, 0}, {120.5, 0}}, {{1, 1}, {2, 2}, {3, 5}}};
        host().addGeom(line);
        GeomSpec bitmap;
        bitmap.type = GeomType_Image;
        bitmap.x = 10;
        bitmap.y = 10;
        bitmap.width = 12.5;
        bitmap.command = "VarName=BB2 Type=PushButton";
        bitmap.imageFile = image.string();
        ASSERT_NE(host().addGeom(bitmap), nullptr);
    }

    std::vector<std::string> frameNames() {
        std::vector<std::string> names;
        for (const Frame &f : host().frames())
            names.push_back(f.spec.name);
        return names;
    }
};

TEST_F(LayoutTest, SavingALoadedLayoutGivesTheSameBytes) {
    buildWorkspace();
    const auto first = scratch() / "design.lay.json";
    const auto second = scratch() / "again.lay.json";
    std::string error;
    ASSERT_TRUE(host().saveLayout(first.string(), &error)) << error;
    const std::vector<Frame> before = host().frames();

    host().reset();
    ASSERT_TRUE(host().loadLayout(first.string(), &error)) << error;
    ASSERT_TRUE(host().saveLayout(second.string(), &error)) << error;
    EXPECT_EQ(readFile(first), readFile(second));

    // The loaded workspace is the saved one, attribute by attribute.
    const std::vector<Frame> &after = host().frames();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        const FrameSpec &a = after[i].spec, &b = before[i].spec;
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(std::vector<double>({a.x, a.y, a.width, a.height}),
                  std::vector<double>({b.x, b.y, b.width, b.height}));
        EXPECT_EQ(a.linkGroup, b.linkGroup);
        EXPECT_EQ(a.linkSizeAndPosition, b.linkSizeAndPosition);
        EXPECT_EQ(a.showHeader, b.showHeader);
        EXPECT_EQ(a.backgroundColor, b.backgroundColor);
        ASSERT_EQ(after[i].texts.size(), before[i].texts.size());
        for (size_t t = 0; t < after[i].texts.size(); ++t) {
            const TextSpec &x = after[i].texts[t].spec, &y = before[i].texts[t].spec;
            EXPECT_EQ(x.string, y.string);
            EXPECT_EQ(x.command, y.command);
            EXPECT_EQ(std::vector<double>({double(x.coordSys), x.x, x.y, double(x.sizeUnits),
                                           x.height, x.angle, double(x.anchor), double(x.font),
                                           double(x.color), double(x.boxType), x.margin,
                                           double(x.boxColor), double(x.fillColor), x.lineThickness,
                                           x.lineSpacing, double(x.scope)}),
                      std::vector<double>({double(y.coordSys), y.x, y.y, double(y.sizeUnits),
                                           y.height, y.angle, double(y.anchor), double(y.font),
                                           double(y.color), double(y.boxType), y.margin,
                                           double(y.boxColor), double(y.fillColor), y.lineThickness,
                                           y.lineSpacing, double(y.scope)}));
        }
        ASSERT_EQ(after[i].geoms.size(), before[i].geoms.size());
        for (size_t g = 0; g < after[i].geoms.size(); ++g) {
            const Geom &x = after[i].geoms[g], &y = before[i].geoms[g];
            EXPECT_EQ(x.spec.type, y.spec.type);
            EXPECT_EQ(x.spec.command, y.spec.command);
            EXPECT_EQ(std::vector<double>({x.spec.x, x.spec.y, x.spec.z, x.spec.width}),
                      std::vector<double>({y.spec.x, y.spec.y, y.spec.z, y.spec.width}));
            EXPECT_EQ(x.spec.polylines.size(), y.spec.polylines.size());
            EXPECT_EQ(x.rgb, y.rgb);
        }
    }
    // Image paths are stored relative to the layout file.
    EXPECT_NE(readFile(first).find("\"file\": \"images/open.bmp\""), std::string::npos);
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(LayoutTest, LoadingNamesTheLayoutMakesTheRecordedFrameCurrentAndSendsSix) {
    const auto path = scratch() / "two.lay.json";
    std::ofstream(path) << R"({"formatVersion": 1, "current": 0, "frames": [
        {"name": "first", "x": 1, "y": 1, "width": 2, "height": 2},
        {"name": "second", "x": 1, "y": 1, "width": 2, "height": 2,
         "texts": [{"string": "Label"}]}]})";
    std::string error;
    ASSERT_TRUE(host().loadLayout(path.string(), &error)) << error;
    EXPECT_EQ(host().layoutFileName(), path.string());
    EXPECT_EQ(host().currentFrame()->spec.name, "first");
    EXPECT_EQ(gCodes, std::vector<StateChange_e>{6});
    char *name = QorUtilGetCurLayoutFName();
    EXPECT_EQ(std::string(name), path.string());
    QorUtilStringDealloc(&name);
    // Defaults fill what the file leaves out.
    const TextSpec &label = host().frames()[0].texts.at(0).spec;
    EXPECT_EQ(label.height, TextSpec().height);
    EXPECT_EQ(label.boxType, TextSpec().boxType);
}

TEST_F(LayoutTest, EveryKindOfBadFileIsReportedWithItsPlaceAndChangesNothing) {
    const auto good = scratch() / "good.lay.json";
    std::ofstream(good) << R"({"formatVersion": 1, "frames": [
        {"name": "kept", "x": 1, "y": 1, "width": 2, "height": 2}]})";
    std::string error;
    ASSERT_TRUE(host().loadLayout(good.string(), &error)) << error;
    gCodes.clear();

    const std::string frame = R"("name": "F", "x": 1, "y": 1, "width": 2, "height": 2)";
    struct Case {
        const char *what;
        std::string content;
        std::string expected; // after "<file>: "
    };
    const Case cases[] = {
        {"truncated JSON", R"({"formatVersion": 1, "frames": [)",
         "line 1, column 33: not valid JSON"},
        {"not an object", "[1, 2]", "the file must hold a JSON object"},
        {"missing format version", R"({"frames": []})", "formatVersion: missing"},
        {"unknown format version", R"({"formatVersion": 2, "frames": []})",
         "formatVersion: unknown format version 2 (this host reads version 1)"},
        {"unknown top-level key", R"({"formatVersion": 1, "frames": [], "zoom": 2})",
         "zoom: unknown key"},
        {"wrong type of a frame value",
         R"({"formatVersion": 1, "frames": [{"name": "F", "x": 1, "y": 1, "width": "wide", "height": 2}]})",
         "frames[0].width: must be a number"},
        {"frame size out of range",
         R"({"formatVersion": 1, "frames": [{"name": "F", "x": 1, "y": 1, "width": 0, "height": 2}]})",
         "frames[0].width: out of range (above 0)"},
        {"unknown key of a text",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "texts": [{"string": "a"}, {"string": "b", "colour": 3}]}]})",
         "frames[0].texts[1].colour: unknown key"},
        {"colour out of range",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "texts": [{"string": "a", "boxColor": 64}]}]})",
         "frames[0].texts[0].boxColor: out of range (0 to 63)"},
        {"integer given as a fraction",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "texts": [{"string": "a", "anchor": 1.5}]}]})",
         "frames[0].texts[0].anchor: must be an integer"},
        {"unknown box type",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "texts": [{"string": "a", "boxType": "round"}]}]})",
         "frames[0].texts[0].boxType: must be one of \"none\", \"filled\", \"hollow\""},
        {"text without a string",
         R"({"formatVersion": 1, "frames": [{)" + frame + R"(, "texts": [{"x": 3}]}]})",
         "frames[0].texts[0].string: missing"},
        {"image that cannot be read",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "geoms": [{"type": "image", "file": "nowhere.png"}]}]})",
         "frames[0].geoms[0].file: cannot read image"},
        {"line with a one-point polyline",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "geoms": [{"type": "line", "polylines": [[[0, 0]]]}]}]})",
         "frames[0].geoms[0].polylines[0]: must be an array of at least two points"},
        {"key of another geometry type",
         R"({"formatVersion": 1, "frames": [{)" + frame +
             R"(, "geoms": [{"type": "rectangle", "width": 1, "height": 1, "file": "x"}]}]})",
         "frames[0].geoms[0].file: unknown key"},
        {"linked frames that disagree",
         R"({"formatVersion": 1, "frames": [
             {"name": "A", "x": 1, "y": 1, "width": 2, "height": 2, "linkGroup": 4, "linkSizeAndPosition": true},
             {"name": "B", "x": 1, "y": 1, "width": 3, "height": 2, "linkGroup": 4, "linkSizeAndPosition": true}]})",
         "frames[1]: linked to group 4 but its position or size differs from frames[0]"},
        {"negative link group",
         R"({"formatVersion": 1, "frames": [{)" + frame + R"(, "linkGroup": -1}]})",
         "frames[0].linkGroup: out of range"},
        {"current frame out of range",
         R"({"formatVersion": 1, "current": 1, "frames": [{)" + frame + R"(}]})",
         "current: out of range (0 to 0)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto path = scratch() / "bad.lay.json";
        std::ofstream(path, std::ios::trunc) << c.content;
        std::string why;
        EXPECT_FALSE(host().loadLayout(path.string(), &why));
        EXPECT_EQ(why.rfind(path.string() + ": " + c.expected, 0), 0u) << why;
        EXPECT_EQ(frameNames(), std::vector<std::string>{"kept"});
        EXPECT_EQ(host().layoutFileName(), good.string());
        EXPECT_TRUE(gCodes.empty());
    }
    std::string why;
    EXPECT_FALSE(host().loadLayout((scratch() / "absent.lay.json").string(), &why));
    EXPECT_NE(why.find("absent.lay.json: cannot read"), std::string::npos) << why;
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(LayoutTest, AFailedSaveLeavesThePreviousFileUntouched) {
    buildWorkspace();
    const auto path = scratch() / "design.lay.json";
    std::string error;
    ASSERT_TRUE(host().saveLayout(path.string(), &error)) << error;
    const std::string saved = readFile(path);
    host().addFrame(frameAt("added later", 1, 1, 1, 1));

    // The temporary file cannot be made: the save fails before the rename.
    std::filesystem::create_directory(path.string() + ".tmp");
    EXPECT_FALSE(QorUtilSaveLayout(path.string().c_str(), TRUE));
    EXPECT_FALSE(host().saveLayout(path.string(), &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    EXPECT_EQ(readFile(path), saved);
    std::filesystem::remove(path.string() + ".tmp");

    // A save made to fail on purpose writes nothing either.
    host().failNextSave(true);
    EXPECT_FALSE(QorUtilSaveLayout(path.string().c_str(), TRUE));
    EXPECT_EQ(readFile(path), saved);
    EXPECT_TRUE(QorUtilSaveLayout(path.string().c_str(), TRUE));
    EXPECT_NE(readFile(path), saved);
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
}

TEST_F(LayoutTest, SavingUnderANewNameNamesTheLayoutAndSendsSix) {
    host().addFrame(FrameSpec());
    const auto path = scratch() / "named.lay.json";
    ASSERT_TRUE(QorUtilSaveLayout(path.string().c_str(), TRUE));
    EXPECT_EQ(host().layoutFileName(), path.string());
    EXPECT_EQ(gCodes, std::vector<StateChange_e>{6});
    ASSERT_TRUE(QorUtilSaveLayout(path.string().c_str(), TRUE)); // same name: nothing sent
    EXPECT_EQ(gCodes, std::vector<StateChange_e>{6});
}

TEST_F(LayoutTest, TheSampleDesignLoadsAndSavesCanonically) {
    const std::string sample = std::string(QGB_SOURCE_DIR) + "/examples/sample/sample.lay.json";
    std::string error;
    ASSERT_TRUE(host().loadLayout(sample, &error)) << error;
    EXPECT_GE(host().frames().size(), 5u);
    EXPECT_TRUE(host().faults().empty());
    // Saved elsewhere the image path changes; saved again from there it must not.
    const auto copy = scratch() / "copy.lay.json";
    const auto again = scratch() / "again.lay.json";
    ASSERT_TRUE(host().saveLayout(copy.string(), &error)) << error;
    host().reset();
    ASSERT_TRUE(host().loadLayout(copy.string(), &error)) << error;
    ASSERT_TRUE(host().saveLayout(again.string(), &error)) << error;
    EXPECT_EQ(readFile(copy), readFile(again));
}

} // namespace
} // namespace quorvin::host::testing
