// The file formats a gradation travels in: their names on the command line, their extensions
// and file-dialog filters, and how an input's format is recognised.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace spectrane {

enum class ExchangeFormat { Css, Svg, Ggr, Cpt, Json, Csv, Png, Bmp };

struct ExchangeFormatInfo {
    ExchangeFormat format;
    std::string_view name;      // as --format takes it: "css", ...
    std::string_view extension; // without the dot
    std::string_view filter;    // the file dialog's filter text, pattern included
    bool colorTable;            // written by the colour-table export (not a picture)
};

// Every format, the colour tables first in the order of the export dialog's filters.
std::span<const ExchangeFormatInfo> exchangeFormats();

const ExchangeFormatInfo& formatInfo(ExchangeFormat format);

// The format of a --format name, or nothing.
std::optional<ExchangeFormat> formatNamed(std::string_view name);

// The format of a file name's extension (any case), or nothing.
std::optional<ExchangeFormat> formatOfExtension(const std::filesystem::path& file);

// The format of an input: PNG and BMP by their signatures, then by the name's extension, then
// by what the text looks like (SVG, JSON, GIMP, CSS, palette lines, comma lines). Nothing when
// none fits.
std::optional<ExchangeFormat> detectInputFormat(const std::filesystem::path& file,
                                                std::span<const std::uint8_t> bytes);

} // namespace spectrane
