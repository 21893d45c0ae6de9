// qgb info --json against the build's own view: for the sample designs and
// random designs, the container kind of every frame and the kind and
// identifier of every control the JSON gives must be what a C++ build of
// the same layout makes (recorded through the generator's hooks).
#include "PreviewSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "classic/Generator.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Settings.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;

// frame unique ID -> container kind, and -> "kind identifier" of each control.
std::map<UniqueID_t, std::string> BuiltKinds;
std::map<UniqueID_t, std::multiset<std::string>> BuiltControls;

std::string ControlKey(const std::string &kind, const std::string &identifier) {
    return kind + " " + identifier;
}

std::string BuiltKindName(int type) {
    static const char *const kMadeKinds[] = {"GroupFrame",    "VertSeparator", "HorzSeparator",
                                             "ColoredButton", "BitmapToggle",  "BitmapButton"};
    if (type >= qb::kGroupFrame && type <= qb::kBitmapButton)
        return kMadeKinds[type - qb::kGroupFrame];
    return qb::ControlKindName(static_cast<qb::ControlKind>(type));
}

class InfoJson : public PreviewFixture {
  protected:
    // The build's view of the layout file: a C++ build in a scratch folder.
    // The frames' unique IDs go into order, bottom first (the JSON's order).
    void RecordBuild(const std::string &layout, const std::string &dir,
                     std::vector<UniqueID_t> &order) {
        FreshHost();
        Do(&Host::loadLayout, layout);
        for (const auto &frame : host().frames())
            order.push_back(frame.uniqueId);
        host().setLayoutFileName(dir + "/design.lay.json");
        BuiltKinds.clear();
        BuiltControls.clear();
        qb::BuildHooks.container = [](const qb::ContainerInfo &c) {
            static const char *const kNames[] = {"ModalDialog", "ModelessDialog", "TabPage",
                                                 "FormPage", "Sidebar"};
            BuiltKinds[c.frameId] = kNames[c.kind];
        };
        qb::BuildHooks.control = [](const qb::ContainerInfo &c, const qb::ControlRecord &r) {
            BuiltControls[c.frameId].insert(ControlKey(BuiltKindName(r.type), r.identifier));
        };
        {
            qb::LockGuard lock(qb::AddOnHandle);
            qb::GoBuild(qb::LanguageCPP, false);
        }
        qb::BuildHooks = qb::GeneratorHooks{};
        for (const quorvin::host::Message &m : host().messages())
            ASSERT_NE(m.call, quorvin::host::Message::Call::ErrMsg) << DescribeMessages();
    }

    // Runs qgb info --json on the layout and compares it with the build's view.
    void Compare(const std::string &layout) {
        SCOPED_TRACE(layout);
        const Outcome run = RunQgb({"info", "--json", layout});
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json info = nlohmann::json::parse(run.out);
        EXPECT_EQ(info.at("schema"), 1);
        const std::string dir = fs::path(layout).parent_path().string() + "/build";
        fs::create_directories(dir);
        std::vector<UniqueID_t> order;
        RecordBuild(layout, dir, order);

        ASSERT_EQ(info.at("frames").size(), order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            const nlohmann::json &frame = info["frames"][i];
            SCOPED_TRACE(frame.at("name").get<std::string>());
            EXPECT_EQ(frame.at("index"), i + 1);
            EXPECT_EQ(frame.at("current"), i + 1 == order.size());
            EXPECT_EQ(frame.at("container").at("kind"), BuiltKinds[order[i]]);
            std::multiset<std::string> listed;
            for (const char *list : {"texts", "geometries"})
                for (const nlohmann::json &item : frame.at(list)) {
                    const nlohmann::json &c = item.at("control");
                    if (c.at("identifier").is_string())
                        listed.insert(ControlKey(c["kind"], c["identifier"]));
                    else
                        EXPECT_FALSE(c.at("whyNone").get<std::string>().empty());
                }
            std::multiset<std::string> built;
            for (const std::string &key : BuiltControls[order[i]])
                if (key.back() != ' ') // unnamed labels, frames and separators
                    built.insert(key);
            EXPECT_EQ(listed, built);
        }
    }

    static std::string WorkDir(const std::string &name) { return OutputDir("info-json-" + name); }
};

TEST_F(InfoJson, SampleDesignsAgreeWithTheBuild) {
    for (const fs::path &source : SampleLayouts()) {
        const std::string dir = WorkDir(source.parent_path().filename().string());
        fs::copy(source.parent_path(), dir, fs::copy_options::recursive);
        Compare(dir + "/" + source.filename().string());
    }
}

#ifdef QGB_HAVE_DESIGN_GENERATOR
// The fields read straight from the SDK, on one text and one image: the box
// corners in screen units in the host's order, the image's pixel size.
TEST_F(InfoJson, GeometryAndCornersAsTheSdkGivesThem) {
    const std::string dir = WorkDir("fields");
    ASSERT_TRUE(qgbbench::WriteSyntheticImage(dir + "/b.bmp", 6, 5));
    AddFrame("ID=3 TITLE=\"T\" MODE=MODAL OKCLOSEBUTTON=T");
    const Text_ID text = AddControl("TF:Name", "", TextBox_Filled, 10, 80);
    ASSERT_NE(
        host().addGeom(
            {GeomType_Image, CoordSys_Frame, 20, 20, 0, "VarName=Go", 10, 0, {}, dir + "/b.bmp"}),
        nullptr);
    Do(&Host::saveLayout, dir + "/f.lay.json");
    double c[8];
    QorUtilTextBoxGetPosition(text, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7]);

    const Outcome run = RunQgb({"info", "--json", dir + "/f.lay.json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json frame = nlohmann::json::parse(run.out).at("frames").at(0);
    const nlohmann::json &tf = frame.at("texts").at(0);
    EXPECT_EQ(tf.at("control").at("identifier"), "Name_TF_D3");
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(tf.at("corners")[i].at("x").get<double>(), c[2 * i]);
        EXPECT_DOUBLE_EQ(tf.at("corners")[i].at("y").get<double>(), c[2 * i + 1]);
    }
    EXPECT_GT(c[1], c[7]) << "corner 1 is the lower-left, 4 the upper-left (y down)";
    const nlohmann::json &img = frame.at("geometries").at(0);
    EXPECT_EQ(img.at("pixelSize"), (nlohmann::json{{"width", 6}, {"height", 5}}));
    EXPECT_EQ(img.at("imageFile"), dir + "/b.bmp");
    EXPECT_EQ(img.at("control").at("kind"), "BitmapButton");
    EXPECT_EQ(img.at("control").at("identifier"), "Go_BB_D3");
}

TEST_F(InfoJson, RandomDesignsAgreeWithTheBuild) {
    for (uint32_t seed = 1; seed <= 6 && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::string dir = WorkDir("random-" + std::to_string(seed));
        FreshHost();
        ASSERT_TRUE(qgbbench::WriteSyntheticImage(dir + "/image.bmp", 6, 5));
        qgbbench::DesignOptions options = RandomDesignOptions(seed, dir + "/image.bmp");
        options.controlsPerDialog = 20 + static_cast<int>(seed % 7);
        qgbbench::AddSyntheticDesign(options);
        Do(&Host::saveLayout, dir + "/random.lay.json");
        Compare(dir + "/random.lay.json");
    }
}
#endif

} // namespace
} // namespace qgbtest
