// Writes the code page 936 tables of the program (core/cp936_tables.h) as a C++ source file,
// from the C library's CP936 converter and the private-use characters that Windows adds to it,
// and checks them before it writes anything: every two-byte character must encode back to its
// own two bytes, and no byte below the first lead byte may lead a pair. Run by the build.
//   tarvex-generate-cp936-tables OUTPUT.cpp
#include "core/cp936_tables.h"
#include "iconv_converter.h"
#include "windows_private_use.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace {

using tarvex::IconvConverter;
using tarvex::cp936_tables::kFirstLeadByte;
using tarvex::cp936_tables::kNoCharacter;

constexpr std::uint16_t kQuestionMark = 0x3F;

std::uint16_t encodeUnit(IconvConverter &converter, char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return kQuestionMark;
    const std::array<std::byte, 2> utf16le = {std::byte(unit & 0xFF), std::byte(unit >> 8)};
    const auto bytes = converter.convert(utf16le);
    if (!bytes || bytes->empty() || bytes->size() > 2)
        return kQuestionMark;
    std::uint16_t code = 0;
    for (char byte : *bytes)
        code = static_cast<std::uint16_t>(code << 8 | static_cast<std::uint8_t>(byte));
    return code;
}

// The one character that one or two bytes stand for, or kNoCharacter.
char16_t decodeBytes(IconvConverter &converter, std::span<const std::byte> bytes)
{
    const auto utf16le = converter.convert(bytes);
    if (!utf16le || utf16le->size() != 2)
        return kNoCharacter;
    return static_cast<char16_t>(static_cast<std::uint8_t>((*utf16le)[0]) |
                                 static_cast<std::uint8_t>((*utf16le)[1]) << 8);
}

struct Tables
{
    std::vector<std::uint16_t> codes = std::vector<std::uint16_t>(0x10000);
    std::vector<char16_t> singles = std::vector<char16_t>(0x100, kNoCharacter);
    std::vector<char16_t> pairs = std::vector<char16_t>(0x8000, kNoCharacter);
};

Tables readConverter()
{
    Tables tables;
    IconvConverter encoder("CP936", "UTF-16LE");
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit)
        tables.codes[unit] = encodeUnit(encoder, static_cast<char16_t>(unit));

    IconvConverter decoder("UTF-16LE", "CP936");
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        const std::array<std::byte, 1> one = {std::byte(byte)};
        tables.singles[byte] = decodeBytes(decoder, one);
    }
    for (unsigned first = kFirstLeadByte; first <= 0xFF; ++first) {
        if (tables.singles[first] != kNoCharacter)
            continue;
        for (unsigned second = 0; second <= 0xFF; ++second) {
            const std::array<std::byte, 2> two = {std::byte(first), std::byte(second)};
            tables.pairs[(first - kFirstLeadByte) << 8 | second] = decodeBytes(decoder, two);
        }
    }
    return tables;
}

std::string hex(unsigned value)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", value);
    return digits;
}

// Adds what Windows has beyond the C library's converter. Windows only fills gaps: a code or a
// character that the converter already maps is a problem.
void addWindowsPrivateUse(Tables &tables, std::vector<std::string> &found)
{
    const std::vector<std::uint16_t> codes = tarvex::windowsPrivateUseCodes();
    auto ch = static_cast<char16_t>(tarvex::kFirstWindowsPrivateUse);
    for (const std::uint16_t code : codes) {
        char16_t &pair = tables.pairs[code - (kFirstLeadByte << 8)];
        if (pair != kNoCharacter || tables.codes[ch] != kQuestionMark)
            found.push_back("Windows' private-use " + hex(code) + " is mapped already");
        pair = ch;
        tables.codes[ch] = code;
        ++ch;
    }
    // Windows' block ends at U+E864; a miscounted area would shift every character after it.
    if (ch != u'\uE865')
        found.push_back("Windows' private-use characters end at " + hex(ch - 1u) + ", not E864");
    tables.codes[tarvex::kWindowsOneWayCharacter] = tarvex::kWindowsOneWayCode;
}

// The problems that would make the tables wrong for the program; none is expected.
std::vector<std::string> problems(const Tables &tables, std::size_t &twoByteCharacters)
{
    std::vector<std::string> found;
    for (unsigned byte = 0; byte < kFirstLeadByte; ++byte)
        if (tables.singles[byte] == kNoCharacter)
            found.push_back("byte " + std::to_string(byte) +
                            " below the lead bytes is no character");
    twoByteCharacters = 0;
    for (std::size_t index = 0; index < tables.pairs.size(); ++index) {
        const char16_t ch = tables.pairs[index];
        if (ch == kNoCharacter)
            continue;
        ++twoByteCharacters;
        const auto pair = static_cast<std::uint16_t>(index + (kFirstLeadByte << 8));
        if (tables.codes[ch] != pair)
            found.push_back("pair " + std::to_string(pair) + " does not encode back");
    }
    // Several characters may share a code (the converter maps some one way only), but every
    // code written must decode to a character.
    for (std::size_t unit = 0; unit < tables.codes.size(); ++unit) {
        const std::uint16_t code = tables.codes[unit];
        if (unit == tarvex::kWindowsOneWayCharacter)
            continue;
        const bool decodes = code > 0xFF
                                 ? code >= (kFirstLeadByte << 8) &&
                                       tables.pairs[code - (kFirstLeadByte << 8)] != kNoCharacter
                                 : tables.singles[code] != kNoCharacter;
        if (!decodes)
            found.push_back("the code of unit " + std::to_string(unit) + " decodes to nothing");
    }
    return found;
}

template<typename Value>
void writeArray(std::ofstream &out, const char *declaration, const std::vector<Value> &values)
{
    out << declaration << " = {\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "0x%04X,", static_cast<unsigned>(values[i]));
        out << number << ((i % 12 == 11) ? '\n' : ' ');
    }
    out << "};\n\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: tarvex-generate-cp936-tables OUTPUT.cpp\n", stderr);
        return EXIT_FAILURE;
    }
    try {
        Tables tables = readConverter();
        std::vector<std::string> found;
        addWindowsPrivateUse(tables, found);
        std::size_t twoByteCharacters = 0;
        const std::vector<std::string> more = problems(tables, twoByteCharacters);
        found.insert(found.end(), more.begin(), more.end());
        if (!found.empty()) {
            std::fprintf(stderr, "CP936 tables: %zu problems, the first: %s\n", found.size(),
                         found.front().c_str());
            return EXIT_FAILURE;
        }
        std::ofstream out(argv[1]);
        out << "// Written by tarvex-generate-cp936-tables from the C library's CP936 converter "
               "and Windows' private-use characters; do not edit.\n"
               "#include \"core/cp936_tables.h\"\n\nnamespace tarvex::cp936_tables {\n\n";
        writeArray(out, "const std::array<std::uint16_t, 0x10000> kCodes", tables.codes);
        writeArray(out, "const std::array<char16_t, 0x100> kSingles", tables.singles);
        writeArray(out, "const std::array<char16_t, 0x8000> kPairs", tables.pairs);
        out << "} // namespace tarvex::cp936_tables\n";
        out.close();
        if (!out) {
            std::fprintf(stderr, "CP936 tables: cannot write %s\n", argv[1]);
            return EXIT_FAILURE;
        }
        std::printf("CP936 tables: %zu two-byte characters, each encodes back to its bytes\n",
                    twoByteCharacters);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "CP936 tables: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
