#include "files/line_data_file.h"

#include "files/atomic_write.h"
#include "files/little_endian.h"
#include "model/curve_rebuild.h"
#include "model/document_check.h"
#include "model/spline.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

} // namespace

LineDataReadResult parseLineData(std::span<const std::uint8_t> bytes) {
    const std::size_t size = bytes.size();
    if (size < 8) {
        return refused("file too short (" + std::to_string(size) + " bytes)");
    }
    // No version field: a non-zero first word is a version 1 length, a non-zero second word a
    // version 2 length; two zeros start version 3.
    int version = 3;
    std::size_t header = kLineDataHeaderBytes;
    if (getInt32(bytes.data()) != 0) {
        version = 1;
        header = kLineDataVersion1HeaderBytes;
    } else if (getInt32(bytes.data() + 4) != 0) {
        version = 2;
        header = kLineDataVersion2HeaderBytes;
    }
    if (size < header) {
        return refused("file too short for its version " + std::to_string(version) + " header (" +
                       std::to_string(size) + " bytes)");
    }

    auto doc = std::make_unique<GradationDocument>();
    FieldReader in(bytes, version == 3 ? 8 : (version == 2 ? 4 : 0));
    doc->length = in.int32();
    doc->direction = in.int32();
    // Flags are stored as int32 (a byte for the version 2 loop) and must be 0 or 1.
    std::array<std::int32_t, 6> flags{}; // loop, cmy, synchro, the three synchro channels
    if (version == 3) {
        for (std::int32_t& flag : flags) {
            flag = in.int32();
        }
    } else if (version == 2) {
        flags[0] = in.byte();
    }
    std::array<std::int32_t, kChannelCount> counts{};
    for (std::int32_t& count : counts) {
        count = in.int32();
    }

    if (doc->length < kMinDots || doc->length > kMaxDots) {
        return refused("length " + std::to_string(doc->length) + " outside 2..1600");
    }
    if (doc->direction < 0 || doc->direction > 3) {
        return refused("direction " + std::to_string(doc->direction) + " outside 0..3");
    }
    if (!std::all_of(flags.begin(), flags.end(), [](std::int32_t f) { return f == 0 || f == 1; })) {
        return refused("a flag other than 0 or 1");
    }
    doc->loop = flags[0] == 1;
    doc->cmy = flags[1] == 1;
    doc->synchro = flags[2] == 1;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        doc->synchroChannels[ch] = flags[3 + ch] == 1;
    }
    const int minPoints = doc->loop ? 1 : 2;
    std::size_t expected = header;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        if (counts[ch] < minPoints || counts[ch] > kMaxPoints) {
            return refused("channel " + std::to_string(ch) + " point count " +
                           std::to_string(counts[ch]) + " outside " + std::to_string(minPoints) +
                           "..256");
        }
        expected += static_cast<std::size_t>(counts[ch]) * kPointRecordBytes;
    }
    if (size < expected) {
        return refused("file too short (" + std::to_string(size) + " bytes, its counts need " +
                       std::to_string(expected) + ")");
    }
    if (size > expected) {
        return refused("file longer than its counts say (" + std::to_string(size) +
                       " bytes, expected " + std::to_string(expected) + ")");
    }

    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc->channels[ch];
        curve.pointCount = counts[ch];
        // Version 1 stored the anchors; the control points are fitted to them.
        auto& target = version == 1 ? curve.anchorPoints : curve.controlPoints;
        for (int i = 0; i < curve.pointCount; ++i) {
            target[i] = in.point();
            if (!withinBound(target[i])) {
                return refused("channel " + std::to_string(ch) + " point " + std::to_string(i) +
                               " has a coordinate that is not finite or beyond ±1e9");
            }
        }
        if (version == 1) {
            fitControlPoints(curve);
            for (int i = 0; i < curve.pointCount; ++i) {
                if (!withinBound(curve.controlPoints[i])) {
                    return refused("channel " + std::to_string(ch) +
                                   " anchors give control points that are not finite or beyond "
                                   "±1e9");
                }
            }
        }
    }

    LineDataReadResult result;
    result.version = version;
    if (version == 2) {
        result.warning = kVersion2Warning;
    } else if (version == 1) {
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
    appendInt32(out, 0);
    appendInt32(out, 0);
    appendInt32(out, doc.length);
    appendInt32(out, doc.direction);
    appendInt32(out, doc.loop ? 1 : 0);
    appendInt32(out, doc.cmy ? 1 : 0);
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
