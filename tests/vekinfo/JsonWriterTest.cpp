// vekinfo's JSON writer: strings come out as valid JSON whatever bytes a driver returns, numbers
// as numbers, and a section that fails halfway still closes what it opened.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "JsonWriter.h"

namespace {

using vekinfo::JsonWriter;

TEST(JsonWriter, QuotesEscapeWhatJsonForbidsAndPassUtf8) {
    const struct {
        std::string text;
        std::string quoted;
    } rows[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"line\nbreak", "\"line\\nbreak\""},
        {"tab\tcr\rbs\bff\f", "\"tab\\tcr\\rbs\\bff\\f\""},
        {std::string("nul\0end", 7), "\"nul\\u0000end\""},
        {"\x01\x1f", "\"\\u0001\\u001f\""},
        {"del\x7f", "\"del\x7f\""},
        {"caf\xc3\xa9", "\"caf\xc3\xa9\""},                        // two bytes
        {"\xe2\x82\xac", "\"\xe2\x82\xac\""},                      // three bytes
        {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},              // four bytes
        {"bad\xff", "\"bad\\ufffd\""},                             // never a UTF-8 byte
        {"cut\xc3", "\"cut\\ufffd\""},                             // sequence cut short
        {"\xc3x", "\"\\ufffdx\""},                                 // no continuation byte
        {"\xc0\xaf", "\"\\ufffd\\ufffd\""},                        // overlong '/'
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},             // a surrogate
        {"\xf4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},  // past U+10FFFF
    };
    for (const auto& row : rows) {
        EXPECT_EQ(JsonWriter::Quote(row.text), row.quoted) << row.quoted;
    }
}

TEST(JsonWriter, WritesNumbersAndBooleansAsSuchAndClosesAFailedSection) {
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject();
    json.member("count", 3);
    json.member("big", static_cast<std::uint64_t>(18446744073709551615u));
    json.member("negative", static_cast<std::int64_t>(-2));
    json.member("tenth", 0.1);
    json.member("nan", std::nan(""));
    json.member("yes", true);
    json.key("empty");
    json.beginArray();
    json.endArray();
    json.key("section");
    json.beginObject();
    const std::size_t depth = json.depth();
    json.key("list");
    json.beginArray();
    json.value("a");
    json.beginObject();
    json.key("pending");
    json.closeTo(depth);
    json.member("error", "failed");
    json.endObject();
    json.endObject();
    json.finish();
    EXPECT_EQ(out.str(),
              "{\n"
              "  \"count\": 3,\n"
              "  \"big\": 18446744073709551615,\n"
              "  \"negative\": -2,\n"
              "  \"tenth\": 0.1,\n"
              "  \"nan\": null,\n"
              "  \"yes\": true,\n"
              "  \"empty\": [],\n"
              "  \"section\": {\n"
              "    \"list\": [\n"
              "      \"a\",\n"
              "      {\n"
              "        \"pending\": null\n"
              "      }\n"
              "    ],\n"
              "    \"error\": \"failed\"\n"
              "  }\n"
              "}\n");
    // Misuse is refused rather than written as broken JSON.
    EXPECT_THROW(json.key("outside"), std::logic_error);
}

}  // namespace
