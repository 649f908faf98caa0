#pragma once

#include <string>
#include <string_view>

namespace tarvex::conformance {

// Answers one request line of the conformance protocol with one response line (without its
// line end). A malformed request is answered with "error <reason>"; nothing throws.
//
//   M <method> <strSource> <strResult> <strBinary> <arg>
//       -> <ok|overflow> <strSource> <strResult> <strBinary> <returned>
//   C <inBase> <outBase> <text1> <text2> <strResult>
//       -> <text2 after> <n> <message 1> ... <message n>
//   E <text>  -> TextToHexCodes of the text
//   D <text>  -> HexCodesToText of the text
//
// Strings travel as their UTF-16 code units, four upper-case hexadecimal digits each, and the
// empty string as "-". The z10_2 argument is a plain decimal integer; bases are 2, 8, 10, 16.
[[nodiscard]] std::string respond(std::string_view request);

} // namespace tarvex::conformance
