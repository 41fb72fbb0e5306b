#include "aboutbox.h"
#include "aboutlogic.h"
#include "mbutton.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

template <typename T> T *part(const TAboutForm &form, const char *name)
{
    T *child = form.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QStringList rowsOf(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

// LD_LIBRARY_PATH pointed at a folder of fake libraries for one test.
class LibraryPath {
public:
    LibraryPath() : m_saved(qgetenv("LD_LIBRARY_PATH"))
    {
        qputenv("LD_LIBRARY_PATH",
                (QStringLiteral("/nonexistent-hueforge:") + m_dir.path()).toLocal8Bit());
    }
    ~LibraryPath() { qputenv("LD_LIBRARY_PATH", m_saved); }
    void addFile(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void addLink(const QString &name, const QString &target)
    {
        ASSERT_TRUE(QFile::link(target, m_dir.filePath(name)));
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_saved;
};

TEST(AboutBox, VersionLineFallsBackToTheApplicationTitle)
{
    TAboutForm form;
    form.FormShow();
    EXPECT_EQ(part<QLabel>(form, "Label2")->text(),
              QStringLiteral("aboutbox_tests - No Version Number found"));
}

TEST(AboutBox, DescriptionIsShownFromTheNextShowing)
{
    TAboutForm form;
    const QString description = QStringLiteral("Program to allow editing\n\n");
    form.setDescription(description);
    EXPECT_TRUE(part<QLabel>(form, "Label1")->text().isEmpty());
    form.FormShow();
    EXPECT_EQ(part<QLabel>(form, "Label1")->text(), description);
}

TEST(AboutBox, LibraryRowsShowInstalledVersions)
{
    LibraryPath path;
    path.addFile("cvmath.so.1.5.0.12");
    path.addLink("cvmath.so", "cvmath.so.1.5.0.12");
    path.addFile("cvgauges.so.2.0.0.7");
    path.addLink("cvgauges.so", "cvgauges.so.2.0.0.7");
    path.addFile("cvtexture.so.3.0.1.2");
    path.addLink("cvtexture.so", "cvtexture.so.3.0.1.2");
    path.addFile("cvkit.so");

    TAboutForm form;
    form.FormShow();
    const QStringList rows = rowsOf(part<QListWidget>(form, "ListBox1"));
    ASSERT_EQ(rows.size(), 9);
    EXPECT_TRUE(rows.contains("cvmath.so    -   1.00.12"));
    EXPECT_TRUE(rows.contains("cvgauges.so  -   2.00.7"));
    EXPECT_TRUE(rows.contains("cvtexture.so -   3.00.65538"));
    EXPECT_TRUE(rows.contains("cvkit.so     -   Not found")) << "found, but unversioned";
    EXPECT_TRUE(rows.contains("cvscenery.so -   Not found"));
}

TEST(AboutBox, EveryShowingRebuildsNineRowsInTableOrder)
{
    TAboutForm form;
    auto *lines = part<QListWidget>(form, "ListBox1");
    auto *descriptions = part<QListWidget>(form, "ListBox2");
    for (int showing = 0; showing < 3; ++showing) {
        form.show();
        ASSERT_EQ(lines->count(), 9) << "showing " << showing;
        ASSERT_EQ(descriptions->count(), 9);
        for (int i = 0; i < 9; ++i) {
            const auto &library = hueforge::CompanionLibraries[std::size_t(i)];
            EXPECT_TRUE(lines->item(i)->text().startsWith(
                QString::fromUtf8(library.FileName.data(), qsizetype(library.FileName.size()))));
            EXPECT_EQ(descriptions->item(i)->text().toStdString(), library.Description);
        }
        form.close();
    }
    EXPECT_FALSE(descriptions->isVisible());
}

class RowClick : public ::testing::TestWithParam<int> {};

TEST_P(RowClick, ShowsThatRowsDescriptionAndABlank)
{
    TAboutForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    part<QTabWidget>(form, "PageControl1")->setCurrentIndex(2);
    auto *list = part<QListWidget>(form, "ListBox1");
    const int row = GetParam();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    const auto &library = hueforge::CompanionLibraries[std::size_t(row)];
    EXPECT_EQ(part<QLabel>(form, "Label3")->text().toStdString(),
              std::string(library.Description) + " ");
}

INSTANTIATE_TEST_SUITE_P(Rows, RowClick, ::testing::Values(0, 4, 8));

TEST(AboutBox, ClickWithoutSelectionChangesNothing)
{
    TAboutForm form;
    form.FormShow();
    auto *label = part<QLabel>(form, "Label3");
    const QString before = label->text();
    form.ListBox1Click();
    EXPECT_EQ(label->text(), before);
    EXPECT_TRUE(before.contains("system.  Click"));
}

TEST(AboutBox, OpensModallyAtTheGivenCorner)
{
    TAboutForm form;
    for (const QPoint corner : {QPoint(123, 77), QPoint(40, 210)}) {
        QPoint shownAt;
        bool modal = false;
        QTimer::singleShot(0, &form, [&] {
            shownAt = form.pos();
            modal = form.isModal() && form.isVisible();
            form.close();
        });
        form.ShowModalAt(corner);
        EXPECT_EQ(shownAt, corner);
        EXPECT_TRUE(modal);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(AboutBox, RestoringFromMinimizedIsNoNewShowing)
{
    QWidget mainWindow;
    mainWindow.move(40, 30);
    TAboutForm form(&mainWindow);
    auto *list = part<QListWidget>(form, "ListBox1");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.pos(), QPoint(40, 30));
    form.move(200, 150);
    list->setCurrentRow(4);

    form.setWindowState(Qt::WindowMinimized);
    form.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(form.pos(), QPoint(200, 150)) << "the box stays where the user put it";
    EXPECT_EQ(list->currentRow(), 4) << "the rows were not rebuilt";
    form.close();
}

TEST(AboutBox, KeepsTheLastActivePage)
{
    TAboutForm form;
    auto *pages = part<QTabWidget>(form, "PageControl1");
    form.show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet1");
    pages->setCurrentIndex(3);
    form.close();
    form.show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet4");
}

struct LinkCase {
    const char *name;
    const char *button;
    int page;
    const char *url;
};

class LinkButton : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkButton, OpensItsLinkAndClosesTheBox)
{
    const LinkCase &c = GetParam();
    TAboutForm form;
    QList<QUrl> opened;
    form.setLinkOpener([&](const QUrl &url) { opened << url; });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    part<QTabWidget>(form, "PageControl1")->setCurrentIndex(c.page);
    auto *button = part<TMButton>(form, c.button);
    EXPECT_FALSE(button->Border());
    EXPECT_FALSE(button->Stretch());
    EXPECT_EQ(button->size(), QSize(49, 41));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QString::fromLatin1(c.url)));
    EXPECT_FALSE(form.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, LinkButton,
    ::testing::Values(LinkCase{"Email", "MButton2", 1, "mailto:contact@corvane.example.com"},
                      LinkCase{"Website", "MButton3", 1, "https://corvane.example.com/"},
                      LinkCase{"WebsiteFromLibraries", "MButton1", 2,
                               "https://corvane.example.com/"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AboutBox, CloseButtonAndLargePictureOpenNothing)
{
    TAboutForm form;
    int opened = 0;
    form.setLinkOpener([&](const QUrl &) { ++opened; });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *picture = part<TMButton>(form, "MButton4");
    EXPECT_EQ(picture->Bitmap().size(), QSize(134, 137));
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(70, 70));
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(part<QPushButton>(form, "Button2"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(opened, 0);
}

TEST(AboutBox, FixedSizeWindowWithCaption)
{
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About "));
    EXPECT_EQ(form.minimumSize(), QSize(458, 308));
    EXPECT_EQ(form.maximumSize(), QSize(458, 308));
    form.FormShow();
    EXPECT_FALSE(part<QLabel>(form, "Image1")->pixmap().isNull());
}

} // namespace
