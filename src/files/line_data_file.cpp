#include "files/line_data_file.h"

#include "files/atomic_write.h"
#include "files/little_endian.h"
#include "model/curve_rebuild.h"
#include "model/document_check.h"
#include "model/spline.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {

namespace {

// Sequential little-endian reads from a buffer whose size the caller has already checked.
class FieldReader {
public:
    FieldReader(std::span<const std::uint8_t> bytes, std::size_t at) : bytes_(bytes), at_(at) {}

    std::int32_t int32() {
        const std::int32_t v = getInt32(bytes_.data() + at_);
        at_ += 4;
        return v;
    }
    std::uint8_t byte() { return bytes_[at_++]; }
    double real() {
        const double v = getDouble(bytes_.data() + at_);
        at_ += 8;
        return v;
    }
    CurvePoint point() {
        const CurvePoint p{getDouble(bytes_.data() + at_), getDouble(bytes_.data() + at_ + 8)};
        at_ += kPointRecordBytes;
        return p;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_;
};

LineDataReadResult refused(std::string why) {
    LineDataReadResult r;
    r.status = FileResult::failure(std::move(why));
    return r;
}

// The layout a file's first two words announce: no version field, so a non-zero first word is a
// version 1 length, a non-zero second word a version 2 length; two zeros start version 3. The
// version 4 marker followed by 4 starts version 4.
struct Layout {
    int version = 3;
    std::size_t headerBytes = kLineDataHeaderBytes;
    std::size_t firstField = 8;
};

Layout layoutOf(std::span<const std::uint8_t> bytes) {
    if (getInt32(bytes.data()) == kVersion4Marker && getInt32(bytes.data() + 4) == 4) {
        return {4, kLineDataVersion4HeaderBytes, 20};
    }
    if (getInt32(bytes.data()) != 0) {
        return {1, kLineDataVersion1HeaderBytes, 0};
    }
    if (getInt32(bytes.data() + 4) != 0) {
        return {2, kLineDataVersion2HeaderBytes, 4};
    }
    return {};
}

// The header's fields as stored, before any of them is trusted.
struct RawHeader {
    std::int32_t length = 0;
    std::int32_t direction = 0;
    std::array<std::int32_t, 6> flags{}; // loop, mode, synchro, the three synchro channels
    std::array<std::int32_t, kChannelCount> counts{};
    double hueOrigin = 0.0; // version 4
    int version = 3;
};

RawHeader readHeader(FieldReader& in, int version) {
    RawHeader h;
    h.version = version;
    h.length = in.int32();
    h.direction = in.int32();
    // Flags are stored as int32 (a byte for the version 2 loop).
    if (version >= 3) {
        for (std::int32_t& flag : h.flags) {
            flag = in.int32();
        }
    } else if (version == 2) {
        h.flags[0] = in.byte();
    }
    for (std::int32_t& count : h.counts) {
        count = in.int32();
    }
    if (version == 4) {
        h.hueOrigin = in.real();
    }
    return h;
}

// Checks the header and moves it into `doc`; the reason for a refusal, or nothing.
std::optional<std::string> applyHeader(const RawHeader& h, GradationDocument& doc) {
    if (h.length < kMinDots || h.length > kMaxDots) {
        return "length " + std::to_string(h.length) + " outside " + std::to_string(kMinDots) +
               ".." + std::to_string(kMaxDots);
    }
    if (h.direction < 0 || h.direction > 3) {
        return "direction " + std::to_string(h.direction) + " outside 0..3";
    }
    // The CMY flag is the colour mode in version 4, where it may also be 2 (OKLCh).
    const int maxMode = h.version == 4 ? 2 : 1;
    for (std::size_t k = 0; k < h.flags.size(); ++k) {
        if (h.flags[k] < 0 || h.flags[k] > (k == 1 ? maxMode : 1)) {
            return k == 1 && h.version == 4
                       ? "colour mode " + std::to_string(h.flags[k]) + " outside 0..2"
                       : std::string("a flag other than 0 or 1");
        }
    }
    if (!(h.hueOrigin >= 0.0 && h.hueOrigin < 360.0)) {
        return "hue origin outside 0..360";
    }
    doc.length = h.length;
    doc.direction = h.direction;
    doc.loop = h.flags[0] == 1;
    doc.mode = static_cast<ColorMode>(h.flags[1]);
    doc.hueOrigin = h.hueOrigin;
    doc.synchro = h.flags[2] == 1;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        doc.synchroChannels[ch] = h.flags[3 + ch] == 1;
    }
    const int minPoints = doc.loop ? 1 : 2;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        if (h.counts[ch] < minPoints || h.counts[ch] > kMaxPoints) {
            return "channel " + std::to_string(ch) + " point count " +
                   std::to_string(h.counts[ch]) + " outside " + std::to_string(minPoints) + ".." +
                   std::to_string(kMaxPoints);
        }
        doc.channels[ch].pointCount = h.counts[ch];
    }
    return std::nullopt;
}

// The file's size against what the header's counts need.
std::optional<std::string> checkSize(std::size_t size, std::size_t header,
                                     const GradationDocument& doc) {
    std::size_t expected = header;
    for (const ChannelCurve& curve : doc.channels) {
        expected += static_cast<std::size_t>(curve.pointCount) * kPointRecordBytes;
    }
    if (size < expected) {
        return "file too short (" + std::to_string(size) + " bytes, its counts need " +
               std::to_string(expected) + ")";
    }
    if (size > expected) {
        return "file longer than its counts say (" + std::to_string(size) + " bytes, expected " +
               std::to_string(expected) + ")";
    }
    return std::nullopt;
}

// Reads every channel's points; version 1 stored the anchors, and the control points are
// fitted to them.
std::optional<std::string> readPoints(FieldReader& in, int version, GradationDocument& doc) {
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc.channels[ch];
        auto& target = version == 1 ? curve.anchorPoints : curve.controlPoints;
        for (int i = 0; i < curve.pointCount; ++i) {
            target[i] = in.point();
            if (!withinBound(target[i])) {
                return "channel " + std::to_string(ch) + " point " + std::to_string(i) +
                       " has a coordinate that is not finite or beyond ±1e9";
            }
        }
        if (version != 1) {
            continue;
        }
        fitControlPoints(curve);
        for (int i = 0; i < curve.pointCount; ++i) {
            if (!withinBound(curve.controlPoints[i])) {
                return "channel " + std::to_string(ch) +
                       " anchors give control points that are not finite or beyond ±1e9";
            }
        }
    }
    return std::nullopt;
}

} // namespace

LineDataReadResult parseLineData(std::span<const std::uint8_t> bytes) {
    const std::size_t size = bytes.size();
    if (size < 8) {
        return refused("file too short (" + std::to_string(size) + " bytes)");
    }
    const Layout layout = layoutOf(bytes);
    if (size < layout.headerBytes) {
        return refused("file too short for its version " + std::to_string(layout.version) +
                       " header (" + std::to_string(size) + " bytes)");
    }
    auto doc = std::make_unique<GradationDocument>();
    FieldReader in(bytes, layout.firstField);
    std::optional<std::string> why = applyHeader(readHeader(in, layout.version), *doc);
    if (!why) {
        why = checkSize(size, layout.headerBytes, *doc);
    }
    if (!why) {
        why = readPoints(in, layout.version, *doc);
    }
    if (why) {
        return refused(std::move(*why));
    }

    LineDataReadResult result;
    result.version = layout.version;
    if (layout.version == 2) {
        result.warning = kVersion2Warning;
    } else if (layout.version == 1) {
        result.warning = kVersion1Warning;
    }
    result.document = std::move(doc);
    return result;
}

LineDataReadResult readLineDataFile(const std::filesystem::path& path) {
    // Non-blocking so that a named pipe cannot hang the reader; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return refused(std::string("cannot open: ") + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refused("not a regular file");
    }
    // One byte more than the largest valid file tells an over-long file without reading it all.
    std::vector<std::uint8_t> bytes(kLineDataMaxBytes + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return refused(std::string("cannot read: ") + std::strerror(err));
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > kLineDataMaxBytes) {
        return refused("file longer than any line data file");
    }
    bytes.resize(got);
    return parseLineData(bytes);
}

void copyLineData(GradationDocument& doc, const GradationDocument& read) {
    doc.settings() = read.settings();
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        doc.channels[ch].pointCount = read.channels[ch].pointCount;
        doc.channels[ch].controlPoints = read.channels[ch].controlPoints;
    }
    doc.currentChannel = 0;
}

void applyLineData(GradationDocument& doc, const GradationDocument& read) {
    copyLineData(doc, read);
    rebuildAllCurves(doc);
}

std::vector<std::uint8_t> encodeLineData(const GradationDocument& doc) {
    std::vector<std::uint8_t> out;
    out.reserve(kLineDataMaxBytes);
    const bool version4 = doc.oklch();
    if (version4) {
        appendInt32(out, kVersion4Marker);
        appendInt32(out, 4);
        for (int k = 0; k < 3; ++k) {
            appendInt32(out, 0); // where a version 1 reader looks for counts: no points
        }
    } else {
        appendInt32(out, 0);
        appendInt32(out, 0);
    }
    appendInt32(out, doc.length);
    appendInt32(out, doc.direction);
    appendInt32(out, doc.loop ? 1 : 0);
    appendInt32(out, static_cast<std::int32_t>(doc.mode));
    appendInt32(out, doc.synchro ? 1 : 0);
    for (bool flag : doc.synchroChannels) {
        appendInt32(out, flag ? 1 : 0);
    }
    // The tables hold 256 points; a count beyond that would read past them.
    std::array<int, kChannelCount> counts{};
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        counts[ch] = std::clamp(doc.channels[ch].pointCount, 0, kMaxPoints);
        appendInt32(out, counts[ch]);
    }
    if (version4) {
        appendDouble(out, doc.hueOrigin);
    }
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < counts[ch]; ++i) {
            appendDouble(out, doc.channels[ch].controlPoints[i].x);
            appendDouble(out, doc.channels[ch].controlPoints[i].y);
        }
    }
    return out;
}

FileResult writeLineDataFile(const std::filesystem::path& path, const GradationDocument& doc) {
    // Never write what the reader would refuse: the file could not be opened again.
    if (const std::string fault = documentFault(doc); !fault.empty()) {
        return FileResult::failure("not written: " + fault);
    }
    return writeFileAtomically(path, encodeLineData(doc));
}

} // namespace spectrane
