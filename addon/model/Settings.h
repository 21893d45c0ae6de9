// Process-wide state of the add-on: the builder settings, the registration
// handle, the host sets and string list that live from start-up to quit, and
// the anchor table.
#pragma once

#include "QORADDON.h"

#include <cstdint>
#include <string>

namespace quorvin::builder {

// Output language of the build. 3 selects the Qt output.
enum LanguageKind : int32_t { LanguageC = 0, LanguageCPP = 1, LanguageFORTRAN = 2, LanguageQt = 3 };

struct BuilderSettingsT {
    int32_t Language = LanguageCPP;
    bool LimitIdentLength = true;
    int32_t MaxIdentLength = 30;
    int32_t MaxFortranLineLen = 70;
    int32_t FormPageColor = 41;
    int32_t TabPageColor = 33;
    bool AnchorToPaper = false;
    // Layout whose "dlb.cfg" was read last (at most 1024 characters).
    std::string LayoutFileName;
};

extern BuilderSettingsT BuilderSettings;

// The handle registration returned; every lock start and finish passes it.
extern AddOn_pa AddOnHandle;

// Form and tab page IDs of the linking groups 1 to 32, filled by a build.
constexpr int kLinkGroupCount = 32;
extern Set_pa FormPageSets[kLinkGroupCount];
extern Set_pa TabPageSets[kLinkGroupCount];
// The set of a group 1 to 32, or null for any other group (or after quit).
Set_pa FormPageSet(int group);
Set_pa TabPageSet(int group);

// Option menu identifiers of a FORTRAN build, read by InitDLB.
extern StringList_pa BuildNameList;

// Allocates the 64 page sets, the form and the tab set of each group in turn.
void AllocatePageSets();
// Frees BuildNameList and, per group, the tab and then the form page set.
// Does nothing for what is already freed.
void FreeHostObjects();

// The controls anchored to the paper while their frame is resized: one
// remembered position per control, in paper coordinates.
struct AnchorRecord {
    bool IsText = false;
    Text_ID Text = nullptr;
    Geom_ID Geom = nullptr;
    GeomType_e GeomType = GeomType_LineSegs;
    double X = 0, Y = 0;
    double Width = 0;  // images and rectangles
    double Height = 0; // rectangles
};

constexpr int kMaxAnchorRecords = 512;

struct AnchorTableT {
    AnchorRecord Records[kMaxAnchorRecords];
    int Count = 0;
    double FrameWidth = 0, FrameHeight = 0;
    // Where the frame was when the records were last brought up to date.
    double FrameX = 0, FrameY = 0;
    // The frame the records belong to; only its resizing moves them.
    UniqueID_t FrameId = 0;
};

extern AnchorTableT AnchorTable;

// The release number, also the add-on's version in "dlb.cfg".
constexpr const char *kReleaseNumber = "2022.2.0.18713";
constexpr int kReleaseMajor = 2022;
constexpr const char *kAddOnName = "Quorvin GUI Builder";

} // namespace quorvin::builder
