#include "CheckVerb.h"

#include "Check.h"
#include "options/Options.h"
#include "model/Settings.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace qgb {

namespace qb = quorvin::builder;

int RunCheck(const GlobalOptions &options, const std::string &layoutPath,
             std::optional<int32_t> language, bool json) {
    Session session(options);
    if (!session.loadLayout(layoutPath))
        return kExitFailure;
    // The settings the build would use: dlb.cfg beside the layout.
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::ReadConfigFile();
    const std::vector<Finding> findings = CheckDesign(language ? *language : -1);
    bool anyError = false;
    nlohmann::json list = nlohmann::json::array();
    for (const Finding &f : findings) {
        anyError = anyError || f.severity == Finding::Severity::Error;
        if (json) {
            list.push_back({{"severity", SeverityName(f.severity)},
                            {"file", layoutPath},
                            {"frame", {{"index", f.frameIndex}, {"name", f.frameName}}},
                            {"control", {{"identifier", f.control}, {"text", f.controlText}}},
                            {"key", f.key},
                            {"message", f.message},
                            {"advice", f.advice}});
            continue;
        }
        std::cout << layoutPath << ": " << SeverityName(f.severity) << ": " << f.message << "\n";
        if (f.frameIndex > 0)
            std::cout << "  frame " << f.frameIndex << " \"" << f.frameName << "\"\n";
        if (!f.control.empty() || !f.controlText.empty())
            std::cout << "  control " << (f.control.empty() ? "(no identifier)" : f.control)
                      << " \"" << f.controlText << "\"\n";
        if (!f.key.empty())
            std::cout << "  key " << f.key << "\n";
        std::cout << "  advice: " << f.advice << "\n";
    }
    if (json)
        std::cout << nlohmann::json{{"file", layoutPath}, {"findings", list}}.dump(2) << "\n";
    else if (findings.empty())
        std::cout << layoutPath << ": no problems found\n";
    std::cout.flush();
    const bool faults = session.reportNewFaults();
    return anyError || faults ? kExitFailure : kExitSuccess;
}

} // namespace qgb
