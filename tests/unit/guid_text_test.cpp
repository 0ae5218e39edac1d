// The controller id: an instance GUID as Windows writes it.
#include <gtest/gtest.h>

#include "platform/portable/guid_text.h"

namespace kestro {
namespace {

TEST(GuidText, TheBracedUpperCaseFormIsWrittenAndReadInEitherCase) {
    const Guid guid{0x5E1F0A22, 0x7C3B, 0x4D9E, {0x8A, 0x61, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F, 0x70}};
    EXPECT_EQ(guidText(guid), "{5E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F70}");
    EXPECT_EQ(parseGuidText("{5e1f0a22-7c3B-4D9e-8a61-2b3c4d5e6f70}"), guid);
    const Guid ones{0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
    for (const Guid& g : {Guid{}, ones, guid}) EXPECT_EQ(parseGuidText(guidText(g)), g);
}

TEST(GuidText, AnythingButExactlyThatFormIsRejected) {
    for (const char* text : {"", "5E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F70", " {5E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F70}",
                             "{5E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F70}}", "{5E1F0A22-7C3B-4D9E-8A612-B3C4D5E6F70}",
                             "{5E1F0A2G-7C3B-4D9E-8A61-2B3C4D5E6F70}", "{+E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F70}",
                             "{5E1F0A22-7C3B-4D9E-8A61-2B3C4D5E6F7}", "{1}"})
        EXPECT_FALSE(parseGuidText(text)) << text;
}

}  // namespace
}  // namespace kestro
