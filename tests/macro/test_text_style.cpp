// The style commands: what each line leaves in the text state and on both surfaces.
#include <QFontInfo>

#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

struct StyleCase {
  const char* name;
  QStringList lines;
  std::function<void(MacroTest&)> check;
};

QColor TextColour() { return platform::VbColor(core::Surfaces().TextColor); }

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

class StyleCommands : public MacroTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(StyleCommands, LeaveTheirState) {
  Run(GetParam().lines);
  GetParam().check(*this);
}

void ExpectColour(MacroTest&, const QColor& c) {
  EXPECT_EQ(TextColour(), c);
  EXPECT_EQ(engine::slidescreen().P2.ForeColor(), c);
  EXPECT_EQ(core::form1().Picture1.ForeColor(), c);
}

void ExpectKage(double v) { EXPECT_EQ(macro::State().KageMode, v); }

void ExpectBoth(const std::function<void(platform::PictureBox&)>& check) {
  check(engine::slidescreen().P2);
  check(core::form1().Picture1);
}

const StyleCase kStyleCases[] = {
    {"KageFraction", {"KAGE=2", "Kage=1.5"}, [](MacroTest&) { ExpectKage(0); }},
    {"KageTooLarge", {"KAGE=2", "Kage=4"}, [](MacroTest&) { ExpectKage(0); }},
    {"KageNegative", {"KAGE=2", "Kage=-1"}, [](MacroTest&) { ExpectKage(0); }},
    {"KageLowerCase", {"kage=2"}, [](MacroTest&) { ExpectKage(2); }},
    {"KageMixedCaseBlanks", {"KaGe =  3"}, [](MacroTest&) { ExpectKage(3); }},
    {"KageWithoutEquals", {"KAGE=2", "KAGE 3"}, [](MacroTest&) { ExpectKage(0); }},
    {"QbColorTooLarge",
     {"QBColor=16"},
     [](MacroTest& t) { ExpectColour(t, platform::QBColor(10)); }},
    {"QbColorNegative",
     {"QBColor=-1"},
     [](MacroTest& t) { ExpectColour(t, platform::QBColor(10)); }},
    {"QbColorNearlyWhole",
     {"QBColor=14.95"},
     [](MacroTest& t) { ExpectColour(t, platform::QBColor(15)); }},
    {"QbColorHalf", {"QBColor=7.5"}, [](MacroTest& t) { ExpectColour(t, platform::QBColor(7)); }},
    {"QbColorCommentBehind",
     {"QBColor=15       //[文字色](0-15)"},
     [](MacroTest& t) { ExpectColour(t, platform::QBColor(15)); }},
    {"RgbClamped", {"RGB(300,-5,128)"}, [](MacroTest& t) { ExpectColour(t, QColor(255, 0, 128)); }},
    {"RgbEmptyFields",
     {"QBColor=15", "RGB(,,)"},
     [](MacroTest& t) { ExpectColour(t, QColor(0, 0, 0)); }},
    {"RgbOneComma", {"RGB(10,20)"}, [](MacroTest& t) { ExpectColour(t, QColor(10, 0, 20)); }},
    {"RgbHuge", {"rgb(99999,0,0)"}, [](MacroTest& t) { ExpectColour(t, QColor(255, 0, 0)); }},
    {"FontSizeTooSmall",
     {"FontSize=7"},
     [](MacroTest&) { ExpectBoth([](platform::PictureBox& b) { EXPECT_EQ(b.FontSize(), 24); }); }},
    {"FontSizeEmpty",
     {"FontSize="},
     [](MacroTest&) { ExpectBoth([](platform::PictureBox& b) { EXPECT_EQ(b.FontSize(), 24); }); }},
    {"FontSizeLargest",
     {"FontSize=2048"},
     [](MacroTest&) {
       ExpectBoth([](platform::PictureBox& b) { EXPECT_EQ(b.FontSize(), 2048); });
     }},
    {"FontSizeFraction",
     {"FontSize=10.5"},
     [](MacroTest&) {
       ExpectBoth([](platform::PictureBox& b) { EXPECT_EQ(b.FontSize(), 10.5); });
     }},
    {"FontNoOutOfRange",
     {"FontNo=2", "FontNo=3", "FontNo=1.5"},
     [](MacroTest&) {
       ExpectBoth(
           [](platform::PictureBox& b) { EXPECT_EQ(b.FontName(), QStringLiteral("ＭＳ 明朝")); });
     }},
    {"FontNoSystem",
     {"FontNo=0"},
     [](MacroTest&) {
       ExpectBoth(
           [](platform::PictureBox& b) { EXPECT_EQ(b.FontName(), QStringLiteral("System")); });
     }},
    {"FontItalicTwo",
     {"FontItalic=1", "FontItalic=2"},
     [](MacroTest&) { ExpectBoth([](platform::PictureBox& b) { EXPECT_TRUE(b.FontItalic()); }); }},
    {"FontItalicWithoutEquals",
     {"FontItalic=1", "FontItalic"},
     [](MacroTest&) { ExpectBoth([](platform::PictureBox& b) { EXPECT_FALSE(b.FontItalic()); }); }},
    {"UnderlineReadsThreeCharacters",
     {"FontUnderline=1", "FontUnderline=   1"},
     [](MacroTest&) {
       ExpectBoth([](platform::PictureBox& b) { EXPECT_FALSE(b.FontUnderline()); });
     }},
    {"BoldReadsFiveCharacters",
     {"FontBold=   1"},
     [](MacroTest&) { ExpectBoth([](platform::PictureBox& b) { EXPECT_TRUE(b.FontBold()); }); }},
    {"LineSpaceTooLarge",
     {"LineSpace=25"},
     [](MacroTest&) { EXPECT_EQ(core::Settings().LineSpace, 20); }},
    {"LineSpaceNegative",
     {"LineSpace=-3"},
     [](MacroTest&) { EXPECT_EQ(core::Settings().LineSpace, 0); }},
    {"LineSpaceHalfToEven",
     {"LineSpace=2.5"},
     [](MacroTest&) { EXPECT_EQ(core::Settings().LineSpace, 2); }},
    {"LineSpaceHuge",
     {"LineSpace=99999"},
     [](MacroTest&) { EXPECT_EQ(core::Settings().LineSpace, 20); }},
    {"BorderColorHalf",
     {"BorderColor=15.5"},
     [](MacroTest&) { EXPECT_EQ(core::Settings().BorderColorIndex, 15); }},
    {"TabTooSmall", {"Tab=1"}, [](MacroTest&) { EXPECT_EQ(macro::State().TabWidth, 2); }},
    {"TabTooLarge", {"Tab=12"}, [](MacroTest&) { EXPECT_EQ(macro::State().TabWidth, 10); }},
    {"TabNotRounded", {"Tab=4.5"}, [](MacroTest&) { EXPECT_EQ(macro::State().TabWidth, 4.5); }},
    {"ZureIntPlusTenth",
     {"ZureX=2.95", "ZureY=2.85"},
     [](MacroTest&) {
       EXPECT_EQ(macro::State().ZureX, 3);
       EXPECT_EQ(macro::State().ZureY, 2);
     }},
    {"ZureNegativeHalf",
     {"ZureX=-0.5", "ZureY=-3"},
     [](MacroTest&) {
       EXPECT_EQ(macro::State().ZureX, -1);
       EXPECT_EQ(macro::State().ZureY, -3);
     }},
    {"ZureLargeBeforeTextStays",
     {"Kage=2", "ZureX=50"},
     [](MacroTest&) { EXPECT_EQ(macro::State().ZureX, 50); }},
    {"ZureLargeInTextCapped",
     {"Kage=2", "[テキスト]", "ZureX=50", "ZureY=-4"},
     [](MacroTest&) {
       EXPECT_EQ(macro::State().ZureX, 10);
       EXPECT_EQ(macro::State().ZureY, 4);
     }},
    {"CurrentXFiveCharacters",
     {"CurrentX=123456"},
     [](MacroTest&) { EXPECT_EQ(macro::State().TextLeft, 12345); }},
    {"FontNameEmpty",
     {"FontName=\"IPAMincho\"", "FontName=\"\""},
     [](MacroTest&) {
       ExpectBoth(
           [](platform::PictureBox& b) { EXPECT_EQ(b.FontName(), QStringLiteral("IPAMincho")); });
     }},
    {"FontNameWithoutQuotes",
     {"FontName=IPAMincho"},
     [](MacroTest&) {
       ExpectBoth([](platform::PictureBox& b) {
         EXPECT_EQ(b.FontName(), QStringLiteral("ＭＳ ゴシック"));
       });
     }},
    {"FontNameCommentBehind",
     {"FontName=\"IPAMincho\"  //\"明朝\""},
     [](MacroTest&) {
       ExpectBoth(
           [](platform::PictureBox& b) { EXPECT_EQ(b.FontName(), QStringLiteral("IPAMincho")); });
     }},
};

INSTANTIATE_TEST_SUITE_P(Table, StyleCommands, ::testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroTest, AFaceThatIsNotInstalledFallsBackToTheGothicSubstitution) {
  Run({"FontName=\"No Such Face 42\""});
  QFont gothic;
  gothic.setFamily(QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(P2().FontName(), QStringLiteral("No Such Face 42"));
  EXPECT_EQ(QFontInfo(P2().font()).family(), QFontInfo(gothic).family());
  EXPECT_EQ(QFontInfo(Preview().font()).family(), QFontInfo(gothic).family());
}

TEST_F(MacroTest, CurrentXAndYWorkFromTheTextOrigin) {
  core::Settings().TextOriginScreen = 0;
  core::Surfaces().PictureLeft = 100;
  core::Surfaces().PictureTop = 50;
  Run({"CurrentX=10", "CurrentY=-5", "[テキスト]"});
  EXPECT_EQ(P2().CurrentX(), 110);
  EXPECT_EQ(Preview().CurrentX(), 10);
  EXPECT_EQ(P2().CurrentY(), 45);
  EXPECT_EQ(Preview().CurrentY(), -5);
}

TEST_F(MacroTest, ClsInTheMainWindowClearsOnlyThePreviewBox) {
  core::Surfaces().PictureTop = 30;
  core::Settings().TextOriginScreen = 0;
  Run({"RGB(255,0,0)", "[テキスト]", "■", "CLS"});
  EXPECT_FALSE(Bounds(P2(), kRed).isEmpty());
  EXPECT_TRUE(Bounds(Preview(), kRed).isEmpty());
  EXPECT_EQ(Preview().CurrentY(), 0);
  EXPECT_EQ(P2().CurrentY(), 30);
}

TEST_F(MacroTest, ClsOnTheFullScreenBringsBackTheCleanPicture) {
  core::Flags().FullScreenShowActive = 1;
  const QColor clean(0, 160, 0);
  P4().SetBackColor(clean);
  Run({"RGB(255,0,0)", "[テキスト]", "■", "[テキスト]", "CLS"});
  EXPECT_TRUE(Bounds(P2(), kRed).isEmpty());
  EXPECT_TRUE(Bounds(P3(), kRed).isEmpty());
  EXPECT_EQ(At(P2(), 5, 5), clean);
  EXPECT_EQ(At(P3(), 5, 5), clean);
}

}  // namespace
}  // namespace macro_test
