#include "exchange/exchange_format.h"

#include "model/ascii_text.h"
#include "model/shown_text.h"

#include <algorithm>
#include <array>
#include <string>

namespace spectrane {

namespace {

constexpr std::array<ExchangeFormatInfo, 8> kFormats{{
    {ExchangeFormat::Css, "css", "css", QT_TRANSLATE_NOOP("Messages", "CSSグラデーション(*.css)"),
     true},
    {ExchangeFormat::Svg, "svg", "svg", QT_TRANSLATE_NOOP("Messages", "SVG画像(*.svg)"), true},
    {ExchangeFormat::Ggr, "ggr", "ggr", QT_TRANSLATE_NOOP("Messages", "GIMPグラデーション(*.ggr)"),
     true},
    {ExchangeFormat::Cpt, "cpt", "cpt", QT_TRANSLATE_NOOP("Messages", "GMTカラーパレット(*.cpt)"),
     true},
    {ExchangeFormat::Json, "json", "json",
     QT_TRANSLATE_NOOP("Messages", "ParaViewカラーマップ(*.json)"), true},
    {ExchangeFormat::Csv, "csv", "csv", QT_TRANSLATE_NOOP("Messages", "CSVファイル(*.csv)"), true},
    {ExchangeFormat::Png, "png", "png", QT_TRANSLATE_NOOP("Messages", "PNG画像(*.png)"), false},
    {ExchangeFormat::Bmp, "bmp", "bmp",
     QT_TRANSLATE_NOOP("Messages", "ビットマップ・ファイル(*.bmp)"), false},
}};

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

} // namespace

std::span<const ExchangeFormatInfo> exchangeFormats() {
    return kFormats;
}

const ExchangeFormatInfo& formatInfo(ExchangeFormat format) {
    return kFormats[static_cast<std::size_t>(format)];
}

std::optional<ExchangeFormat> formatNamed(std::string_view name) {
    for (const ExchangeFormatInfo& f : kFormats) {
        if (f.name == name) {
            return f.format;
        }
    }
    return std::nullopt;
}

std::optional<ExchangeFormat> formatOfExtension(const std::filesystem::path& file) {
    const std::string ext = asciiLower(file.extension().string());
    return ext.empty() ? std::nullopt : formatNamed(std::string_view(ext).substr(1));
}

std::optional<ExchangeFormat> detectInputFormat(const std::filesystem::path& file,
                                                std::span<const std::uint8_t> bytes) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n")) {
        return ExchangeFormat::Png;
    }
    if (startsWith(bytes, "BM")) {
        return ExchangeFormat::Bmp;
    }
    if (const auto byName = formatOfExtension(file)) {
        return byName;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::size_t first = text.find_first_not_of(" \t\r\n\xef\xbb\xbf");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const char c = text[first];
    if (c == '<') {
        return ExchangeFormat::Svg;
    }
    if (c == '[' || c == '{') {
        return ExchangeFormat::Json;
    }
    if (text.substr(first).starts_with("GIMP Gradient")) {
        return ExchangeFormat::Ggr;
    }
    if (text.find("linear-gradient(") != std::string_view::npos) {
        return ExchangeFormat::Css;
    }
    // A palette has slashes or whitespace-separated numbers; a table has commas.
    const std::string_view line = text.substr(first, text.find('\n', first) - first);
    if (c == '#' || line.find(',') == std::string_view::npos) {
        return ExchangeFormat::Cpt;
    }
    return ExchangeFormat::Csv;
}

} // namespace spectrane
