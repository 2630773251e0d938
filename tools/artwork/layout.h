// Where the main window's controls sit, in window pixels: the artwork draws their places.
#pragma once

#include <array>

#include "tools/artwork/paint.h"

namespace artwork::layout {

constexpr int kWindowWidth = 865;
constexpr int kWindowHeight = 682;

// The category labels' slots, top to bottom; the highlight bar covers one slot exactly.
constexpr double kSlotLeft = 658;
constexpr double kSlotWidth = 165;
constexpr double kSlotHeight = 28;
constexpr std::array<double, 6> kSlotTops = {107, 143, 175, 209, 242, 277};

constexpr Rect kCloseMark{826, 15, 17, 17};
constexpr Rect kMinimiseMark{800, 16, 17, 17};
constexpr Rect kLogo{20, 1, 137, 128};
constexpr Rect kAddress{244, 656, 137, 25};

constexpr Rect kSummaryText{288, 120, 217, 17};
constexpr Rect kSummaryCaption{539, 116, 43, 18};
constexpr Rect kQuestionPane{40, 152, 513, 97};
constexpr Rect kAnswerPane{32, 272, 521, 201};
constexpr Rect kFootnotePane{40, 496, 513, 97};
constexpr Rect kButtonRow{40, 611, 505, 28};

constexpr Rect kSearchEdit{704, 376, 106, 19};
constexpr Rect kSearchCancel{664, 373, 35, 22};
constexpr Rect kRecordCount{677, 403, 158, 16};
constexpr Rect kFindButton{763, 424, 89, 31};
constexpr Rect kAdvancedButton{632, 424, 121, 31};
constexpr Rect kTitlesGrid{656, 456, 169, 211};

// The advanced-search panel, and its controls in panel coordinates.
constexpr Rect kPanel{610, 315, 255, 368};
constexpr Rect kPanelEdit{56, 61, 143, 22};
constexpr Rect kPanelGroup{40, 96, 193, 89};
constexpr Rect kPanelGrid{41, 192, 189, 160};

}  // namespace artwork::layout
