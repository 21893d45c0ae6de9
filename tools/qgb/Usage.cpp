#include "Usage.h"

#include "Session.h"
#include "model/Settings.h"

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
    // verb: the deepest verb named so far ("callbacks", then "merge"); its
    // options and those of the verbs above it apply.
    CLI::App *verb = nullptr;
    auto verbWords = [&]() {
        std::string words;
        for (const CLI::App *v = verb; v && v != &app; v = v->get_parent())
            words = v->get_name() + " " + words;
        return words;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            break;
        if (arg.size() > 1 && arg[0] == '-') {
            const std::string name = arg.substr(0, arg.find('='));
            const CLI::Option *option = nullptr;
            std::vector<std::string> names;
            for (const CLI::App *v = verb ? verb : &app; v && !option; v = v->get_parent()) {
                option = FindOption(*v, name);
                const std::vector<std::string> own = OptionNames(*v);
                names.insert(names.end(), own.begin(), own.end());
            }
            if (!option) {
                PrintError(UnknownWordText("option", name, names) + " (see qgb " + verbWords() +
                           "--help)");
                return kExitUsage;
            }
            // The option's value is the next word unless given as --name=value.
            if (option->get_expected_min() > 0 && option->get_type_size() > 0 &&
                name.size() == arg.size())
                ++i;
            continue;
        }
        CLI::App *parent = verb ? verb : &app;
        const std::vector<CLI::App *> subcommands =
            parent->get_subcommands([](CLI::App *) { return true; });
        if (subcommands.empty())
            continue; // a positional argument of the verb
        CLI::App *next = nullptr;
        std::vector<std::string> names;
        for (CLI::App *sub : subcommands) {
            names.push_back(sub->get_name());
            if (sub->check_name(arg))
                next = sub;
        }
        if (!next && parent->get_require_subcommand_min() == 0)
            continue;
        if (!next) {
            PrintError(UnknownWordText("verb", arg, names) + " (see qgb " + verbWords() +
                       "--help)");
            return kExitUsage;
        }
        verb = next;
    }
    return -1;
}

std::string VersionText() {
    return std::string("qgb ") + QGB_VERSION + "\n" + quorvin::builder::kAddOnName + " add-on " +
           quorvin::builder::kReleaseNumber +
           "\nQuorvin SDK: add-on entry point InitQorAddOn113, host version 1000300 or later";
}

} // namespace qgb
