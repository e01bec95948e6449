#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "engine/DrawingGeometry.h"
#include "engine/TurningInstructions.h"
#include "print/PatternPrinter.h"

namespace tessaly {

struct ExportOptions {
    std::string patternPath;
    std::optional<std::string> sequence;  // replaces the file's turning sequence
    bool reverse = false;
    bool wholeBand = false;  // a picture tall enough for every row
    bool fellLine = false;   // the pictures mark where the woven picks end, as the screen does
    bool rulers = false;     // and number the cards and picks in margins, as the screen does
    std::int32_t blockSize = DrawingGeometry::kStartBlockSize;
    std::string svgPath;
    std::string pngPath;
    std::string instructionsPath;
    std::string pdfPath;
    std::string textPath;       // the instructions as a line of text a pick
    PrintOptions printOptions;  // of the PDF's and the text's instructions
    std::string kstPath;  // the pattern as Tessaly's file
    std::string tddPath;  // the pattern as a Tablet Weaving Draft Designer draft
    std::string twtPath;  // the pattern as a Twisted Threads pattern
    std::string gttPath;  // the pattern as a Guntram's Tabletweaving Thingy pattern
    std::string pageSize = "A4";  // of the PDF
};

enum ExitCode { kExitOk = 0, kExitBadInput = 1, kExitUsage = 2 };

// Four margins of this size still fit the 16-bit margin arithmetic.
constexpr std::int32_t kMaxExportBlockSize = 8191;

// Reads the command line; nullopt (with the problem in error) when it is not usable.
std::optional<ExportOptions> ParseExportArguments(const std::vector<std::string>& args,
                                                  std::string& error);

std::string ExportUsage();

// A command line whose files cannot go together: an output that is the pattern file itself,
// or two outputs that are one file (under any names). Returns the problem, or nothing.
std::optional<std::string> CheckExportFiles(const ExportOptions& options);

// The turning instructions as CSV: "Pick,1,2,...,N", the threading's line "0,,...", then a
// line per pick.
std::string InstructionsCsv(const TurningInstructions& instructions);

// Builds the band as opening the file would and writes the requested files. Problems are
// reported on the error sink; nothing is written unless the whole band was built cleanly.
int RunExport(const ExportOptions& options, std::ostream& out);

}  // namespace tessaly
