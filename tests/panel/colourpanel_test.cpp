#include "panelfixture.h"
#include "updown.h"

#include <QToolButton>
#include <ostream>

namespace paneltest {
namespace {

MaterialRecord DiffuseMaterial(float r, float g, float b, float a)
{
    MaterialRecord m = PlainMaterial();
    SetDiffuse(m, r, g, b, a);
    return m;
}

class ColourPanelTest : public PanelTest {
protected:
    QStringList Channels() const
    {
        return {Text("NumEdit1"), Text("NumEdit2"), Text("NumEdit3"), Text("NumEdit4")};
    }
    static QStringList List(const char *r, const char *g, const char *b, const char *a)
    {
        return {QString::fromLatin1(r), QString::fromLatin1(g), QString::fromLatin1(b),
                QString::fromLatin1(a)};
    }
    QToolButton *Arrow(const char *spinner, const char *which) const
    {
        return Find<TUpDown>(spinner)->findChild<QToolButton *>(QString::fromLatin1(which));
    }
};

struct MoveCase {
    const char *name;
    float alpha;
    const char *alphaText;
};

const MoveCase MoveCases[] = {
    {"QuarterIsTruncated", 0.25f, "63"},
    {"One", 1.0f, "255"},
    {"Half", 0.5f, "127"},
    {"Zero", 0.0f, "0"},
    {"AboveOneIsClamped", 2.0f, "255"},
};

class MoveToPanelTest : public ColourPanelTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(MoveToPanelTest, ShowsTheSlotAndPassesThroughEachChannel)
{
    Open({DiffuseMaterial(1.0f, 0.5f, 0.0f, GetParam().alpha)});
    Select(0);
    // Each field write runs the preview at once: red arrives before green.
    QList<int> previews;
    QObject context;
    for (const char *name : {"NumEdit1", "NumEdit2", "NumEdit3"})
        QObject::connect(Field(name), &QLineEdit::textChanged, &context,
                         [&] { previews.append(Colour("Shape1")); });
    Click("Button4");

    EXPECT_EQ(Channels(), List("255", "127", "0", GetParam().alphaText));
    EXPECT_EQ(Colour("Shape1"), 32767);
    EXPECT_EQ(previews, (QList<int>{255, 32767}));
    EXPECT_EQ(VisibleMarkers(), QStringList{QStringLiteral("Shape6")});
}

INSTANTIATE_TEST_SUITE_P(Alphas, MoveToPanelTest, testing::ValuesIn(MoveCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ColourPanelTest, MoveWithoutASelectedRowOnlyShowsTheMarker)
{
    Open({DiffuseMaterial(1.0f, 0.5f, 0.0f, 0.25f)});
    Click("Button10");
    EXPECT_EQ(Channels(), List("0", "0", "0", "0"));
    EXPECT_EQ(Colour("Shape1"), 0xFFFFFF);
    EXPECT_EQ(VisibleMarkers(), QStringList{QStringLiteral("Shape7")});

    Select(0);
    window->scanClick();
    Click("Button4");
    EXPECT_EQ(Channels(), List("0", "0", "0", "0"));
    EXPECT_EQ(VisibleMarkers(), QStringList{QStringLiteral("Shape6")});
}

TEST_F(ColourPanelTest, DiffuseCarriedToSpecular)
{
    Open({DiffuseMaterial(1.0f, 0.5f, 0.0f, 0.25f)});
    Select(0);
    Click("Button4");
    Click("Button14");
    EXPECT_EQ(Colour("Shape3"), 32767);
    EXPECT_EQ(window->Swatch(1).Alpha, float(63 / 255.0));
    EXPECT_EQ(VisibleMarkers(), QStringList{QStringLiteral("Shape7")});
    // Sent back, the specular colour is the diffuse one on the byte grid.
    Click("Button6");
    const MaterialRecord &stored = window->Materials().Records[0];
    EXPECT_EQ(stored.SpecularColor(ColourChannel::Red), 1.0f);
    EXPECT_EQ(stored.SpecularColor(ColourChannel::Green), float(127 / 255.0));
    EXPECT_EQ(stored.SpecularColor(ColourChannel::Alpha), float(63 / 255.0));
}

TEST_F(ColourPanelTest, EveryAlphaOnTheByteGridSurvivesARoundTrip)
{
    Open({DiffuseMaterial(0.0f, 0.0f, 0.0f, 0.0f)});
    Select(0);
    for (int k = 0; k <= 255; ++k) {
        const float alpha = float(k / 255.0);
        window->Materials()
            .Entries[0]
            .DisplayColours[hueforge::DisplayColourIndex(ColourChannel::Alpha, 0)] = alpha;
        window->FillMaterialPanel(0);
        Click("Button4");
        Click("Button13");
        ASSERT_EQ(window->Swatch(0).Alpha, alpha) << k;
    }
}

TEST_F(ColourPanelTest, MoveBackBeforeAnyMoveGivesWhiteAndZeroAlpha)
{
    Open({DiffuseMaterial(1.0f, 0.5f, 0.0f, 0.25f)});
    Select(0);
    ASSERT_EQ(Colour("Shape2"), 32767);
    Click("Button13");
    EXPECT_EQ(Colour("Shape2"), 0xFFFFFF);
    EXPECT_EQ(window->Swatch(0).Alpha, 0.0f);
}

struct DialogCase {
    const char *name;
    std::optional<QColor> answer;
    QStringList fields;
    int preview;
};

const DialogCase DialogCases[] = {
    {"Confirmed", QColor(18, 52, 86), {"18", "52", "86", "63"}, 5649426},
    {"Cancelled", std::nullopt, {"255", "127", "0", "63"}, 32767},
    {"SameColour", QColor(255, 127, 0), {"255", "127", "0", "63"}, 32767},
};

class ColourDialogTest : public ColourPanelTest, public testing::WithParamInterface<DialogCase> {};

TEST_P(ColourDialogTest, StartsFromThePreviewAndFillsRedGreenBlue)
{
    Open({DiffuseMaterial(1.0f, 0.5f, 0.0f, 0.25f)});
    Select(0);
    Click("Button4");
    script.colours.push_back(GetParam().answer);
    Click("Button5");
    EXPECT_EQ(script.colourStarts, QList<QColor>{QColor(255, 127, 0)});
    EXPECT_EQ(Channels(), GetParam().fields);
    EXPECT_EQ(Colour("Shape1"), GetParam().preview);
}

INSTANTIATE_TEST_SUITE_P(Answers, ColourDialogTest, testing::ValuesIn(DialogCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ColourPanelTest, BlackFromTheWhiteStartChangesNoFieldSoThePreviewStaysWhite)
{
    script.colours.push_back(QColor(0, 0, 0));
    Click("Button5");
    EXPECT_EQ(script.colourStarts, QList<QColor>{QColor(255, 255, 255)});
    EXPECT_EQ(Channels(), List("0", "0", "0", "0"));
    EXPECT_EQ(Colour("Shape1"), 0xFFFFFF);
}

TEST_F(ColourPanelTest, SpinnerStopsAtBothEndsAndDrivesThePreview)
{
    Field("NumEdit1")->setNumber(254);
    QTest::mouseClick(Arrow("UpDown1", "up"), Qt::LeftButton);
    EXPECT_EQ(Text("NumEdit1"), QStringLiteral("255"));
    EXPECT_EQ(Colour("Shape1"), 255);
    QTest::mouseClick(Arrow("UpDown1", "up"), Qt::LeftButton);
    EXPECT_EQ(Text("NumEdit1"), QStringLiteral("255"));
    EXPECT_EQ(Find<TUpDown>("UpDown1")->Position(), 255);

    QSignalSpy changes(Field("NumEdit3"), &QLineEdit::textChanged);
    QTest::mouseClick(Arrow("UpDown3", "down"), Qt::LeftButton);
    EXPECT_EQ(Text("NumEdit3"), QStringLiteral("0"));
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ColourPanelTest, ArrowKeysInTheFieldStepItsSpinner)
{
    Type("NumEdit2", QStringLiteral("10"));
    QTest::keyClick(Field("NumEdit2"), Qt::Key_Up);
    QTest::keyClick(Field("NumEdit2"), Qt::Key_Up);
    QTest::keyClick(Field("NumEdit2"), Qt::Key_Down);
    EXPECT_EQ(Text("NumEdit2"), QStringLiteral("11"));
    EXPECT_EQ(Find<TUpDown>("UpDown2")->Position(), 11);
    EXPECT_EQ(Colour("Shape1"), 11 * 256);
}

TEST_F(ColourPanelTest, TypedValueAboveTheRangeIsCommittedAsItsLimit)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Type("NumEdit1", QStringLiteral("300"));
    // Uncommitted, the preview does not let the red number spill into green.
    EXPECT_EQ(Colour("Shape1"), 255);
    Field("NumEdit2")->setFocus();
    EXPECT_EQ(Text("NumEdit1"), QStringLiteral("255"));
    EXPECT_EQ(Colour("Shape1"), 255);
    // A spinner step starts from the committed number.
    QTest::mouseClick(Arrow("UpDown1", "down"), Qt::LeftButton);
    EXPECT_EQ(Text("NumEdit1"), QStringLiteral("254"));
}

} // namespace
} // namespace paneltest
