// SPDX-License-Identifier: GPL-3.0-or-later
// The line rules and the encoding decision of the preference format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/preference_file.h"

namespace {

using Kind = PreferenceEntry::Kind;

PreferenceEntry Header(std::string name) {
    return {Kind::GroupHeader, std::move(name), ""};
}
PreferenceEntry Comment(std::string text) {
    return {Kind::Comment, std::move(text), ""};
}
PreferenceEntry Key(std::string key, std::string value) {
    return {Kind::KeyValue, std::move(key), std::move(value)};
}

std::string Describe(const std::vector<PreferenceEntry>& entries) {
    std::string out;
    for (const PreferenceEntry& entry : entries) {
        switch (entry.kind) {
            case Kind::GroupHeader:
                out += "header<" + entry.name + ">\n";
                break;
            case Kind::Comment:
                out += "comment<" + entry.name + ">\n";
                break;
            case Kind::KeyValue:
                out += "key<" + entry.name + "> value<" + entry.value + ">\n";
                break;
        }
    }
    return out;
}

struct Row {
    const char* name;
    std::string bytes;
    std::vector<PreferenceEntry> expected;
};

void CheckRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Describe(ParsePreferenceText(row.bytes)), Describe(row.expected));
    }
}

TEST(PreferenceText, AcceptedLineVariants) {
    CheckRows({
        {"plain key", "Title = Fehler\r\n", {Key("Title", "Fehler")}},
        {"no blanks", "Title=Fehler", {Key("Title", "Fehler")}},
        {"blanks and tabs around equals", "Title \t=\t Fehler\n", {Key("Title", "Fehler")}},
        {"leading and trailing blanks", "   Title = Fehler   \n", {Key("Title", "Fehler   ")}},
        {"nothing after equals", "Title =\n", {Key("Title", "")}},
        {"key only", "Title\n", {Key("Title", "")}},
        {"key only with trailing blanks", "Title  \t\n", {Key("Title", "")}},
        {"value holds separators", "K = a=b;c[d]\n", {Key("K", "a=b;c[d]")}},
        {"header", "[Errors]\n", {Header("Errors")}},
        {"indented header", " \t[Errors]\n", {Header("Errors")}},
        {"header with comment after", "[Errors] ; texts\n", {Header("Errors")}},
        {"header blanks kept", "[ Errors ]\n", {Header(" Errors ")}},
        {"header without closing bracket", "[Errors\n", {Header("Errors")}},
        {"empty header", "[]\n", {Header("")}},
        {"comment with blank", "; note\n", {Comment("note")}},
        {"comment without blank", ";note\n", {Comment("note")}},
        {"comment keeps second blank", ";  note \n", {Comment(" note ")}},
        {"empty comment", ";\n", {Comment("")}},
        {"lf endings", "[A]\nK = v\n", {Header("A"), Key("K", "v")}},
        {"cr endings", "[A]\rK = v\r", {Header("A"), Key("K", "v")}},
        {"crlf endings and blank lines",
         "\r\n\r\n[A]\r\n\r\n   \r\nK = v\r\n\n\r",
         {Header("A"), Key("K", "v")}},
        {"no line end at the end", "[A]\r\nK = v", {Header("A"), Key("K", "v")}},
    });
}

TEST(PreferenceText, OddInputs) {
    CheckRows({
        {"empty file", "", {}},
        {"only line ends", "\r\n\n\r", {}},
        {"only blanks", "  \t  ", {}},
        {"empty key", "= value\n", {Key("", "value")}},
        {"second equals stays in value", "A == b\n", {Key("A", "= b")}},
        {"closing bracket first", "]x\n", {Key("]x", "")}},
        {"nul byte in value", std::string("K = a\0b\n", 8), {Key("K", std::string("a\0b", 3))}},
        {"mark only", "\xEF\xBB\xBF", {}},
        {"mark not at start", "K = \xEF\xBB\xBF\n", {Key("K", "\xEF\xBB\xBF")}},
        {"short file", "\xEF\xBB", {Key("\xC3\xAF\xC2\xBB", "")}},
        {"vertical tab is no blank", "\vK = v\n", {Key("\vK", "v")}},
    });
}

TEST(PreferenceText, EncodingDecision) {
    CheckRows({
        {"mark: rest taken as it stands", "\xEF\xBB\xBFK = \xC3\xBC\r\n", {Key("K", "\xC3\xBC")}},
        {"mark: broken utf-8 kept", "\xEF\xBB\xBFK = \xFC\r\n", {Key("K", "\xFC")}},
        {"no mark: latin-1 byte", "K = \xFC\r\n", {Key("K", "\xC3\xBC")}},
        {"no mark: valid utf-8", "K = \xC3\xBC\r\n", {Key("K", "\xC3\xBC")}},
        {"no mark: mixed bytes are latin-1",
         "K = \xC3\xBC \xFC\r\n",
         {Key("K", "\xC3\x83\xC2\xBC \xC3\xBC")}},
        {"no mark: ascii", "K = v\r\n", {Key("K", "v")}},
    });
}

TEST(PreferenceNames, CompareIgnoringAsciiLetterCaseOnly) {
    struct NameRow {
        const char* name;
        std::string a;
        std::string b;
        bool equal;
    };
    const NameRow rows[] = {
        {"same", "Errors", "Errors", true},
        {"capitals", "errors", "ERRORS", true},
        {"length differs", "Error", "Errors", false},
        {"umlaut case differs", "\xC3\xBC", "\xC3\x9C", false},
        {"bracket and brace", "[", "{", false},
        {"at sign and backquote", "@", "`", false},
        {"empty", "", "", true},
    };
    for (const NameRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PreferenceNamesEqual(row.a, row.b), row.equal);
    }
}

}  // namespace

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whatever the bytes, parsing ends and every entry obeys the line rules.
TEST(PreferenceText, ArbitraryBytesGiveWellFormedEntries) {
    std::uint32_t seed = 12345;
    const char alphabet[] = {'[', ']',    '=',    ';',    ' ',    '\t',   '\r',   '\n', 'a',
                             'K', '\xC3', '\xBC', '\xEF', '\xBB', '\xBF', '\xFC', '\0'};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int length = int(seed % 40);
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes.push_back(alphabet[(seed >> 16) % sizeof(alphabet)]);
        }
        seed = seed * 1103515245u + 12345u;
        SCOPED_TRACE(round);
        for (const PreferenceEntry& entry : ParsePreferenceText(bytes)) {
            const std::string all = entry.name + entry.value;
            EXPECT_EQ(all.find_first_of("\r\n"), std::string::npos);
            if (entry.kind != PreferenceEntry::Kind::KeyValue) continue;
            EXPECT_EQ(entry.name.find('='), std::string::npos);
            if (!entry.name.empty()) {
                EXPECT_FALSE(IsBlank(entry.name.front()) || IsBlank(entry.name.back()));
                EXPECT_NE(entry.name.front(), ';');
                EXPECT_NE(entry.name.front(), '[');
            }
            if (!entry.value.empty()) {
                EXPECT_FALSE(IsBlank(entry.value.front()));
            }
        }
    }
}

}  // namespace
