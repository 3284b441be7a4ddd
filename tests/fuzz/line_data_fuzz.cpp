// libFuzzer entry for the line data reader: any bytes are either refused cleanly or give a
// document that evaluates within 0..255 and survives a save and re-read bit for bit.
#include "files/line_data_file.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace spectrane;

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LineDataReadResult read = parseLineData({data, size});
    if (!read) {
        check(read.document == nullptr && read.status.message == kFileOpenFailedMessage);
        return 0;
    }
    static auto doc = std::make_unique<GradationDocument>();
    applyLineData(*doc, *read.document);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int dot = 0; dot < doc->length; ++dot) {
            const int level = doc->colorLine.level(ch, dot);
            check(level >= 0 && level <= 255);
        }
    }
    const std::vector<std::uint8_t> saved = encodeLineData(*doc);
    if (read.version == 3) {
        check(saved.size() == size && std::equal(saved.begin(), saved.end(), data));
    }
    const LineDataReadResult again = parseLineData(saved);
    check(again && again.version == 3 && encodeLineData(*again.document) == saved);
    return 0;
}
