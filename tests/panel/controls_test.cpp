#include "numedit.h"
#include "panelfixture.h"
#include "shape.h"
#include "updown.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace paneltest {
namespace {

struct ShapeCase {
    const char *name;
    TShape::ShapeType shape;
    int packed;
    QColor fill;
};

const ShapeCase ShapeCases[] = {
    {"RedInTheLowByte", TShape::Rectangle, 0x0000FF, QColor(255, 0, 0)},
    {"BlueInTheHighByte", TShape::Rectangle, 0xFF0000, QColor(0, 0, 255)},
    {"LimeCircle", TShape::Circle, 0x00FF00, QColor(0, 255, 0)},
    {"TopByteIgnored", TShape::Rectangle, int(0xFF123456), QColor(0x56, 0x34, 0x12)},
};

class ShapeTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, FillsWithThePackedColourInsideABlackOutline)
{
    TShape shape;
    shape.resize(17, 17);
    shape.setShape(GetParam().shape);
    shape.setBrushColor(GetParam().packed);
    const QImage image = shape.grab().toImage();
    EXPECT_EQ(image.pixelColor(8, 8), GetParam().fill);
    if (GetParam().shape == TShape::Rectangle) {
        EXPECT_EQ(image.pixelColor(0, 8), QColor(Qt::black));
    }
}

INSTANTIATE_TEST_SUITE_P(Colours, ShapeTest, testing::ValuesIn(ShapeCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct StepCase {
    const char *name;
    const char *start;
    int steps; // positive up, negative down
    const char *expected;
};

const StepCase StepCases[] = {
    {"UpFromTheMiddle", "100", 3, "103"},
    {"DownFromTheMiddle", "100", -2, "98"},
    {"UpStopsAtTheTop", "254", 3, "255"},
    {"DownStopsAtZero", "1", -3, "0"},
    {"FieldAboveTheRangeStartsAtTheTop", "300", 1, "255"},
    {"NegativeFieldStartsAtZero", "-5", -1, "0"},
    {"TextWithoutANumberCountsAsZero", "", 1, "1"},
};

class UpDownTest : public testing::TestWithParam<StepCase> {};

TEST_P(UpDownTest, StepsFromTheFieldsNumberWithoutWrapping)
{
    QWidget parent;
    auto *field = new TNumEdit(&parent);
    auto *spinner = new TUpDown(&parent);
    spinner->setAssociate(field);
    field->setText(QString::fromLatin1(GetParam().start));
    for (int i = 0; i < std::abs(GetParam().steps); ++i)
        QTest::keyClick(field, GetParam().steps > 0 ? Qt::Key_Up : Qt::Key_Down);
    EXPECT_EQ(field->text(), QString::fromLatin1(GetParam().expected));
    EXPECT_EQ(spinner->Position(), field->text().toInt());
}

INSTANTIATE_TEST_SUITE_P(Steps, UpDownTest, testing::ValuesIn(StepCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(UpDown, WritesTheFieldTextWithoutACommit)
{
    QWidget parent;
    auto *field = new TNumEdit(&parent);
    field->setMax(50);
    auto *spinner = new TUpDown(&parent);
    spinner->setAssociate(field);
    field->setText(QStringLiteral("60"));
    QSignalSpy changes(field, &QLineEdit::textChanged);
    spinner->StepUp();
    // The field's own limit is not applied: only a commit would do that.
    EXPECT_EQ(field->text(), QStringLiteral("61"));
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
} // namespace paneltest
