// Import of a gradient from another program's file as an editable document: read (any colour
// table format or a picture), sampled to the gradation's dots, curves fitted to them.
#pragma once

#include "exchange/gradient_readers.h"
#include "exchange/model_fit.h"

#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace spectrane {

// Files longer than this are refused unread.
inline constexpr std::uintmax_t kMaxImportBytes = 64u << 20;

struct ImportOptions {
    int length = 0;                  // dots, 2..1600; 0 takes the input's own number of samples
    int tolerance = 1;               // levels, 0..255
    bool loop = false;               // fit loop curves (a repeating gradient is fitted so anyway)
    ImageLine line;                  // the row or column of a picture
    Background over;                 // what partly transparent stops or pixels are laid over
    ColorMode mode = ColorMode::Rgb; // the mode of the document made
};

// A background as --over names it: "white", "black" or "#rrggbb"; nothing otherwise.
std::optional<Background> backgroundNamed(std::string_view name);

struct ImportResult {
    // The fitted document, or null when the input was refused.
    std::unique_ptr<GradationDocument> document;
    // When refused: "FILE: line N: what is wrong" ("byte N" for pictures), one line.
    std::string error;
    // Refused because the input is one of our own line data files, which Open reads.
    bool lineData = false;
    std::array<ChannelFit, kChannelCount> channels{};
    // Stops (or pixels) that were partly transparent and were laid over the background.
    int partlyTransparent = 0;
    bool pixels = false;
    // When fitted: what came of it, for the user: the dots, the points and maximum error of
    // each channel, a warning for a channel that missed the tolerance, any reading note, and
    // "opacity flattened over white: N stops were partly transparent" when that was done.
    std::string message;

    explicit operator bool() const { return document != nullptr; }
};

// Imports the bytes of a file named `name` (the name also picks the format when the bytes do
// not tell it). A line data file (by its layout or a .spd name) is refused as such first.
ImportResult importGradient(const std::filesystem::path& name, std::span<const std::uint8_t> bytes,
                            const ImportOptions& options);

// Reads the file at `path` and imports it; a file that cannot be read is refused likewise.
ImportResult importGradientFile(const std::filesystem::path& path, const ImportOptions& options);

} // namespace spectrane
