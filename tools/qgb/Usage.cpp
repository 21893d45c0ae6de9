#include "Usage.h"

#include "Session.h"
#include "shell/Settings.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>

#ifndef QGB_VERSION
#define QGB_VERSION "unknown"
#endif

namespace qgb {

namespace {

size_t EditDistance(const std::string &a, const std::string &b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::vector<std::string> OptionNames(const CLI::App &app) {
    std::vector<std::string> names;
    for (const CLI::Option *option : app.get_options()) {
        for (const std::string &name : option->get_lnames())
            names.push_back("--" + name);
        for (const std::string &name : option->get_snames())
            names.push_back("-" + name);
    }
    return names;
}

const CLI::Option *FindOption(const CLI::App &app, const std::string &name) {
    for (const CLI::Option *option : app.get_options())
        if (!option->get_positional() && option->check_name(name))
            return option;
    return nullptr;
}

} // namespace

std::string NearestWord(const std::string &word, const std::vector<std::string> &candidates) {
    std::string best;
    size_t bestDistance = std::string::npos;
    for (const std::string &candidate : candidates) {
        const size_t distance = EditDistance(word, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    // A slip changes a few letters; beyond that the word is something else.
    const size_t limit = std::max<size_t>(2, word.size() / 3);
    return bestDistance <= limit ? best : "";
}

std::string UnknownWordText(const char *what, const std::string &word,
                            const std::vector<std::string> &candidates) {
    std::string text = std::string("unknown ") + what + " \"" + word + "\"";
    const std::string nearest = NearestWord(word, candidates);
    if (!nearest.empty())
        text += "; did you mean \"" + nearest + "\"?";
    return text;
}

int CheckCommandLine(CLI::App &app, int argc, char **argv) {
    CLI::App *verb = nullptr;
    std::vector<std::string> verbs;
    const std::vector<CLI::App *> subcommands =
        app.get_subcommands([](CLI::App *) { return true; });
    for (const CLI::App *sub : subcommands)
        verbs.push_back(sub->get_name());
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            break;
        if (arg.size() > 1 && arg[0] == '-') {
            const std::string name = arg.substr(0, arg.find('='));
            const CLI::Option *option = verb ? FindOption(*verb, name) : nullptr;
            if (!option)
                option = FindOption(app, name);
            if (!option) {
                std::vector<std::string> names = OptionNames(app);
                if (verb) {
                    const std::vector<std::string> own = OptionNames(*verb);
                    names.insert(names.end(), own.begin(), own.end());
                }
                PrintError(UnknownWordText("option", name, names) + " (see qgb " +
                           (verb ? verb->get_name() + " " : std::string()) + "--help)");
                return kExitUsage;
            }
            // The option's value is the next word unless given as --name=value.
            if (option->get_expected_min() > 0 && option->get_type_size() > 0 &&
                name.size() == arg.size())
                ++i;
            continue;
        }
        if (verb)
            continue; // a positional argument of the verb
        for (CLI::App *sub : subcommands)
            if (sub->check_name(arg))
                verb = sub;
        if (!verb) {
            PrintError(UnknownWordText("verb", arg, verbs) + " (see qgb --help)");
            return kExitUsage;
        }
    }
    return -1;
}

std::string VersionText() {
    return std::string("qgb ") + QGB_VERSION + "\n" + quorvin::builder::kAddOnName + " add-on " +
           quorvin::builder::kReleaseNumber +
           "\nQuorvin SDK: add-on entry point InitQorAddOn113, host version 1000300 or later";
}

} // namespace qgb
