#include "panelfixture.h"

#include <QSignalSpy>
#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace paneltest {
namespace {

// What the panel shows for one stored material.
struct FillCase {
    const char *name;
    MaterialRecord record;
    int diffuse, specular;
    const char *power, *detail;
    const char *alphaTest, *sourceBlend, *destBlend;
    const char *flags1, *flags2;
    const char *texture; // for the slot "Diffuse"
};

MaterialRecord Material(float r, float g, float b, float a, std::int32_t source, std::int32_t dest,
                        std::int32_t test, std::uint32_t flags1, std::uint32_t flags2,
                        std::int32_t diffuseTexture)
{
    MaterialRecord m = PlainMaterial();
    SetDiffuse(m, r, g, b, a);
    m.SetSpecularColor(ColourChannel::Red, 0.0f);
    m.SetSpecularColor(ColourChannel::Green, 1.0f);
    m.SetSpecularColor(ColourChannel::Blue, 0.5f);
    m.SetSpecularPower(12.5f);
    m.SetDetailMapScale(0.1f);
    m.SetSourceBlend(source);
    m.SetDestinationBlend(dest);
    m.SetAlphaTestFunction(test);
    m.SetFlags1(std::int32_t(flags1));
    m.SetFlags2(std::int32_t(flags2));
    m.SetInt(RecordOffset::DiffuseTexture, diffuseTexture);
    return m;
}

const FillCase FillCases[] = {
    {"NamedValuesAndThirdTexture", Material(1.0f, 0.5f, 0.0f, 0.25f, 5, 2, 8, 1042, 0, 2), 32767,
     0x7FFF00, "12.5", "0.100000001490116", "Always", "srcAlpha", "One", "1042", "0",
     "canopy_t.dds"},
    {"LastBlendNameAndAllBitsSet", Material(0.0f, 0.0f, 0.0f, 1.0f, 10, 0, 0, 0xFFFFFFFF, 7, 0), 0,
     0x7FFF00, "12.5", "0.100000001490116", "---", "invDestColor ", "-----", "-1", "7",
     "body_t.dds"},
    {"UnnamedValuesShowTheFirstItem",
     Material(0.25f, 0.75f, 1.0f, 0.5f, 11, 12, 9, 0x80000000, 0x80000000, 0), 0xFFBF3F, 0x7FFF00,
     "12.5", "0.100000001490116", "---", "-----", "-----", "-2147483648", "-2147483648",
     "NO TEXTURE"},
};

class FillTest : public PanelTest, public testing::WithParamInterface<FillCase> {};

TEST_P(FillTest, SelectingARowShowsThatMaterial)
{
    const FillCase &c = GetParam();
    Open({PlainMaterial(), c.record});
    Click("Button13"); // a marker to hide
    QTest::keyClick(Find<QListWidget>("texlist"), Qt::Key_Down);
    QTest::keyClick(Find<QListWidget>("texlist"), Qt::Key_Down);
    ASSERT_EQ(Find<QListWidget>("texlist")->currentRow(), 1);

    EXPECT_EQ(Colour("Shape2"), c.diffuse);
    EXPECT_EQ(Colour("Shape3"), c.specular);
    EXPECT_EQ(window->Swatch(0).Alpha, c.record.DiffuseColor(ColourChannel::Alpha));
    EXPECT_EQ(Text("NumEdit5"), QString::fromLatin1(c.power));
    EXPECT_EQ(Text("NumEdit6"), QString::fromLatin1(c.detail));
    EXPECT_EQ(Find<QComboBox>("alphatest")->currentText(), QString::fromLatin1(c.alphaTest));
    EXPECT_EQ(Find<QComboBox>("sourceblend")->currentText(), QString::fromLatin1(c.sourceBlend));
    EXPECT_EQ(Find<QComboBox>("destblend")->currentText(), QString::fromLatin1(c.destBlend));
    EXPECT_EQ(Text("NumEdit18"), QString::fromLatin1(c.flags1));
    EXPECT_EQ(Text("NumEdit19"), QString::fromLatin1(c.flags2));
    EXPECT_EQ(Texture(), QString::fromLatin1(c.texture));
    EXPECT_TRUE(VisibleMarkers().isEmpty());
}

TEST_P(FillTest, SendBackWithoutChangesKeepsEveryStoredWordAndSettles)
{
    const FillCase &c = GetParam();
    Open({PlainMaterial(), c.record});
    Select(1);
    Click("Button6");
    MaterialRecord expected = c.record;
    // Colours go back as the nearest byte value below; the rest exactly as stored.
    const auto onByteGrid = [](float channel) {
        return float(std::trunc(double(channel) * 255.0) / 255.0);
    };
    for (auto channel : {ColourChannel::Red, ColourChannel::Green, ColourChannel::Blue}) {
        expected.SetDiffuseColor(channel, onByteGrid(c.record.DiffuseColor(channel)));
        expected.SetSpecularColor(channel, onByteGrid(c.record.SpecularColor(channel)));
    }
    EXPECT_EQ(window->Materials().Records[1].Bytes, expected.Bytes);
    Click("Button6");
    EXPECT_EQ(window->Materials().Records[1].Bytes, expected.Bytes);
}

INSTANTIATE_TEST_SUITE_P(Materials, FillTest, testing::ValuesIn(FillCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct TextureCase {
    const char *name;
    int slot;
    std::int32_t index;
    std::uint32_t flags1;
    const char *typedFlags; // typed into "Flags 1" before the slot is chosen, or null
    const char *expected;
};

const TextureCase TextureCases[] = {
    {"DiffuseIndexTwo", 0, 2, 0, nullptr, "canopy_t.dds"},
    {"DiffuseZeroWithItsBit", 0, 0, 0x2, nullptr, "body_t.dds"},
    {"DiffuseZeroWithoutItsBit", 0, 0, 0x4, nullptr, "NO TEXTURE"},
    {"FresnelZeroWithOneOfItsBits", 6, 0, 0x400, nullptr, "body_t.dds"},
    {"DetailZeroWithOnlyTheBumpBit", 1, 0, 0x4, nullptr, "NO TEXTURE"},
    {"TypedFlagsCountBeforeASendBack", 1, 0, 0x0, "16", "body_t.dds"},
    {"TypedFlagsCanClearTheBit", 1, 0, 0x10, "0", "NO TEXTURE"},
};

class TextureLineTest : public PanelTest, public testing::WithParamInterface<TextureCase> {};

TEST_P(TextureLineTest, ShowsTheSlotsTextureOrNoTexture)
{
    const TextureCase &c = GetParam();
    MaterialRecord m = PlainMaterial();
    m.SetFlags1(std::int32_t(c.flags1));
    m.SetInt(hueforge::TextureSlotOffset(hueforge::TextureSlot(c.slot)), c.index);
    Open({m});
    Select(0);
    if (c.typedFlags)
        Type("NumEdit18", QString::fromLatin1(c.typedFlags));

    QComboBox *slotChooser = Find<QComboBox>("ComboBox2");
    for (int i = 0; i < c.slot; ++i)
        QTest::keyClick(slotChooser, Qt::Key_Down);
    ASSERT_EQ(slotChooser->currentIndex(), c.slot);
    EXPECT_EQ(Texture(), QString::fromLatin1(c.expected));
    EXPECT_EQ(window->Materials().Records[0].Flags1(), std::int32_t(c.flags1));
}

INSTANTIATE_TEST_SUITE_P(Slots, TextureLineTest, testing::ValuesIn(TextureCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PanelTest, TextureIndexOutsideTheListFailsAndKeepsTheLine)
{
    MaterialRecord outside = PlainMaterial();
    outside.SetInt(RecordOffset::DiffuseTexture, 3);
    MaterialRecord negative = PlainMaterial();
    negative.SetInt(RecordOffset::DiffuseTexture, -1);
    MaterialRecord inside = PlainMaterial();
    inside.SetInt(RecordOffset::DiffuseTexture, 1);
    Open({inside, outside, negative});
    Select(0);
    ASSERT_EQ(Texture(), QStringLiteral("wing_t.dds"));

    for (int row : {1, 2}) {
        {
            const QSignalBlocker blocker(Find<QListWidget>("texlist"));
            Select(row);
        }
        try {
            window->texlistClick();
            ADD_FAILURE() << "no error for row " << row;
        } catch (const std::exception &error) {
            EXPECT_STREQ(error.what(), "List index out of bounds");
        }
        EXPECT_EQ(Texture(), QStringLiteral("wing_t.dds"));
        // The fill before the failing step stays done.
        EXPECT_EQ(Text("NumEdit18"), QStringLiteral("0"));
    }
}

TEST_F(PanelTest, UnnamedValuesChangeOnlyWhenTheUserChoosesAnItem)
{
    Open({Material(0, 0, 0, 1, 11, -3, 9, 0, 0, 0)});
    Select(0);
    EXPECT_EQ(Find<QComboBox>("destblend")->currentIndex(), -1);
    Type("NumEdit5", QStringLiteral("3"));
    Click("Button6");
    const MaterialRecord &stored = window->Materials().Records[0];
    EXPECT_EQ(stored.SpecularPower(), 3.0f);
    EXPECT_EQ(stored.SourceBlend(), 11);
    EXPECT_EQ(stored.DestinationBlend(), -3);
    EXPECT_EQ(stored.AlphaTestFunction(), 9);

    QComboBox *source = Find<QComboBox>("sourceblend");
    source->setFocus();
    QTest::keyClick(source, Qt::Key_Down);
    ASSERT_EQ(source->currentText(), QStringLiteral("Zero"));
    Click("Button6");
    EXPECT_EQ(window->Materials().Records[0].SourceBlend(), 1);
    EXPECT_EQ(window->Materials().Records[0].DestinationBlend(), -3);
    EXPECT_EQ(window->Materials().Records[0].AlphaTestFunction(), 9);
}

struct TypedFlagCase {
    const char *name;
    const char *field;
    const char *typed;
    std::uint32_t stored;
};

const TypedFlagCase TypedFlagCases[] = {
    {"LargestUnsignedWord", "NumEdit18", "4294967295", 0xFFFFFFFF},
    {"MinusOne", "NumEdit18", "-1", 0xFFFFFFFF},
    {"TopBitOnly", "NumEdit19", "2147483648", 0x80000000},
    {"Plain", "NumEdit19", "1042", 1042},
};

class TypedFlagTest : public PanelTest, public testing::WithParamInterface<TypedFlagCase> {};

TEST_P(TypedFlagTest, IsStoredAsThatWord)
{
    const TypedFlagCase &c = GetParam();
    Open({PlainMaterial()});
    Select(0);
    Type(c.field, QString::fromLatin1(c.typed));
    Click("Button6");
    const MaterialRecord &stored = window->Materials().Records[0];
    const std::int32_t word =
        c.field == std::string_view("NumEdit18") ? stored.Flags1() : stored.Flags2();
    EXPECT_EQ(std::uint32_t(word), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Words, TypedFlagTest, testing::ValuesIn(TypedFlagCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PanelTest, OutOfRangeChannelsShowClampedAndStayUntilReplaced)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    MaterialRecord m = PlainMaterial();
    SetDiffuse(m, 1.5f, -0.25f, nan, 0.3f);
    Open({m});
    Select(0);
    EXPECT_EQ(Colour("Shape2"), 0x0000FF);
    Click("Button6");
    const MaterialRecord &kept = window->Materials().Records[0];
    EXPECT_EQ(kept.DiffuseColor(ColourChannel::Red), 1.5f);
    EXPECT_EQ(kept.DiffuseColor(ColourChannel::Green), -0.25f);
    EXPECT_TRUE(std::isnan(kept.DiffuseColor(ColourChannel::Blue)));
    EXPECT_EQ(kept.DiffuseColor(ColourChannel::Alpha), 0.3f);

    Click("Button4");
    Click("Button13");
    Click("Button6");
    const MaterialRecord &replaced = window->Materials().Records[0];
    EXPECT_EQ(replaced.DiffuseColor(ColourChannel::Red), 1.0f);
    EXPECT_EQ(replaced.DiffuseColor(ColourChannel::Green), 0.0f);
    EXPECT_EQ(replaced.DiffuseColor(ColourChannel::Blue), 0.0f);
    EXPECT_EQ(replaced.DiffuseColor(ColourChannel::Alpha), float(76 / 255.0));
}

TEST_F(PanelTest, AlphaNotOnTheByteGridSurvivesRepeatedSendBacks)
{
    MaterialRecord m = PlainMaterial();
    SetDiffuse(m, 0.2f, 0.4f, 0.6f, 0.3f);
    Open({m});
    Select(0);
    for (int i = 0; i < 3; ++i)
        Click("Button6");
    EXPECT_EQ(window->Materials().Records[0].DiffuseColor(ColourChannel::Alpha), 0.3f);
}

TEST_F(PanelTest, SendBackMarksRefreshesEnablesSaveAndReselects)
{
    Open({PlainMaterial(), PlainMaterial()});
    Select(1);
    script.colours.push_back(QColor(0, 255, 0));
    Click("Button5");
    Click("Button13");
    ASSERT_EQ(VisibleMarkers(), QStringList{QStringLiteral("Shape6")});
    Click("Button6");

    EXPECT_EQ(window->Materials().Entries[1].Modified, 1);
    EXPECT_EQ(window->Materials().Entries[0].Modified, 0);
    EXPECT_TRUE(Find<QPushButton>("Button2")->isEnabled());
    QListWidget *list = Find<QListWidget>("texlist");
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->row(list->selectedItems().front()), 1);
    EXPECT_TRUE(list->item(1)->text().endsWith(QStringLiteral("  00 FF 00 00")))
        << list->item(1)->text().toStdString();
    EXPECT_TRUE(VisibleMarkers().isEmpty());
    EXPECT_EQ(Colour("Shape2"), 0x00FF00);
}

TEST_F(PanelTest, SendBackWithoutASelectedRowChangesNothing)
{
    Open({PlainMaterial()});
    Select(0);
    Type("NumEdit5", QStringLiteral("77"));
    window->scanClick();
    const MaterialRecord before = window->Materials().Records[0];
    const QString line = Find<QListWidget>("texlist")->item(0)->text();
    Click("Button6");
    EXPECT_EQ(window->Materials().Records[0].Bytes, before.Bytes);
    EXPECT_EQ(window->Materials().Entries[0].Modified, 0);
    EXPECT_FALSE(Find<QPushButton>("Button2")->isEnabled());
    EXPECT_EQ(Find<QListWidget>("texlist")->item(0)->text(), line);
    EXPECT_EQ(Text("NumEdit5"), QStringLiteral("77"));
}

TEST_F(PanelTest, SendBackThenSaveWritesExactlyThatRecord)
{
    Open({PlainMaterial(), PlainMaterial(), PlainMaterial()});
    Select(2);
    Type("NumEdit7", QStringLiteral("2.5"));
    Type("NumEdit18", QStringLiteral("4294967295"));
    Click("Button6");
    const MaterialRecord sent = window->Materials().Records[2];
    ASSERT_EQ(sent.BumpMapScale(), 2.5f);
    ASSERT_EQ(sent.Flags1(), -1);

    Click("Button2");
    std::vector<std::uint8_t> expected = model.bytes;
    std::copy(sent.Bytes.begin(), sent.Bytes.end(), expected.begin() + model.materialOffsets[2]);
    QFile file(modelPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    EXPECT_EQ(onDisk, QByteArray(reinterpret_cast<const char *>(expected.data()),
                                 qsizetype(expected.size())));
    EXPECT_TRUE(script.errors.isEmpty());
}

} // namespace
} // namespace paneltest
