#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/library_fixture.h"

namespace {

std::string Text(const char* s) {
    return s ? s : "<null>";
}

struct Description {
    std::string ext0, ext1, ext7;
    int extCount;
    std::string longDesc, shortDesc, author, copyright, other1, other2;
    unsigned int version;
};

// The descriptive answers of one file class, whichever of the two host kinds it is.
template <class T>
Description Describe(T& c) {
    return {Text(c.Ext(0)),
            Text(c.Ext(1)),
            Text(c.Ext(7)),
            c.ExtCount(),
            Text(c.LongDesc()),
            Text(c.ShortDesc()),
            Text(c.AuthorName()),
            Text(c.CopyrightMessage()),
            Text(c.OtherMessage1()),
            Text(c.OtherMessage2()),
            c.Version()};
}

std::unique_ptr<SceneExport> MakeExporter(int i) {
    return std::unique_ptr<SceneExport>(static_cast<SceneExport*>(LibClassDesc(i)->Create()));
}
std::unique_ptr<SceneImport> MakeImporter(int i) {
    return std::unique_ptr<SceneImport>(static_cast<SceneImport*>(LibClassDesc(i)->Create()));
}

using FileClassDescriptionTest = LoadedLibraryTest;

TEST_F(FileClassDescriptionTest, ScriptExportersDescribeThemselves) {
    auto mesh = MakeExporter(0);
    auto bone = MakeExporter(1);
    const Description m = Describe(*mesh);
    const Description b = Describe(*bone);

    EXPECT_EQ(m.extCount, 1);
    EXPECT_EQ(m.ext0, "MEF");
    EXPECT_EQ(m.ext1, "<null>");
    EXPECT_EQ(m.ext7, "<null>");
    EXPECT_EQ(m.longDesc, "Vantrel 3DS MAX v1.2 Mesh Exporter File");
    EXPECT_EQ(m.shortDesc, "Mesh Exporter File");
    EXPECT_EQ(m.version, 50u);

    EXPECT_EQ(b.extCount, 1);
    EXPECT_EQ(b.ext0, "BEF");
    EXPECT_EQ(b.ext1, "<null>");
    EXPECT_EQ(b.longDesc, "Vantrel 3DS MAX v1.2 Bone Exporter File");
    EXPECT_EQ(b.shortDesc, "Bone Exporter File");
    EXPECT_EQ(b.version, 50u);

    // Both carry the studio's author string and its 1997 rights notice.
    EXPECT_EQ(m.author, b.author);
    EXPECT_EQ(m.copyright, b.copyright);
    EXPECT_NE(m.copyright.find("1997"), std::string::npos);
    EXPECT_NE(m.copyright.find("Vantrel"), std::string::npos);
    for (const Description* d : {&m, &b}) {
        EXPECT_EQ(d->other1, "");
        EXPECT_EQ(d->other2, "");
        EXPECT_FALSE(d->author.empty());
    }
    EXPECT_EQ(mesh->SupportsOptions(0, 0), FALSE);
    EXPECT_EQ(bone->SupportsOptions(0, 0xffffffff), FALSE);
}

TEST_F(FileClassDescriptionTest, ExchangeClassesDescribeThemselves) {
    auto zutExport = MakeExporter(12);
    auto zutImport = MakeImporter(11);
    auto qmoImport = MakeImporter(14);
    const Description e = Describe(*zutExport);
    const Description z = Describe(*zutImport);
    const Description q = Describe(*qmoImport);

    // Every extension index answers the one extension.
    for (const Description* d : {&e, &z}) {
        EXPECT_EQ(d->extCount, 1);
        EXPECT_EQ(d->ext0, "ZUT");
        EXPECT_EQ(d->ext1, "ZUT");
        EXPECT_EQ(d->ext7, "ZUT");
        EXPECT_EQ(d->version, 1u);
    }
    EXPECT_EQ(q.extCount, 1);
    EXPECT_EQ(q.ext0, "QMO");
    EXPECT_EQ(q.ext1, "QMO");
    EXPECT_EQ(q.version, 1u);

    EXPECT_EQ(e.longDesc, "Exports mesh in ZUT format");
    EXPECT_EQ(e.shortDesc, "Exports ZUT file");
    EXPECT_EQ(z.longDesc, "This plugin imports ZUT file from the TOVRA program into 3DS Max.");
    EXPECT_EQ(z.shortDesc, "ZUT importer.");
    EXPECT_EQ(q.longDesc,
              "This plugin imports QMO file from the Game Editor program into 3DS Max.");
    EXPECT_EQ(q.shortDesc, "QMO importer.");

    // One person's author string and the studio's second notice, shared by the three.
    EXPECT_EQ(e.author, z.author);
    EXPECT_EQ(e.author, q.author);
    EXPECT_EQ(e.copyright, z.copyright);
    EXPECT_EQ(e.copyright, q.copyright);
    auto mesh = MakeExporter(0);
    EXPECT_NE(e.author, Text(mesh->AuthorName()));
    EXPECT_NE(e.copyright, Text(mesh->CopyrightMessage()));
    EXPECT_NE(e.copyright.find("Vantrel"), std::string::npos);
    for (const Description* d : {&e, &z, &q}) {
        EXPECT_EQ(d->other1, "");
        EXPECT_EQ(d->other2, "");
    }

    EXPECT_EQ(zutExport->SupportsOptions(0, 0), FALSE);
    EXPECT_EQ(zutImport->ZoomExtents(), -1);
    EXPECT_EQ(qmoImport->ZoomExtents(), -1);
}

TEST_F(FileClassDescriptionTest, UnopenableFilesGiveTheDocumentedResults) {
    const char* missing = "/nonexistent-folder/none.txt";
    EXPECT_EQ(MakeExporter(12)->DoExport(missing, nullptr, nullptr), TRUE);
    EXPECT_EQ(MakeImporter(11)->DoImport(missing, nullptr, nullptr), 0);
}

}  // namespace
