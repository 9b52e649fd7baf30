// The Marshal value tree: every kind of value read and written back byte for byte, bad dumps
// refused, and an edited tree keeping the sharing of the values it was not asked to change.

#include "game/marshal_tree.h"
#include "support/message_texts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using game::cMarshalTree;
using game::eMarshalKind;
using game::MarshalRef;

namespace {

std::vector<uint8_t> Hex(const std::string& text) {
    std::vector<uint8_t> out;
    std::istringstream in(text);
    std::string byte;
    while (in >> byte)
        out.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
    return out;
}

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& bytes, strMessage* error = nullptr) {
    cMarshalTree tree;
    std::vector<uint8_t> out;
    if (!game::ReadMarshalTree(bytes, tree, error)) return {};
    EXPECT_TRUE(game::WriteMarshalTree(tree, out, error));
    return out;
}

TEST(MarshalTree, EveryKindOfValueWritesBackByteForByte) {
    const struct {
        const char* what;
        const char* hex;
    } rows[] = {
        {"immediates and fixnums of every length", "04 08 5B 0F 30 54 46 69 00 69 7F 69 01 7B 69 FF 84 69 02 "
                                                   "00 01 69 04 FF FF FF FF 69 FC 00 00 00 C0"},
        {"string with its encoding, symbol, symbol link, object link",
         "04 08 5B 09 49 22 06 61 06 3A 06 45 54 3A 06 73 3B 00 40 06"},
        {"bignum, float, regexp, class, module, old module",
         "04 08 5B 0B 6C 2B 07 00 00 00 40 66 08 31 2E 35 2F 08 61 2E 2A 01 63 0A 41 72 72 61 79 6D 0B 4B 65 "
         "72 "
         "6E 65 6C 4D 06 4D"},
        {"hash and hash with a default", "04 08 5B 07 7B 06 69 06 22 06 78 7D 00 69 07"},
        {"object holding itself (numbered before its class name)",
         "04 08 6F 3A 0A 50 6F 69 6E 74 07 3A 07 40 78 69 06 3A 07 40 79 40 00"},
        {"struct", "04 08 53 3A 06 53 06 3A 06 61 69 06"},
        {"_dump data, with instance variables numbered after them, and a link to it",
         "04 08 5B 08 75 3A 0A 54 61 62 6C 65 07 01 02 49 75 3B 00 06 03 06 3A 06 45 54 40 07"},
        {"marshal_dump data, extended value, user class",
         "04 08 5B 08 55 3A 06 55 5B 06 69 06 65 3A 06 4D 22 06 73 43 3A 06 53 22 06 74"},
        {"symbol with its encoding and a link to it", "04 08 5B 07 49 3A 07 C3 A9 06 3A 06 45 54 3B 00"},
        {"regexp with instance variables", "04 08 49 2F 06 61 00 06 3A 06 45 46"},
        {"bytes after the value", "04 08 30 FF FF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::vector<uint8_t> bytes = Hex(row.hex);
        strMessage error;
        EXPECT_EQ(RoundTrip(bytes, &error), bytes) << error;
    }
}

TEST(MarshalTree, RefusesMalformedDumps) {
    std::string deep = "04 08";
    for (int i = 0; i < 200; ++i)
        deep += " 5B 06";
    deep += " 30";
    const struct {
        const char* what;
        std::string hex;
    } rows[] = {
        {"empty", ""},
        {"version 4.9", "04 09 30"},
        {"version 5.8", "05 08 30"},
        {"no value", "04 08"},
        {"fewer elements than counted", "04 08 5B 0A 30"},
        {"negative count", "04 08 5B FA"},
        {"count larger than the dump", "04 08 5B 02 FF FF"},
        {"string longer than the dump", "04 08 22 7F 61"},
        {"number cut", "04 08 69 02 01"},
        {"link to nothing", "04 08 40 00"},
        {"link to an object not read yet", "04 08 5B 06 40 01"},
        {"symbol link to no symbol", "04 08 3B 00"},
        {"unknown type byte", "04 08 58"},
        {"wrapper around a link", "04 08 5B 07 22 06 61 49 40 06 00"},
        {"extended fixnum", "04 08 65 3A 06 4D 69 06"},
        {"instance variables on a symbol link", "04 08 5B 07 3A 06 61 49 3B 00 00"},
        {"bignum without its sign", "04 08 6C 3D 06 00 00"},
        {"class name that is not a symbol", "04 08 6F 22 06 41 00"},
        {"nested too deep", deep},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        cMarshalTree tree;
        strMessage error;
        EXPECT_FALSE(game::ReadMarshalTree(Hex(row.hex), tree, &error));
        EXPECT_FALSE(error.none());
        EXPECT_EQ(tree.nodeCount(), 0u); // nothing half-read is handed on
    }
}

TEST(MarshalTree, RubysOwnDumpOfEveryKindWritesBackByteForByte) {
    if (!std::filesystem::exists("/usr/bin/ruby") || std::getenv("PELKO_TEST_NO_RUBY"))
        GTEST_SKIP() << "Ruby is not installed";
    testing_support::TempDir dir;
    const std::string file = dir.file("values.bin");
    int status = -1;
    testing_support::RunCommand(
        "/usr/bin/ruby " + testing_support::DataPath("game/make_values.rb") + " " + file, &status);
    ASSERT_EQ(status, 0);
    const std::vector<uint8_t> bytes = testing_support::ReadBytes(file);
    strMessage error;
    EXPECT_EQ(RoundTrip(bytes, &error), bytes) << error;
}

TEST(MarshalTree, ReplacingAnElementKeepsWhatOthersShareWithIt) {
    // [nil, "a" (shared), ["b", @1]]: element 1 holds the string the last element links to.
    const std::vector<uint8_t> bytes = Hex("04 08 5B 08 30 22 06 61 5B 07 22 06 62 40 06");
    cMarshalTree tree;
    ASSERT_TRUE(game::ReadMarshalTree(bytes, tree));
    const MarshalRef root = tree.root();
    const MarshalRef shared = tree.elements(root)[1];
    ASSERT_EQ(tree.elements(tree.elements(root)[2])[1], shared); // the link is the same node

    ASSERT_TRUE(tree.setElement(root, 1, tree.addFixnum(7)));
    std::vector<uint8_t> out;
    ASSERT_TRUE(game::WriteMarshalTree(tree, out));
    // The string now appears first inside the last element, written whole; a link would be wrong.
    EXPECT_EQ(out, Hex("04 08 5B 08 30 69 0C 5B 07 22 06 62 22 06 61"));

    cMarshalTree back;
    ASSERT_TRUE(game::ReadMarshalTree(out, back));
    EXPECT_EQ(back.bytes(back.elements(back.elements(back.root())[2])[1]), "a");
}

TEST(MarshalTree, CopiedValuesKeepTheirSharingAndSymbols) {
    // ["s", "s" linked, :k, :k linked] copied into a tree that already knows the symbol :k.
    cMarshalTree from;
    ASSERT_TRUE(game::ReadMarshalTree(Hex("04 08 5B 09 22 06 73 40 06 3A 06 6B 3B 00"), from));
    cMarshalTree to;
    ASSERT_TRUE(game::ReadMarshalTree(Hex("04 08 5B 07 3A 06 6B 30"), to));
    const MarshalRef copy = to.copyFrom(from, from.root());
    ASSERT_TRUE(to.appendElement(to.root(), copy));
    std::vector<uint8_t> out;
    ASSERT_TRUE(game::WriteMarshalTree(to, out));
    EXPECT_EQ(out, Hex("04 08 5B 08 3A 06 6B 30 5B 09 22 06 73 40 07 3B 00 3B 00"));
    EXPECT_EQ(to.symbolCount(), 1u);
}

TEST(MarshalTree, NewStringsAndObjectsWriteAsRubyWritesThem) {
    cMarshalTree tree;
    ASSERT_TRUE(game::ReadMarshalTree(Hex("04 08 5B 00"), tree));
    const std::pair<uint32_t, MarshalRef> ivars[] = {{tree.internSymbol("@name"), tree.addString("ab", true)},
                                                     {tree.internSymbol("@id"), tree.addFixnum(300)}};
    ASSERT_TRUE(tree.appendElement(tree.root(), tree.addObject(tree.internSymbol("A"), ivars)));
    ASSERT_TRUE(tree.appendElement(tree.root(), tree.addString("ab", false)));
    std::vector<uint8_t> out;
    ASSERT_TRUE(game::WriteMarshalTree(tree, out));
    EXPECT_EQ(out,
              Hex("04 08 5B 07 6F 3A 06 41 07 3A 0A 40 6E 61 6D 65 49 22 07 61 62 06 3A 06 45 54 3A 08 40 "
                  "69 64 69 02 2C 01 22 07 61 62"));
}

} // namespace
