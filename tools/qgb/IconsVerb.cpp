#include "IconsVerb.h"

#include "qtgen/QtWriter.h"

#include <CLI/CLI.hpp>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

namespace qgb {

namespace fs = std::filesystem;

namespace {

void AppendBytes(void *context, void *data, int size) {
    static_cast<std::string *>(context)->append(static_cast<const char *>(data),
                                                static_cast<size_t>(size));
}

std::string ReadWhole(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

void AddIconsVerb(CLI::App &app, IconsArgs &args) {
    args.command = app.add_subcommand(
        "icons", "Write the PNG icons the Qt build's resource file lists, from LAYOUT's images");
    args.command->footer(
        "Every image of LAYOUT (the picture of a bitmap button or toggle) is written as a PNG\n"
        "named like the icon the Qt forms use: the image file's base name with \".png\". The\n"
        "icons go beside LAYOUT, where the resource file quorvinrs_generated.qrc looks for\n"
        "them, or into --output. A file whose bytes would not change is left alone. The\n"
        "icons written are listed on standard output.");
    args.command->add_option("LAYOUT", args.layout, "Layout file (JSON)")->required();
    args.command->add_option("-o,--output", args.output, "Folder for the icons");
}

int RunIcons(const GlobalOptions &options, const IconsArgs &args) {
    Session session(options);
    if (!session.loadLayout(args.layout))
        return kExitFailure;
    const fs::path folder =
        args.output.empty() ? fs::path(args.layout).parent_path() : fs::path(args.output);
    std::error_code ec;
    fs::create_directories(folder.empty() ? fs::path(".") : folder, ec);
    // One icon per name: the first image of that name wins, as one file
    // name in the resource file can only hold one picture.
    std::map<std::string, std::string> icons;
    std::set<fs::path> sources;
    for (const auto &frame : Session::host().frames()) {
        for (const auto &geom : frame.geoms) {
            if (geom.spec.type != GeomType_Image || geom.rgb.empty() || geom.pixelWidth <= 0)
                continue;
            fs::path source(geom.spec.imageFile);
            if (source.is_relative())
                source = fs::path(args.layout).parent_path() / source;
            sources.insert(fs::weakly_canonical(source, ec));
            const std::string name =
                quorvin::qorutilmisc::QtWriter::iconFileName(geom.spec.imageFile);
            if (icons.count(name))
                continue;
            std::string png;
            if (!stbi_write_png_to_func(AppendBytes, &png, geom.pixelWidth, geom.pixelHeight, 3,
                                        geom.rgb.data(), geom.pixelWidth * 3)) {
                PrintError("cannot encode the picture of " + geom.spec.imageFile);
                return kExitFailure;
            }
            icons[name] = png;
        }
    }
    for (const auto &[name, png] : icons) {
        const fs::path path = folder / name;
        // A PNG the design names itself is the icon already: never replaced.
        if (fs::exists(path, ec) &&
            (ReadWhole(path) == png || sources.count(fs::weakly_canonical(path, ec))))
            continue;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << png;
        out.close();
        if (!out) {
            PrintError("cannot write " + path.string());
            return kExitFailure;
        }
        std::cout << path.string() << "\n";
    }
    return session.reportNewFaults() ? kExitFailure : kExitSuccess;
}

} // namespace qgb
