// The byte order of every number in the game's files, whatever the host's.
#pragma once

#include <cstdint>

inline std::uint16_t ReadUint16Le(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

inline std::uint32_t ReadUint32Le(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

inline void WriteUint16Le(std::uint16_t value, unsigned char* bytes) {
    bytes[0] = static_cast<unsigned char>(value);
    bytes[1] = static_cast<unsigned char>(value >> 8);
}

inline void WriteUint32Le(std::uint32_t value, unsigned char* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// The same at the end of a std::string or a byte vector, as files are built.
template <class Bytes>
void AppendUint16Le(Bytes& bytes, std::uint16_t value) {
    using Byte = typename Bytes::value_type;
    bytes.push_back(static_cast<Byte>(value & 0xFF));
    bytes.push_back(static_cast<Byte>(value >> 8));
}

template <class Bytes>
void AppendUint32Le(Bytes& bytes, std::uint32_t value) {
    AppendUint16Le(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    AppendUint16Le(bytes, static_cast<std::uint16_t>(value >> 16));
}
