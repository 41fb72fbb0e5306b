#include "mbutton.h"

#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QColor Face(128, 128, 128);
const QColor Dark(10, 20, 30);
const QColor Light(240, 230, 220);

// A button on a larger shown window, so that the pointer can leave the button and stay over
// the window.
struct Harness {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TMButton *button = nullptr;

    explicit Harness(QSize size)
    {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Face);
        window->setPalette(palette);
        window->resize(300, 250);
        button = new TMButton(window.get());
        button->setGeometry(QRect(QPoint(20, 20), size));
        button->setColorDark(Dark);
        button->setColorLight(Light);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    ~Harness()
    {
        if (QWidget::mouseGrabber())
            QWidget::mouseGrabber()->releaseMouse();
    }

    // What the last paints left in the window's backing store, unlike grab(), which paints
    // the current state anew.
    QImage onScreen() const
    {
        const QPoint at = button->mapTo(window.get(), QPoint(0, 0));
        return window->screen()
            ->grabWindow(window->winId(), at.x(), at.y(), button->width(), button->height())
            .toImage();
    }
    QImage painted() const { return button->grab().toImage(); }
};

// A point inside each of the eight outline segments of a 40 x 30 button, A0..A3 then B0..B3.
const QPoint SegmentSamples[8] = {{0, 22}, {0, 7},   {10, 0},  {30, 0},
                                  {39, 7}, {39, 22}, {30, 29}, {10, 29}};

enum Shade { F, D, L };

QColor colourOf(Shade shade)
{
    return shade == F ? Face : shade == D ? Dark : Light;
}

void expectOutline(const QImage &image, const std::array<Shade, 8> &expected)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(QColor(image.pixel(SegmentSamples[i])), colourOf(expected[i]))
            << "segment " << (i < 4 ? "A" : "B") << i % 4;
}

struct BevelCase {
    const char *name;
    bool down;
    bool border;
    std::array<Shade, 8> outline;
};

class BevelTest : public ::testing::TestWithParam<BevelCase> {};

TEST_P(BevelTest, OutlineColours)
{
    const BevelCase &c = GetParam();
    Harness h(QSize(40, 30));
    h.button->setBorder(c.border);
    h.button->setDown(c.down);
    expectOutline(h.painted(), c.outline);
    EXPECT_EQ(QColor(h.painted().pixel(20, 15)), Face) << "the face is the background fill";
}

INSTANTIATE_TEST_SUITE_P(
    States, BevelTest,
    ::testing::Values(BevelCase{"Raised", false, true, {L, L, L, L, D, D, D, D}},
                      BevelCase{"Sunken", true, true, {D, D, D, D, L, L, L, L}},
                      BevelCase{"BorderlessUpIsInvisible", false, false, {F, F, F, F, F, F, F, F}},
                      BevelCase{"BorderlessDownIsSunken", true, false, {D, D, D, D, L, L, L, L}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MButtonOutline, CornersFollowTheSegmentOrder)
{
    Harness h(QSize(40, 30));
    const QImage image = h.painted();
    // Each line leaves out its end point, so every corner belongs to the segment starting there.
    EXPECT_EQ(QColor(image.pixel(0, 29)), Light); // A0
    EXPECT_EQ(QColor(image.pixel(0, 0)), Light);  // A2
    EXPECT_EQ(QColor(image.pixel(39, 0)), Dark);  // B0
    EXPECT_EQ(QColor(image.pixel(39, 29)), Dark); // B2
    EXPECT_EQ(QColor(image.pixel(20, 29)), Dark); // B3
}

struct RockerCase {
    const char *name;
    int pressX;
    bool clickLeft;
    std::array<Shade, 8> outline;
};

class RockerTest : public ::testing::TestWithParam<RockerCase> {};

TEST_P(RockerTest, PressedHalfIsSunken)
{
    const RockerCase &c = GetParam();
    Harness h(QSize(40, 30));
    h.button->setRockerLR(true);
    QTest::mousePress(h.button, Qt::LeftButton, {}, QPoint(c.pressX, 10));
    ASSERT_TRUE(h.button->Down());
    EXPECT_EQ(h.button->ClickLeft(), c.clickLeft);
    expectOutline(h.onScreen(), c.outline);
    QTest::mouseRelease(h.button, Qt::LeftButton, {}, QPoint(c.pressX, 10));
}

INSTANTIATE_TEST_SUITE_P(
    Halves, RockerTest,
    ::testing::Values(RockerCase{"LastLeftPixel", 19, true, {D, D, D, L, D, D, D, L}},
                      RockerCase{"FirstRightPixel", 20, false, {L, L, L, D, L, L, L, D}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MButtonHover, BorderlessBevelShowsOnlyWhileThePointerIsOver)
{
    Harness h(QSize(40, 30));
    h.button->setBorder(false);
    expectOutline(h.onScreen(), {F, F, F, F, F, F, F, F});

    QTest::mouseMove(h.button, QPoint(10, 10));
    EXPECT_EQ(QWidget::mouseGrabber(), h.button);
    expectOutline(h.onScreen(), {L, L, L, L, D, D, D, D});

    QTest::mouseMove(h.window.get(), QPoint(150, 150));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    expectOutline(h.onScreen(), {F, F, F, F, F, F, F, F});
}

TEST(MButtonHover, HidingLetsThePointerGoAndTheNextShowingHighlightsAgain)
{
    Harness h(QSize(40, 30));
    h.button->setBorder(false);
    QTest::mouseMove(h.button, QPoint(10, 10));
    ASSERT_EQ(QWidget::mouseGrabber(), h.button);

    // Closed from the keyboard with the pointer resting on the picture.
    h.window->hide();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    h.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.window.get()));
    QTest::mouseMove(h.button, QPoint(12, 12));
    EXPECT_EQ(QWidget::mouseGrabber(), h.button);
    expectOutline(h.onScreen(), {L, L, L, L, D, D, D, D});
}

TEST(MButtonHover, NoHighlightTakesNoCapture)
{
    Harness h(QSize(40, 30));
    h.button->setBorder(false);
    h.button->setHighlight(false);
    QSignalSpy moves(h.button, &TMButton::OnMouseMove);
    QTest::mouseMove(h.button, QPoint(10, 10));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(moves.count(), 1);
    expectOutline(h.onScreen(), {F, F, F, F, F, F, F, F});
}

// Each pixel of the picture encodes its own position, so one sample gives the origin.
QPixmap codedPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, 77));
    return QPixmap::fromImage(image);
}

struct PlacementCase {
    const char *name;
    QSize button;
    QSize picture;
    QPoint origin;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, UnstretchedPictureIsCentredWithTruncation)
{
    const PlacementCase &c = GetParam();
    Harness h(c.button);
    h.button->setStretch(false);
    h.button->setBitmap(codedPicture(c.picture));
    const QImage image = h.painted();
    const QPoint sample(10, 10);
    const QRgb pixel = image.pixel(sample);
    ASSERT_EQ(qBlue(pixel), 77);
    EXPECT_EQ(QPoint(sample.x() - qRed(pixel), sample.y() - qGreen(pixel)), c.origin);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PlacementTest,
    ::testing::Values(PlacementCase{"LinkButton", {49, 41}, {40, 32}, {4, 4}},
                      PlacementCase{"LargePicture", {145, 145}, {134, 137}, {5, 4}},
                      PlacementCase{"WiderThanButton", {49, 41}, {60, 32}, {-5, 4}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MButtonPlacement, StretchFillsASquareSizedByTheHeight)
{
    Harness h(QSize(60, 30));
    QPixmap picture(7, 5);
    picture.fill(Qt::red);
    h.button->setBitmap(picture);
    const QImage image = h.painted();
    QRect covered;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) == QColor(Qt::red))
                covered |= QRect(x, y, 1, 1);
    EXPECT_EQ(covered, QRect(QPoint(2, 2), QPoint(25, 25)));
}

TEST(MButtonPlacement, BitmapWriteCopiesThePicture)
{
    Harness h(QSize(40, 30));
    QPixmap picture(4, 4);
    picture.fill(Qt::red);
    h.button->setBitmap(picture);
    picture.fill(Qt::blue);
    EXPECT_EQ(QColor(h.button->Bitmap().toImage().pixel(0, 0)), QColor(Qt::red));
}

TEST(MButtonPress, LatchTogglesOnEachPress)
{
    Harness h(QSize(40, 30));
    h.button->setLatch(true);
    QTest::mouseClick(h.button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(h.button->Down());
    expectOutline(h.painted(), {D, D, D, D, L, L, L, L});
    QTest::mouseClick(h.button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(h.button->Down());
}

TEST(MButtonPress, UnlatchedIsDownOnlyWhilePressed)
{
    Harness h(QSize(40, 30));
    QTest::mousePress(h.button, Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_TRUE(h.button->Down());
    QTest::mouseRelease(h.button, Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_FALSE(h.button->Down());
    expectOutline(h.onScreen(), {L, L, L, L, D, D, D, D});
}

TEST(MButtonPress, RightButtonOnlyRecordsThePosition)
{
    Harness h(QSize(40, 30));
    h.button->setLatch(true);
    const QImage before = h.painted();
    QSignalSpy downs(h.button, &TMButton::OnMouseDown);
    QTest::mousePress(h.button, Qt::RightButton, {}, QPoint(13, 10));
    EXPECT_FALSE(h.button->Down());
    EXPECT_EQ(h.button->PressX(), 13);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(h.painted(), before);
    QTest::mouseRelease(h.button, Qt::RightButton, {}, QPoint(13, 10));
    EXPECT_FALSE(h.button->Down());
}

struct ClickCase {
    const char *name;
    Qt::MouseButton button;
    QPoint release;
    int clicks;
};

class ClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickTest, OnClickOnlyForLeftPressAndReleaseInside)
{
    const ClickCase &c = GetParam();
    Harness h(QSize(40, 30));
    QSignalSpy clicks(h.button, &TMButton::OnClick);
    bool downWhenClicked = false;
    QObject::connect(h.button, &TMButton::OnClick, [&] { downWhenClicked = h.button->Down(); });
    QTest::mousePress(h.button, c.button, {}, QPoint(10, 10));
    QTest::mouseRelease(h.button, c.button, {}, c.release);
    EXPECT_EQ(clicks.count(), c.clicks);
    if (c.clicks) {
        EXPECT_TRUE(downWhenClicked) << "OnClick runs before the release handling";
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, ClickTest,
                         ::testing::Values(ClickCase{"LeftInside", Qt::LeftButton, {30, 20}, 1},
                                           ClickCase{"LeftOutside", Qt::LeftButton, {60, 20}, 0},
                                           ClickCase{"Right", Qt::RightButton, {30, 20}, 0},
                                           ClickCase{"Middle", Qt::MiddleButton, {30, 20}, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MButtonPress, DraggingOffLetsThePointerGo)
{
    Harness h(QSize(40, 30));
    QSignalSpy clicks(h.button, &TMButton::OnClick);
    QTest::mousePress(h.button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(h.button, QPoint(80, 10));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mouseRelease(h.button, Qt::LeftButton, {}, QPoint(80, 10));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(h.button->Down()) << "the release went to another window";
    expectOutline(h.painted(), {D, D, D, D, L, L, L, L});
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct RepaintCase {
    const char *name;
    std::function<void(TMButton &)> write;
    int paints;
};

class RepaintTest : public ::testing::TestWithParam<RepaintCase> {};

TEST_P(RepaintTest, FlagWritesRepaintAtOnce)
{
    Harness h(QSize(40, 30));
    PaintCounter counter;
    h.button->installEventFilter(&counter);
    GetParam().write(*h.button);
    EXPECT_EQ(counter.paints, GetParam().paints);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, RepaintTest,
    ::testing::Values(RepaintCase{"ColorDark", [](TMButton &b) { b.setColorDark(Qt::red); }, 0},
                      RepaintCase{"ColorLight", [](TMButton &b) { b.setColorLight(Qt::red); }, 0},
                      RepaintCase{"UnchangedDown", [](TMButton &b) { b.setDown(false); }, 1},
                      RepaintCase{"UnchangedBorder", [](TMButton &b) { b.setBorder(true); }, 1},
                      RepaintCase{"RockerUD", [](TMButton &b) { b.setRockerUD(true); }, 1},
                      RepaintCase{"UnknownIndexStoresNothing",
                                  [](TMButton &b) { b.SetFlag(4, true); }, 1},
                      RepaintCase{"Bitmap", [](TMButton &b) { b.setBitmap(QPixmap(3, 3)); }, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MButtonSetFlag, IndicesMapToProperties)
{
    TMButton button;
    button.SetFlag(1, true);
    button.SetFlag(3, false);
    button.SetFlag(5, false);
    button.SetFlag(6, true);
    button.SetFlag(7, true);
    button.SetFlag(8, false);
    button.SetFlag(4, false);
    EXPECT_TRUE(button.Latch());
    EXPECT_FALSE(button.Down());
    EXPECT_FALSE(button.Border());
    EXPECT_FALSE(button.Stretch());
    EXPECT_TRUE(button.RockerLR());
    EXPECT_TRUE(button.RockerUD());
    EXPECT_FALSE(button.Highlight());
    button.SetFlag(2, true);
    EXPECT_TRUE(button.Down());
}

TEST(MButtonDefaults, ShadowColoursComeFromThePalette)
{
    TMButton button;
    EXPECT_EQ(button.ColorDark(), button.palette().color(QPalette::Shadow));
    EXPECT_EQ(button.ColorLight(), button.palette().color(QPalette::Light));
    EXPECT_TRUE(button.Border());
    EXPECT_TRUE(button.Stretch());
    EXPECT_TRUE(button.Highlight());
    EXPECT_FALSE(button.Latch());
    EXPECT_TRUE(button.Bitmap().isNull());
}

TEST(MButtonMenu, OpensUnderTheBottomLeftCornerAndLeavesTheButtonUp)
{
    Harness h(QSize(40, 25));
    QMenu menu;
    menu.addAction("Item");
    h.button->setDropDownMenu(&menu);
    QPoint shownAt;
    bool downWhileOpen = false;
    QTimer::singleShot(0, &menu, [&] {
        shownAt = menu.pos();
        downWhileOpen = h.button->Down();
        menu.close();
    });
    QTest::mousePress(h.button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(shownAt, h.button->mapToGlobal(QPoint(0, 25)));
    EXPECT_TRUE(downWhileOpen);
    EXPECT_FALSE(h.button->Down());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

} // namespace
