// What qgb shows about a layout: its frames, their kinds and the generated
// identifiers of their controls, and the options in force. All of it comes
// from the add-on's own readers, linked into qgb and run in-process.
#pragma once

#include "Session.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

namespace qgb {

// Reads "dlb.cfg" beside the loaded layout into the in-process settings and
// prints where the options came from and their values.
void PrintOptions(std::ostream &out, const std::string &layoutPath);

// Every frame of the loaded layout with its texts and geometries.
void PrintFrames(std::ostream &out);

// The add-on registrations and menu options the host holds.
void PrintAddOn(std::ostream &out);

// The version of the qgb info --json schema (docs/info-json.md): raised only
// when a field changes meaning or goes away, never for a field added.
constexpr int kInfoJsonSchema = 1;

// The loaded layout as the add-on reads it through the SDK: options, frames
// in stacking order with their texts and geometries, kinds and identifiers.
nlohmann::ordered_json DesignJson(const std::string &layoutPath);

int RunInfo(const GlobalOptions &options, const std::string &layoutPath, bool json = false);
int RunOptions(const GlobalOptions &options, const std::string &layoutPath);

} // namespace qgb
