// Property test of the two project formats: random projects written in either format report no
// loss, read back field for field, and convert to the other format and back to the same bytes.

#include "document_fixture.h"
#include "support/document_compare.h"
#include "support/random_document.h"

using namespace document_testing;
using testing_support::CompareProjects;

TEST(ProjectFileProperty, RandomProjectsComeBackWholeInBothFormats) {
    testing_support::ForEachRandomProject(150, nullptr, [&](cProject& doc, testing_support::cRandom&) {
        for (int format : {anime::kFormatBinary, anime::kFormatText}) {
            const int other = anime::kFormatText - format;
            doc.setSetting(kKeySaveFormat, format); // what a file of the format loads as
            cAnimeFileDevice dev;
            const Bytes bytes = Write(doc, format, &dev);
            EXPECT_TRUE(dev.lossMessages().empty()) << format;
            cProject back, converted;
            ASSERT_EQ(Read(bytes, back, format), 1) << format;
            EXPECT_EQ(CompareProjects(doc, back), "") << format;
            EXPECT_FALSE(back.modified());
            ASSERT_EQ(Read(Write(back, other), converted, other), 1) << format;
            EXPECT_EQ(Write(converted, format), bytes) << format;
        }
    });
}
