#include "conformance_protocol.h"

#include <gtest/gtest.h>

namespace tarvex::conformance {
namespace {

struct ExchangeCase
{
    const char *name;
    const char *request;
    const char *response;
};

TEST(ConformanceProtocol, answersEachRequestKind)
{
    const ExchangeCase cases[] = {
        {"procedure", "M z16_2 0031 - - -", "ok 0031 003000300031 - -"},
        {"procedurePadsSource", "M z2_16 0031 0041 - -", "ok 0030003000300031 0031 - -"},
        {"procedureOverflowKeepsState", "M z16_10 00380030003000300030003000300030 - - -",
         "overflow 00380030003000300030003000300030 "
         "0031003000300030003000300030003000300030003000300030003000300030"
         "0030003000300030003000300030003000300030003000300030003000300030 "
         "0031003000300030003000300030003000300030003000300030003000300030"
         "0030003000300030003000300030003000300030003000300030003000300030 -"},
        {"functionWithInteger", "M z10_2 - - - 5", "ok - - - 003100300031"},
        {"functionWithNegativeInteger", "M z10_2 0041 - - -5", "ok 0041 - - -"},
        {"functionWithText", "M z2_10 - - - 003100300031", "ok - - - 0035"},
        {"functionOverflow",
         "M z2_10 - - - 0031003000300030003000300030003000300030003000300030003000300030"
         "0030003000300030003000300030003000300030003000300030003000300030",
         "overflow - - - -"},
        {"text1Procedure", "M z10_16 - - 0042 00320035003500",
         "error string field length is not a multiple of 4"},
        {"text1ProcedureValid", "M z10_16 - - 0042 003200350035",
         "ok 00310031003100310031003100310031 00460046 0042 -"},
        {"convert", "C 16 10 0041 - -", "00310030 0"},
        {"convertWithMessages", "C 10 10 - 0058 -",
         "0058 2 8F9351656E906570636E 8BF790094E0D540C76848FDB5236"},
        {"convertOutOfRange", "C 10 16 0032003100340037003400380033003600340038 - 00310030",
         "- 1 6570503C8D8551FA830356F4"},
        {"encode", "E 4E2D0041", "004400360044003000340031"},
        {"decode", "D 0064003600640030", "4E2D"},
        {"emptyDecode", "D -", "-"},
        {"carriageReturnTolerated", "D -\r", "-"},
        {"emptyLine", "", "error empty request"},
        {"unknownKind", "X 1", "error unknown request X"},
        {"unknownMethod", "M z3_10 - - - -", "error unknown method z3_10"},
        {"wrongFieldCount", "M z16_2 - - -", "error expected 5 fields after M"},
        {"doubleBlank", "E  -", "error empty field"},
        {"notHex", "E 00G1", "error string field is not hexadecimal"},
        {"argumentForProcedure", "M z16_2 - - - 0031", "error method z16_2 takes no argument"},
        {"integerOutOfRange", "M z10_2 - - - 2147483648",
         "error argument is not a 32-bit decimal integer"},
        {"badBase", "C 3 10 0031 - -", "error base must be 2, 8, 10 or 16"},
    };
    for (const ExchangeCase &c : cases)
        EXPECT_EQ(respond(c.request), c.response) << c.name;
}

} // namespace
} // namespace tarvex::conformance
