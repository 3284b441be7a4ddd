// The line data file (.spd), the program's document file: version 3 is written for RGB and CMY
// documents, version 4 for OKLCh ones (version 3 has no room for the mode and the hue origin);
// versions 1 to 4 are read. Reading goes into a scratch document that the caller commits only
// when the whole file was valid, so a bad file never touches the live document.
#pragma once

#include "model/shown_text.h"

#include "files/file_result.h"
#include "model/gradation_document.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace spectrane {

inline constexpr int kLineDataVersion4HeaderBytes = 72; // version 4 header
inline constexpr int kLineDataHeaderBytes = 52;         // version 3 header
inline constexpr int kLineDataVersion2HeaderBytes = 25; // version 2 header
inline constexpr int kLineDataVersion1HeaderBytes = 20; // version 1 header
inline constexpr int kPointRecordBytes = 16;
// No valid file of any version is longer than this.
inline constexpr std::size_t kLineDataMaxBytes =
    kLineDataVersion4HeaderBytes + kPointRecordBytes * kMaxPoints * kChannelCount;
// Version 4 starts with this word where the older versions keep a length (version 1) or a zero
// marker: a reader of versions 1 to 3 takes it for a version 1 length of -4 and refuses it.
inline constexpr std::int32_t kVersion4Marker = -4;

// Shown (titled "メッセージ") when a version 2 or version 1 file has been read.
inline constexpr const char* kVersion2Warning = QT_TRANSLATE_NOOP(
    "Messages", "読み込もうとしているファイルはversion2.**で作成されたデータです。\n\n"
                "ver3でもver2のデータを読み込むことは可能ですが、\n"
                "ver3で作成したデータはver2で読み込ませることは出来ません。\n"
                "このファイルをver3で上書き保存する際はそのことに注意してください。");
inline constexpr const char* kVersion1Warning = QT_TRANSLATE_NOOP(
    "Messages", "読み込もうとしているファイルはversion1.**で作成されたデータです。\n\n"
                "ver3でもver1のデータを読み込むことは可能ですが、\n"
                "ver3で作成したデータはver1で読み込ませることは出来ません。\n"
                "このファイルをver3で上書き保存する際はそのことに注意してください。");

// Shown after a successful save.
inline constexpr const char* kLineDataSavedMessage =
    QT_TRANSLATE_NOOP("Messages", "RGBラインデータを保存しました。");

struct LineDataReadResult {
    FileResult status;   // on failure message is kFileOpenFailedMessage, detail the reason
    int version = 0;     // 1, 2, 3 or 4 when status.ok
    std::string warning; // kVersion2Warning / kVersion1Warning for an old file, else empty
    // When status.ok: length, direction, loop, mode, hue origin, synchro, synchroChannels, counts
    // and control points as read (a version 1 file's anchors too, with control points fitted to
    // them). Null on failure.
    std::unique_ptr<GradationDocument> document;

    explicit operator bool() const { return status.ok; }
};

// Parses the bytes of a whole file. Refuses (never partially reads) anything that does not fit
// the document model: a short or over-long file, a length outside 2..1600, a direction outside
// 0..3, a flag other than 0/1, a colour mode outside 0..2 (version 4), a hue origin outside
// 0..360, a point count outside 2..256 (open) or 1..256 (loop), or a
// coordinate that is not finite or beyond kCoordinateBound (model/document_check.h).
LineDataReadResult parseLineData(std::span<const std::uint8_t> bytes);

// Reads and parses the file at `path`; a file that cannot be opened or read is refused too.
LineDataReadResult readLineDataFile(const std::filesystem::path& path);

// Copies a successful read into the live document: the settings, counts and control points;
// makes channel 0 current. Anchors and levels are left for the caller's rebuild.
void copyLineData(GradationDocument& doc, const GradationDocument& read);

// copyLineData, then derives the anchors and evaluates all three channels.
// `thickness` is kept: it is not part of the file.
void applyLineData(GradationDocument& doc, const GradationDocument& read);

// The bytes of a document: version 3 for RGB and CMY, version 4 for OKLCh; the header and the
// control points of channels 0, 1, 2.
std::vector<std::uint8_t> encodeLineData(const GradationDocument& doc);

// Writes encodeLineData atomically: on failure the previous file is untouched and the result
// carries kFileOpenFailedMessage. A document the reader would refuse (documentFault) is not
// written.
FileResult writeLineDataFile(const std::filesystem::path& path, const GradationDocument& doc);

} // namespace spectrane
