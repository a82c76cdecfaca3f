// The constant answers of the five file classes (extensions, descriptions, authors, versions).
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "resources/author_strings.h"
#include "support/library_fixture.h"

namespace {

std::string Text(const char* s) {
    return s ? s : "<null>";
}

struct Description {
    int extCount;
    std::string ext0, ext1, ext7;
    std::string longDesc, shortDesc, author, copyright, other1, other2;
    unsigned int version;
    bool operator==(const Description&) const = default;
};

void PrintTo(const Description& d, std::ostream* out) {
    *out << d.extCount << " " << d.ext0 << "/" << d.ext1 << "/" << d.ext7 << " \"" << d.longDesc
         << "\" \"" << d.shortDesc << "\" " << d.author << ", " << d.copyright << ", \"" << d.other1
         << "\" \"" << d.other2 << "\" version " << d.version;
}

// The descriptive answers of one file class, whichever of the two host kinds it is.
template <class T>
Description Describe(T& c) {
    return {c.ExtCount(),
            Text(c.Ext(0)),
            Text(c.Ext(1)),
            Text(c.Ext(7)),
            Text(c.LongDesc()),
            Text(c.ShortDesc()),
            Text(c.AuthorName()),
            Text(c.CopyrightMessage()),
            Text(c.OtherMessage1()),
            Text(c.OtherMessage2()),
            c.Version()};
}

template <class T>
std::unique_ptr<T> Make(int i) {
    return std::unique_ptr<T>(static_cast<T*>(LibClassDesc(i)->Create()));
}

using FileClassDescriptionTest = LoadedLibraryTest;

TEST_F(FileClassDescriptionTest, EveryFileClassAnswersItsConstants) {
    const std::string studio = kStudioAuthor, studioNotice = kStudioCopyright;
    const std::string person = kExchangeAuthor, secondNotice = kExchangeCopyright;
    // The script exporters answer their extension for index 0 only, the exchange classes for every
    // index.
    EXPECT_EQ(Describe(*Make<SceneExport>(0)),
              (Description{1, "MEF", "<null>", "<null>", "Vantrel 3DS MAX v1.2 Mesh Exporter File",
                           "Mesh Exporter File", studio, studioNotice, "", "", 50}));
    EXPECT_EQ(Describe(*Make<SceneExport>(1)),
              (Description{1, "BEF", "<null>", "<null>", "Vantrel 3DS MAX v1.2 Bone Exporter File",
                           "Bone Exporter File", studio, studioNotice, "", "", 50}));
    EXPECT_EQ(Describe(*Make<SceneExport>(12)),
              (Description{1, "ZUT", "ZUT", "ZUT", "Exports mesh in ZUT format", "Exports ZUT file",
                           person, secondNotice, "", "", 1}));
    EXPECT_EQ(Describe(*Make<SceneImport>(11)),
              (Description{1, "ZUT", "ZUT", "ZUT",
                           "This plugin imports ZUT file from the TOVRA program into 3DS Max.",
                           "ZUT importer.", person, secondNotice, "", "", 1}));
    EXPECT_EQ(
        Describe(*Make<SceneImport>(14)),
        (Description{1, "QMO", "QMO", "QMO",
                     "This plugin imports QMO file from the Game Editor program into 3DS Max.",
                     "QMO importer.", person, secondNotice, "", "", 1}));
    // The studio's notice carries the year; the two authors and notices differ.
    EXPECT_NE(studioNotice.find("1997"), std::string::npos);
    EXPECT_NE(studio, person);
    EXPECT_NE(studioNotice, secondNotice);
}

TEST_F(FileClassDescriptionTest, OptionsZoomAndUnopenableFiles) {
    for (int i : {0, 1, 12}) {
        EXPECT_EQ(Make<SceneExport>(i)->SupportsOptions(0, 0xffffffff), FALSE) << i;
    }
    EXPECT_EQ(Make<SceneImport>(11)->ZoomExtents(), -1);
    EXPECT_EQ(Make<SceneImport>(14)->ZoomExtents(), -1);
    const char* missing = "/nonexistent-folder/none.txt";
    EXPECT_EQ(Make<SceneExport>(12)->DoExport(missing, nullptr, nullptr), TRUE);
    EXPECT_EQ(Make<SceneImport>(11)->DoImport(missing, nullptr, nullptr), 0);
}

}  // namespace
