#include "conformance_protocol.h"

#include "core/convert_command.h"
#include "core/overflow_error.h"
#include "core/radix_conversions.h"
#include "core/text_codes.h"
#include "recording_window.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tarvex::conformance {

namespace {

// A malformed request; its message is the reason given back.
class BadRequest : public std::runtime_error
{
    using std::runtime_error::runtime_error;
};

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = line.find(' ', start);
        fields.push_back(line.substr(start, blank - start));
        if (blank == std::string_view::npos)
            break;
        start = blank + 1;
    }
    for (std::string_view field : fields)
        if (field.empty())
            throw BadRequest("empty field");
    return fields;
}

std::u16string decodeUnits(std::string_view field)
{
    if (field == "-")
        return {};
    if (field.size() % 4 != 0)
        throw BadRequest("string field length is not a multiple of 4");
    std::u16string units;
    for (std::size_t i = 0; i < field.size(); i += 4) {
        std::uint16_t unit = 0;
        const char *end = field.data() + i + 4;
        const auto [ptr, ec] = std::from_chars(field.data() + i, end, unit, 16);
        if (ec != std::errc() || ptr != end)
            throw BadRequest("string field is not hexadecimal");
        units.push_back(static_cast<char16_t>(unit));
    }
    return units;
}

std::string encodeUnits(std::u16string_view units)
{
    if (units.empty())
        return "-";
    static constexpr std::string_view digits = "0123456789ABCDEF";
    std::string field;
    field.reserve(units.size() * 4);
    for (char16_t unit : units)
        for (int shift = 12; shift >= 0; shift -= 4)
            field.push_back(digits[(unit >> shift) & 0xF]);
    return field;
}

std::int32_t decodeInt32(std::string_view field)
{
    std::int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size())
        throw BadRequest("argument is not a 32-bit decimal integer");
    return value;
}

void expectFieldCount(const std::vector<std::string_view> &fields, std::size_t count)
{
    if (fields.size() != count)
        throw BadRequest("expected " + std::to_string(count - 1) + " fields after " +
                         std::string(fields.front()));
}

enum class ArgumentKind { None, Text, Integer };

struct MethodEntry
{
    ArgumentKind argument;
    // Runs the method; returns its result for the two functions, nullopt for procedures.
    std::function<std::optional<std::u16string>(RadixConversions &, std::string_view arg)> run;
};

template<void (RadixConversions::*method)()> MethodEntry procedure()
{
    return {ArgumentKind::None, [](RadixConversions &c, std::string_view) {
                (c.*method)();
                return std::optional<std::u16string>();
            }};
}

template<void (RadixConversions::*method)(std::u16string_view)> MethodEntry procedureOnText1()
{
    return {ArgumentKind::Text, [](RadixConversions &c, std::string_view arg) {
                (c.*method)(decodeUnits(arg));
                return std::optional<std::u16string>();
            }};
}

const std::map<std::string_view, MethodEntry> &methods()
{
    using R = RadixConversions;
    static const std::map<std::string_view, MethodEntry> table = {
        {"z16_2", procedure<&R::z16_2>()},
        {"z8_2", procedure<&R::z8_2>()},
        {"z2_16", procedure<&R::z2_16>()},
        {"z2_8", procedure<&R::z2_8>()},
        {"z8_16", procedure<&R::z8_16>()},
        {"z16_8", procedure<&R::z16_8>()},
        {"z16_10", procedure<&R::z16_10>()},
        {"z8_10", procedure<&R::z8_10>()},
        {"z10_16", procedureOnText1<&R::z10_16>()},
        {"z10_8", procedureOnText1<&R::z10_8>()},
        {"z10_2",
         {ArgumentKind::Integer,
          [](R &, std::string_view arg) { return std::optional(R::z10_2(decodeInt32(arg))); }}},
        {"z2_10",
         {ArgumentKind::Text,
          [](R &, std::string_view arg) { return std::optional(R::z2_10(decodeUnits(arg))); }}},
    };
    return table;
}

std::string runMethod(const std::vector<std::string_view> &fields)
{
    expectFieldCount(fields, 6);
    const auto entry = methods().find(fields[1]);
    if (entry == methods().end())
        throw BadRequest("unknown method " + std::string(fields[1]));
    const std::string_view arg = fields[5];
    if (entry->second.argument == ArgumentKind::None && arg != "-")
        throw BadRequest("method " + std::string(fields[1]) + " takes no argument");
    if (entry->second.argument == ArgumentKind::Integer)
        decodeInt32(arg);
    if (entry->second.argument == ArgumentKind::Text)
        decodeUnits(arg);

    RadixConversions conversions;
    conversions.strSource = decodeUnits(fields[2]);
    conversions.strResult = decodeUnits(fields[3]);
    conversions.strBinary = decodeUnits(fields[4]);
    std::string status = "ok";
    std::string returned = "-";
    try {
        if (const auto result = entry->second.run(conversions, arg))
            returned = encodeUnits(*result);
    } catch (const OverflowError &) {
        status = "overflow";
    }
    return status + ' ' + encodeUnits(conversions.strSource) + ' ' +
           encodeUnits(conversions.strResult) + ' ' + encodeUnits(conversions.strBinary) + ' ' +
           returned;
}

// The input (first) or output (second) button of a base.
std::pair<OptionButton, OptionButton> baseButtons(std::string_view base)
{
    using enum OptionButton;
    if (base == "2")
        return {Option1, Option5};
    if (base == "8")
        return {Option2, Option6};
    if (base == "10")
        return {Option3, Option7};
    if (base == "16")
        return {Option4, Option8};
    throw BadRequest("base must be 2, 8, 10 or 16");
}

std::string runConvert(const std::vector<std::string_view> &fields)
{
    expectFieldCount(fields, 6);
    RecordingWindow window;
    window.setButtons = {baseButtons(fields[1]).first, baseButtons(fields[2]).second};
    window.text1Box = decodeUnits(fields[3]);
    window.text2Box = decodeUnits(fields[4]);
    window.workingStrings.strResult = decodeUnits(fields[5]);

    runConvertCommand(window);

    std::string response =
        encodeUnits(window.text2Box) + ' ' + std::to_string(window.messages.size());
    for (const std::u16string &message : window.messages)
        response += ' ' + encodeUnits(message);
    return response;
}

std::string runTextCodes(const std::vector<std::string_view> &fields,
                         std::u16string (*conversion)(std::u16string_view))
{
    expectFieldCount(fields, 2);
    return encodeUnits(conversion(decodeUnits(fields[1])));
}

} // namespace

std::string respond(std::string_view request)
{
    if (!request.empty() && request.back() == '\r')
        request.remove_suffix(1);
    try {
        if (request.empty())
            throw BadRequest("empty request");
        const std::vector<std::string_view> fields = splitFields(request);
        const std::string_view kind = fields.front();
        if (kind == "M")
            return runMethod(fields);
        if (kind == "C")
            return runConvert(fields);
        if (kind == "E")
            return runTextCodes(fields, TextToHexCodes);
        if (kind == "D")
            return runTextCodes(fields, HexCodesToText);
        throw BadRequest("unknown request " + std::string(kind));
    } catch (const BadRequest &bad) {
        return std::string("error ") + bad.what();
    }
}

} // namespace tarvex::conformance
