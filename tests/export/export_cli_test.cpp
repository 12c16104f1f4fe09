// brimvale-cli export as a user runs it: options, messages and exit statuses.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "export_test_support.h"
#include "scene/camera_fit.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

const char kModel[] =
    "Metasequoia Document\n"
    "Format Text Ver 1.0\n\n"
    "Material 1 {\n"
    "\t\"mat1\" col(1.000 0.000 0.000 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)\n"
    "}\n"
    "Object \"Light_top\" {\n\tvisible 15\n\tvertex 1 {\n\t\t0 200 0\n\t}\n}\n"
    "Object \"hidden\" {\n\tvisible 0\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n"
    "\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n"
    "Object \"tri\" {\n\tvisible 15\n\tshading 1\n\tfacet 59.5\n"
    "\tvertex 3 {\n\t\t0 0 0\n\t\t100 0 0\n\t\t0 100 0\n\t}\n"
    "\tface 1 {\n\t\t3 V(0 1 2) M(0) UV(0 0 1 0 0 1)\n\t}\n}\n"
    "Eof\n";

struct Result {
  int status = -1;
  std::string output;
};

Result RunCli(const std::string& arguments, const std::string& environment = std::string()) {
  const fs::path cli = fs::path(BRIMVALE_BINARY_DIR) / "bin" / "brimvale-cli";
  const int raw = std::system((environment + " '" + cli.string() + "' " + arguments + " >cli.log 2>&1").c_str());
  Result result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.output = testing::ReadAll("cli.log");
  return result;
}

TEST(ExportCli, UsageErrorsAndMissingInput) {
  testing::ScratchFolder folder;
  testing::WriteAll("model.mqo", kModel);
  testing::WriteAll("notes.txt", "not a model\n");
  const Result help = RunCli("export --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("--render OUT.png"), std::string::npos);
  EXPECT_NE(help.output.find("BRIMVALE_POVRAY"), std::string::npos);
  EXPECT_EQ(RunCli("export").status, 64);
  EXPECT_EQ(RunCli("export model.mqo --target yafaray").status, 64);
  EXPECT_EQ(RunCli("export model.mqo -o scene.txt").status, 64);
  EXPECT_EQ(RunCli("export model.mqo --camera-position 1,2").status, 64);
  EXPECT_EQ(RunCli("export model.mqo --background 12345").status, 64);
  EXPECT_EQ(RunCli("export model.mqo --size 0x10").status, 64);
  EXPECT_EQ(RunCli("export model.mqo --frobnicate").status, 64);
  const Result missing = RunCli("export absent.mqo -o out.pov");
  EXPECT_EQ(missing.status, 2) << missing.output;
  EXPECT_NE(missing.output.find("absent.mqo"), std::string::npos);
  EXPECT_EQ(RunCli("export notes.txt -o out.pov").status, 1);
  EXPECT_FALSE(fs::exists("out.pov"));
}

TEST(ExportCli, UnwritableOutputAndMissingPovray) {
  testing::ScratchFolder folder;
  testing::WriteAll("model.mqo", kModel);
  const Result unwritable = RunCli("export model.mqo -o /proc/brimvale/out.pov");
  EXPECT_EQ(unwritable.status, 3);
  EXPECT_NE(unwritable.output.find("cannot write /proc/brimvale/out.pov"), std::string::npos) << unwritable.output;
  const Result noPovray = RunCli("export model.mqo -o out.pov --render out.png", "BRIMVALE_POVRAY=/nonexistent/povray");
  EXPECT_EQ(noPovray.status, 3);
  EXPECT_NE(noPovray.output.find("povray is not installed"), std::string::npos) << noPovray.output;
  EXPECT_TRUE(fs::exists("out.pov"));  // the scene itself was written
  EXPECT_FALSE(fs::exists("out.png"));
}

// povray's progress stays out of the terminal: everything it prints goes to a
// log beside the picture, and only its messages, only on failure, are shown.
TEST(ExportCli, PovrayOutputGoesToALogBesideThePicture) {
  testing::ScratchFolder folder;
  testing::WriteAll("model.mqo", kModel);
  const std::string fake = (folder.Path() / "fake-povray").string();
  testing::WriteAll(fake,
                    "#!/bin/sh\n"
                    "for n in 1 2 3; do printf 'Rendered %s of 3 pixels (33%%)\\r' $n >&2; done\n"
                    "echo 'Parse Error: something is wrong' >&2\n"
                    "[ -n \"$FAKE_POVRAY_FAILS\" ] && exit 1\n"
                    "printf png > \"${2#+O}\"\n");
  fs::permissions(fake, fs::perms::owner_all);
  const Result good = RunCli("export model.mqo -o out.pov --render out.png", "BRIMVALE_POVRAY=" + fake);
  ASSERT_EQ(good.status, 0) << good.output;
  EXPECT_EQ(good.output.find("Rendered"), std::string::npos) << good.output;
  EXPECT_EQ(good.output.find("Parse Error"), std::string::npos) << good.output;
  EXPECT_NE(testing::ReadAll("out.log").find("Rendered 3 of 3 pixels"), std::string::npos);

  const Result bad =
      RunCli("export model.mqo -o out.pov --render out.png", "FAKE_POVRAY_FAILS=1 BRIMVALE_POVRAY=" + fake);
  EXPECT_EQ(bad.status, 3);
  EXPECT_NE(bad.output.find("Parse Error: something is wrong"), std::string::npos) << bad.output;
  EXPECT_EQ(bad.output.find("Rendered"), std::string::npos) << bad.output;
  EXPECT_NE(bad.output.find("out.log"), std::string::npos) << bad.output;
}

TEST(ExportCli, OptionsReachTheScene) {
  testing::ScratchFolder folder;
  testing::WriteAll("model.mqo", kModel);
  testing::WriteAll("extra.inc", "// extra\n");
  const Result result = RunCli(
      "export model.mqo -o scene.pov --pov-version 3.7 --no-default-lights --light-objects --include-hidden "
      "--include extra.inc --background 0A141E --camera-position 1,2,-3.5 --camera-lookat 4,5,6 --camera-angle 50 "
      "--orthographic");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("wrote " + (folder.Path() / "scene.pov").string()), std::string::npos);
  const std::string scene = testing::ReadAll("scene.pov");
  const std::string base = (folder.Path() / "scene").string();
  EXPECT_EQ(scene,
            "#version 3.7;\n\n"
            "//background color\nbackground{rgb <10/255,20/255,30/255>}\n\n"
            "camera{\n\torthographic\n\tlocation < 1.000, 2.000, -3.500 >\n\tlook_at < 4.000, 5.000, 6.000 >\n"
            "\tangle 50.000\n}\n\n"
            // The reader stores z negated, so the file's 0 is -0 and printf shows its sign.
            "//object-light\n//Light_top\nlight_source{<0.0000,200.0000,-0.0000> rgb <255/255,100/255,255/255>}\n\n\n"
            "#include \"" + base + "_mat.inc\"\n#include \"" + base + "_obj.inc\"\n"
            "#include \"" + (folder.Path() / "extra.inc").string() + "\"\n");
  const std::string objects = testing::ReadAll("scene_obj.inc");
  EXPECT_NE(objects.find("#declare obj0=mesh2{"), std::string::npos);  // the hidden one
  EXPECT_NE(objects.find("#declare obj1=mesh2{"), std::string::npos);  // tri
  EXPECT_EQ(objects.find("obj2"), std::string::npos);                   // Light_top is a light

  ASSERT_EQ(RunCli("export model.mqo -o mega.pov --target megapov --megapov-version 1.2").status, 0);
  EXPECT_EQ(testing::ReadAll("mega.pov").rfind("#version unofficial MegaPov 1.2;\n\n", 0), 0u);
  ASSERT_EQ(RunCli("export model.mqo").status, 0);  // default name in the current folder
  EXPECT_EQ(testing::ReadAll("model.pov").rfind("#version 3.5;\n\n", 0), 0u);
}

TEST(ExportCli, WritesTheCameraTheViewOpensWith) {
  testing::ScratchFolder folder;
  // A triangle 5000 units across, far too big for the file's camera.
  testing::WriteAll("big.mqo", "Metasequoia Document\nFormat Text Ver 1.0\n\nObject \"tri\" {\n"
                               "\tvertex 3 {\n\t\t0 0 0\n\t\t5000 0 0\n\t\t0 5000 0\n\t}\n"
                               "\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\nEof\n");
  CQuorixDoc doc;
  ASSERT_TRUE(ReadMqoFile(doc, "big.mqo"));
  ApplyOpeningFraming(doc, FramingMode::Auto);
  char expected[160];
  std::snprintf(expected, sizeof expected,
                "\tlocation < %0.3f, %0.3f, %0.3f >\n\tlook_at < %0.3f, %0.3f, %0.3f >\n",
                static_cast<double>(doc.m_Scene.m_vPosition.x), static_cast<double>(doc.m_Scene.m_vPosition.y),
                static_cast<double>(doc.m_Scene.m_vPosition.z), static_cast<double>(doc.m_Scene.m_vLookAt.x),
                static_cast<double>(doc.m_Scene.m_vLookAt.y), static_cast<double>(doc.m_Scene.m_vLookAt.z));
  ASSERT_EQ(RunCli("export big.mqo -o fitted.pov").status, 0);
  EXPECT_NE(testing::ReadAll("fitted.pov").find(expected), std::string::npos) << expected;
  ASSERT_EQ(RunCli("export big.mqo -o file.pov --file-camera").status, 0);
  const std::string file = "\tlocation < 0.000, 100.000, -300.000 >\n\tlook_at < 0.000, 0.000, 0.000 >";
  EXPECT_NE(testing::ReadAll("file.pov").find(file), std::string::npos);
  EXPECT_EQ(RunCli("export big.mqo --fit --file-camera").status, 64);
}

}  // namespace
}  // namespace brimvale
