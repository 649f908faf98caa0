#include "windows_private_use.h"

namespace tarvex {

namespace {

struct Bytes
{
    std::uint8_t first;
    std::uint8_t last;
};

// An area: every lead byte of `leads`, in turn, with each of its trail bytes in ascending order.
struct Area
{
    Bytes leads;
    Bytes trails;
    Bytes moreTrails;
};

struct Codes
{
    std::uint16_t first;
    std::uint16_t last;
};

constexpr Bytes kNoTrails = {1, 0};

// clang-format off
constexpr Area kUserDefinedAreas[] = {
    // leads        trails         more trails
    {{0xAA, 0xAF}, {0xA1, 0xFE}, kNoTrails},
    {{0xF8, 0xFE}, {0xA1, 0xFE}, kNoTrails},
    {{0xA1, 0xA7}, {0x40, 0x7E}, {0x80, 0xA0}},
};

// In code order, after the user-defined areas.
constexpr Codes kUnassignedCodes[] = {
    {0xA2AB, 0xA2B0}, {0xA2E3, 0xA2E4}, {0xA2EF, 0xA2F0}, {0xA2FD, 0xA2FE},
    {0xA4F4, 0xA4FE}, {0xA5F7, 0xA5FE}, {0xA6B9, 0xA6C0}, {0xA6D9, 0xA6DF},
    {0xA6EC, 0xA6ED}, {0xA6F3, 0xA6F3}, {0xA6F6, 0xA6FE}, {0xA7C2, 0xA7D0},
    {0xA7F2, 0xA7FE}, {0xA896, 0xA8A0}, {0xA8BC, 0xA8BC}, {0xA8BF, 0xA8BF},
    {0xA8C1, 0xA8C4}, {0xA8EA, 0xA8FE}, {0xA958, 0xA958}, {0xA95B, 0xA95B},
    {0xA95D, 0xA95F}, {0xA989, 0xA995}, {0xA997, 0xA9A3}, {0xA9F0, 0xA9FE},
    {0xD7FA, 0xD7FE}, {0xFE50, 0xFE7E}, {0xFE80, 0xFEA0},
};
// clang-format on

void appendRange(std::vector<std::uint16_t> &codes, unsigned first, unsigned last)
{
    for (unsigned code = first; code <= last; ++code)
        codes.push_back(static_cast<std::uint16_t>(code));
}

} // namespace

std::vector<std::uint16_t> windowsPrivateUseCodes()
{
    std::vector<std::uint16_t> codes;
    for (const Area &area : kUserDefinedAreas) {
        for (unsigned lead = area.leads.first; lead <= area.leads.last; ++lead) {
            for (const Bytes &trails : {area.trails, area.moreTrails})
                appendRange(codes, lead << 8 | trails.first, lead << 8 | trails.last);
        }
    }
    for (const Codes &range : kUnassignedCodes)
        appendRange(codes, range.first, range.last);
    return codes;
}

} // namespace tarvex
