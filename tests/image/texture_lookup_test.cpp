#include <gtest/gtest.h>

#include "image/texture_lookup.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

TEST(TextureLookup, ImageTypeFromExtension) {
  EXPECT_EQ(ImageTypeFromExtension("a.bmp"), kImageBmp);
  EXPECT_EQ(ImageTypeFromExtension("a.TGA"), kImageTga);
  EXPECT_EQ(ImageTypeFromExtension("a.Png"), kImagePng);
  EXPECT_EQ(ImageTypeFromExtension("x.ppm"), kImagePpm);
  EXPECT_EQ(ImageTypeFromExtension("x.pgm"), kImagePgm);
  EXPECT_EQ(ImageTypeFromExtension("x.Jpg"), kImageJpeg);
  EXPECT_EQ(ImageTypeFromExtension("x.JPEG"), kImageJpeg);
  EXPECT_EQ(ImageTypeFromExtension("bmp"), kImageBmp);  // only the last characters count
  EXPECT_EQ(ImageTypeFromExtension("x.gif"), kImageUnknown);
  EXPECT_EQ(ImageTypeFromExtension("pg"), kImageUnknown);
  EXPECT_EQ(ImageTypeFromExtension(""), kImageUnknown);
}

TEST(TextureLookup, DocumentFolderAndUsableFiles) {
  EXPECT_EQ(DocumentFolder("/models/car.mqo"), "/models/");
  EXPECT_EQ(DocumentFolder("C:\\models\\car.mqo"), "C:\\models\\");
  EXPECT_EQ(DocumentFolder("C:car.mqo"), "C:");
  EXPECT_EQ(DocumentFolder("car.mqo"), "");

  testing::CScratchFolder folder;
  folder.WriteText("wood.bmp", "x");
  folder.WriteText("wood.gif", "x");
  std::filesystem::create_directories(folder.File("dir.png"));
  EXPECT_TRUE(IsUsableTextureFile(folder.File("wood.bmp")));
  EXPECT_FALSE(IsUsableTextureFile(folder.File("wood.gif")));
  EXPECT_FALSE(IsUsableTextureFile(folder.File("none.bmp")));
  EXPECT_FALSE(IsUsableTextureFile(folder.File("dir.png")));
  EXPECT_FALSE(IsUsableTextureFile("ab"));
}

class TextureResolve : public ::testing::Test {
 protected:
  void SetUp() override {
    search.documentPath = docs.WriteText("model.mqo", "Metasequoia Document\n");
    search.metaseqFolder = metaseq.Folder();
  }
  testing::CScratchFolder docs;
  testing::CScratchFolder metaseq;
  TextureSearch search;
};

TEST_F(TextureResolve, BesideTheDocumentFirst) {
  docs.WriteText("wood.bmp", "x");
  metaseq.WriteText("Metaseq.ini", "TextureDir=/elsewhere/\n");
  EXPECT_EQ(ResolveTexturePath("wood.bmp", search), docs.File("wood.bmp"));
  EXPECT_EQ(ResolveTexturePath("", search), "");
}

TEST_F(TextureResolve, BackslashesAndLetterCase) {
  docs.WriteText("Tex/Sub/Wood.BMP", "x");
  EXPECT_EQ(ResolveTexturePath("tex\\sub\\wood.bmp", search), docs.File("Tex/Sub/Wood.BMP"));
  EXPECT_EQ(ResolveTexturePath("TEX/SUB/WOOD.bmp", search), docs.File("Tex/Sub/Wood.BMP"));
  // A doubled separator names the same file.
  EXPECT_TRUE(std::filesystem::equivalent(ResolveAlphaPath("Tex\\\\Sub\\Wood.BMP", search),
                                          docs.File("Tex/Sub/Wood.BMP")));
}

TEST_F(TextureResolve, ShiftJisNamesDecodeBeforeSeparators) {
  // "表" is 0x95 0x5C in Shift-JIS: its second byte must not split folders.
  docs.WriteText("\xE8\xA1\xA8.png", "x");
  EXPECT_EQ(ResolveTexturePath("\x95\x5C.png", search), docs.File("\xE8\xA1\xA8.png"));
  docs.WriteText("\xE8\xA1\xA8/a.png", "x");
  EXPECT_EQ(ResolveTexturePath("\x95\x5C\\a.png", search), docs.File("\xE8\xA1\xA8/a.png"));
  search.utf8Names = true;
  EXPECT_EQ(ResolveTexturePath("\xE8\xA1\xA8\\A.PNG", search), docs.File("\xE8\xA1\xA8/a.png"));
}

TEST_F(TextureResolve, DriveLetterPaths) {
  // Used as they are when nothing here matches; else the file name beside
  // the document stands in for them.
  metaseq.WriteText("Metaseq.ini", "TextureDir=/elsewhere/\n");
  EXPECT_EQ(ResolveTexturePath("C:\\tex\\wood.bmp", search), "C:/tex/wood.bmp");
  docs.WriteText("WOOD.bmp", "x");
  EXPECT_EQ(ResolveTexturePath("C:\\tex\\wood.bmp", search), docs.File("WOOD.bmp"));
  search.documentPath = docs.File("unsaved.mqo");
  EXPECT_EQ(ResolveTexturePath("C:\\tex\\wood.bmp", search), "C:/tex/wood.bmp");
  EXPECT_EQ(ResolveTexturePath(docs.File("WOOD.bmp"), search), docs.File("WOOD.bmp"));
}

TEST_F(TextureResolve, MetaseqIniFolders) {
  search.documentPath = docs.File("unsaved.mqo");
  EXPECT_EQ(ResolveTexturePath("wood.bmp", search), "wood.bmp") << "no Metaseq.ini";
  metaseq.WriteText("Metaseq.ini",
                    "[Dir]\r\ntexturedir=/lower/\r\nTextureDir=D:\\Tex\\\r\nTextureDir=/second/\r\n"
                    "BumpDir=/bump\r\nAlphaDir=" + metaseq.Folder() + "alpha/\n");
  EXPECT_EQ(ResolveTexturePath("wood.bmp", search), "D:/Tex/wood.bmp");
  EXPECT_EQ(ResolveBumpPath("wood.bmp", search), "/bumpwood.bmp");  // no separator added
  metaseq.WriteText("alpha/Wood.bmp", "x");
  EXPECT_EQ(ResolveAlphaPath("wood.bmp", search), metaseq.File("alpha/Wood.bmp"));
  // A document whose file exists but lacks the texture falls through to the ini.
  search.documentPath = docs.WriteText("saved.mqo", "x");
  EXPECT_EQ(ResolveTexturePath("wood.bmp", search), "D:/Tex/wood.bmp");
  // The folder may be named without its trailing separator; a missing key
  // gives an empty folder.
  search.metaseqFolder = metaseq.Folder().substr(0, metaseq.Folder().size() - 1);
  metaseq.WriteText("Metaseq.ini", "Other=1\n");
  EXPECT_EQ(ResolveTexturePath("wood.bmp", search), "wood.bmp");
  EXPECT_EQ(ReadMetaseqFolderKey(metaseq.File("none.ini"), "TextureDir="), "");
}

TEST(TextureLookup, FindExistingPath) {
  testing::CScratchFolder folder;
  folder.WriteText("A/b/C.txt", "x");
  EXPECT_EQ(FindExistingPath(folder.File("a/B/c.TXT")), folder.File("A/b/C.txt"));
  EXPECT_EQ(FindExistingPath(folder.File("a//b/c.txt")), folder.File("A/b/C.txt"));
  EXPECT_EQ(FindExistingPath(folder.File("a/x/c.txt")), "");
  EXPECT_EQ(FindExistingPath(""), "");
}

}  // namespace
}  // namespace brimvale
