// Little-endian fields of the program's binary files, read from and appended to byte buffers.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace spectrane {

inline std::uint32_t getUint32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t getInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(getUint32(p));
}

inline double getDouble(const std::uint8_t* p) {
    const std::uint64_t v = getUint32(p) | (std::uint64_t{getUint32(p + 4)} << 32);
    return std::bit_cast<double>(v);
}

// Writes the low `bytes` bytes of v at p.
inline void putLittleEndian(std::uint8_t* p, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

inline void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

inline void appendInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
    appendLittleEndian(out, static_cast<std::uint32_t>(v), 4);
}

inline void appendDouble(std::vector<std::uint8_t>& out, double v) {
    appendLittleEndian(out, std::bit_cast<std::uint64_t>(v), 8);
}

} // namespace spectrane
