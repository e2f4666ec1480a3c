// The bytes hosts see of the factory presets and of the processor state, for
// the processor's and the controller's tests alike.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace ferrulith::test
{

using Bytes = std::vector<uint8_t>;

// "default" (row 0) and "Well boosted" (row 6) as program data: their eight
// values as little-endian 32-bit floats.
inline const Bytes kDefaultRowBytes = {
    0xCD, 0xCC, 0xCC, 0x3E, 0x10, 0x58, 0x19, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x66, 0x66, 0x26, 0x3F,
    0xCE, 0xCC, 0xCC, 0x3E, 0x00, 0x00, 0x00, 0x3F, 0x5C, 0x8F, 0x42, 0x3E, 0xF6, 0x28, 0x1C, 0x3F};
inline const Bytes kWellBoostedRowBytes = {
    0x5D, 0x0A, 0x57, 0x3E, 0x2A, 0x5C, 0x8F, 0x3E, 0xB5, 0x47, 0x61, 0x3E, 0xD7, 0xA3, 0xF0, 0x3E,
    0xA6, 0x70, 0xBD, 0x3E, 0xCB, 0xCC, 0xCC, 0x3E, 0xD6, 0xCC, 0x4C, 0x3E, 0x00, 0x00, 0x80, 0x3F};

// A processor state: the 16-bit bypass flag, then eight normalized values,
// little-endian.
inline Bytes stateBytes(uint16_t flag, const float (&normalized)[8])
{
    Bytes bytes{static_cast<uint8_t>(flag & 0xFF), static_cast<uint8_t>(flag >> 8)};
    for (float value : normalized)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int b = 0; b < 4; ++b)
            bytes.push_back(static_cast<uint8_t>(bits >> (8 * b)));
    }
    return bytes;
}

// The 34 bytes a processor saves before anything changed it: bypass off and
// the "default" preset's values.
inline Bytes freshStateBytes()
{
    Bytes bytes{0x00, 0x00};
    bytes.insert(bytes.end(), kDefaultRowBytes.begin(), kDefaultRowBytes.end());
    return bytes;
}

} // namespace ferrulith::test
