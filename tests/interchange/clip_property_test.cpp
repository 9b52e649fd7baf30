// Property test of the clipboard products. A random project exported and imported again becomes
// what a product can carry; that project must travel through the product unchanged, field for
// field and byte for byte. The edit clipboard carries every record exactly.

#include "interchange/edit_clip.h"
#include "interchange_fixture.h"
#include "support/document_compare.h"
#include "support/random_document.h"

#include <gtest/gtest.h>

#include <string>

using namespace interchange_test;
using testing_support::CompareProjects;

TEST(ClipboardProperty, WhatAProductCarriesTravelsUnchanged) {
    cConfig cfg = TestConfig();
    testing_support::ForEachRandomProject(80, &cfg, [&](cProject& doc, testing_support::cRandom&) {
        for (int product : {kProduct2000, kProductVX, kProductVXAce, kProductMV, kProductXP}) {
            SCOPED_TRACE("product " + std::to_string(product));
            cProject carried(&cfg), again(&cfg);
            std::string why;
            ASSERT_EQ(Import(Export(doc, product), carried, product, &why), 1) << why;
            const Bytes payload = Export(carried, product);
            ASSERT_EQ(Import(payload, again, product, &why), 1) << why;
            EXPECT_EQ(CompareProjects(carried, again), "");
            EXPECT_EQ(Export(again, product), payload);
        }
    });
}

TEST(ClipboardProperty, EditClipboardRecordsComeBackExactly) {
    testing_support::ForEachRandomProject(300, nullptr, [&](cProject& doc, testing_support::cRandom&) {
        cClip_Mass mass(kClipRows), back(kClipRows);
        for (int f = 0; f < doc.frameCount(); ++f) {
            mass.addFrame(f, doc.frame(f)->interval);
            for (int c = 0; c < doc.cellNumber(); ++c)
                doc.cell(f, c) ? mass.addCell(f, c, *doc.cell(f, c)) : mass.addEmpty(f, c);
        }
        for (int c = 0; c < doc.cellNumber(); ++c)
            mass.addLock(c, doc.lockTable()[static_cast<size_t>(c)]);
        ASSERT_TRUE(mass.build());
        ASSERT_TRUE(back.parse(mass.buffer()));
        EXPECT_TRUE(back.cells == mass.cells && back.empties == mass.empties && back.frames == mass.frames &&
                    back.locks == mass.locks);
        for (int i = 0; i < doc.effectCount(); ++i) {
            strEffect e = *doc.effect(i), read;
            cClip_Effect out(&e), in(&read);
            ASSERT_TRUE(out.build() && in.parse(out.buffer()));
            EXPECT_EQ(read, e);
        }
        for (int i = 0; i < doc.pictureCapacity(); ++i)
            if (const strPicture* p = doc.picture(i)) {
                strPicture copy = *p, read;
                cClip_Picture out(&copy), in(&read);
                ASSERT_TRUE(out.build() && in.parse(out.buffer()));
                EXPECT_EQ(read, copy);
            }
    });
}
