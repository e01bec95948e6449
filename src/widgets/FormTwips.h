#pragma once

// The sizes the windows were designed with, in twips (15 to a logical pixel): the least a
// control is given, and where a window's parts stand. Layouts grow them to what the fonts
// need; nothing is made smaller than this.
namespace tessaly::form_twips {

// every window
constexpr int kMargin = 120;        // between a window's edge and its controls
constexpr int kButtonHeight = 375;  // a command button's least height

// Threading Design
constexpr int kDesignWidth = 5235;
constexpr int kDesignHeight = 3165;
constexpr int kDesignOuterWidth = 5355;  // with the frame, as the main window places it
constexpr int kDesignOuterHeight = 3960;
constexpr int kApplyWidth = 855;
constexpr int kSimpleWeaveWidth = 1335;
constexpr int kSwatchWidth = 375;   // a paint colour's box
constexpr int kSwatchHeight = 615;
constexpr int kSwatchesToDraft = 240;

// Weave Instructions
constexpr int kWeaveWidth = 5235;
constexpr int kWeaveHeight = 3435;  // without the twist row
constexpr int kWeaveButtonWidth = 975;
constexpr int kPacksTop = 600;          // the packs' grid below the window's top
constexpr int kCardPositionWidth = 720;  // the card whose corners show where hole A stands
constexpr int kCardPositionHeight = 780;
constexpr int kCornerLeft = 120;  // the corner buttons within that card
constexpr int kCornerTop = 195;
constexpr int kCornerGap = 25;
constexpr int kCornerButton = 255;
constexpr int kPackChoiceWidth = 1095;  // a pack's F, B and I at the least
constexpr int kPackChoiceIndent = 60;
constexpr int kPackChoiceGap = 30;

// Turning Instructions
constexpr int kInstructionsWidth = 6975;
constexpr int kInstructionsHeight = 6330;
constexpr int kInstructionsBorder = 200;
constexpr int kCloseWidth = 1095;
constexpr int kLegendWidth = 3615;
constexpr int kAboveClose = 100;
constexpr int kCloseToLegend = 225;

// the main window and where the band display opens
constexpr int kMainWidth = 14400;
constexpr int kMainHeight = 10800;
constexpr int kDisplayWidth = 4800;
constexpr int kDisplayHeight = 8400;

}  // namespace tessaly::form_twips
