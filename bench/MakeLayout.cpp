// Writes a synthetic layout file for scripts/bench.sh:
//   bench_make_layout <layout file> <dialogs> <controls per dialog> [<image file>]
// The design has every control kind, tab and form pages, two sidebars and
// letter titles (one Qt class per dialog); the image, when named, is written
// too and used by the bitmap controls.
#include "DesignGenerator.h"

#include "quorvin/Host.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <layout file> <dialogs> <controls per dialog> [<image>]\n",
                     argv[0]);
        return 2;
    }
    qgbbench::DesignOptions options;
    options.dialogs = std::atoi(argv[2]);
    options.controlsPerDialog = std::atoi(argv[3]);
    options.sidebars = 2;
    options.seed = 42;
    options.letterTitles = true;
    if (argc > 4) {
        options.imageFile = argv[4];
        if (!qgbbench::WriteSyntheticImage(options.imageFile, 8, 8)) {
            std::fprintf(stderr, "cannot write %s\n", argv[4]);
            return 1;
        }
    }
    quorvin::host::Host &host = quorvin::host::Host::instance();
    host.reset();
    const qgbbench::DesignSummary summary = qgbbench::AddSyntheticDesign(options);
    std::string error;
    if (!host.saveLayout(argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%d\n", summary.texts + summary.geometries);
    return 0;
}
