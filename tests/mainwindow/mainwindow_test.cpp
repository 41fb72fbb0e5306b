#include "aboutbox.h"
#include "materialwriter.h"
#include "modelgen.h"
#include "tintmark1x_xx.h"
#include "windowdialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>
#include <optional>

namespace {

using hueforge::ColourChannel;
using hueforge::MaterialRecord;

// What the fake dialogs were asked and how they answer.
struct DialogScript {
    struct FileChoice {
        QString path;
        int filterIndex = 1;
    };
    std::deque<std::optional<FileChoice>> files; // nullopt: the user cancels
    std::deque<bool> confirmations;
    QStringList fileDialogFolders;
    QStringList confirmTexts;
    QStringList confirmCaptions;
    QStringList errorTexts;
    QStringList errorCaptions;
};

class ScriptedDialogs : public WindowDialogs {
public:
    explicit ScriptedDialogs(DialogScript &script) : script_(script) {}

    bool ChooseFile(QFileDialog &dialog) override
    {
        script_.fileDialogFolders.append(dialog.directory().absolutePath());
        if (script_.files.empty())
            ADD_FAILURE() << "unexpected file dialog";
        if (script_.files.empty() || !script_.files.front()) {
            if (!script_.files.empty())
                script_.files.pop_front();
            return false;
        }
        const auto choice = *script_.files.front();
        script_.files.pop_front();
        dialog.selectNameFilter(dialog.nameFilters().value(choice.filterIndex - 1));
        dialog.selectFile(choice.path);
        return true;
    }
    bool Confirm(QWidget *, const QString &caption, const QString &text) override
    {
        script_.confirmCaptions.append(caption);
        script_.confirmTexts.append(text);
        if (script_.confirmations.empty()) {
            ADD_FAILURE() << "unexpected confirmation";
            return false;
        }
        const bool answer = script_.confirmations.front();
        script_.confirmations.pop_front();
        return answer;
    }
    void ShowError(QWidget *, const QString &caption, const QString &text) override
    {
        script_.errorCaptions.append(caption);
        script_.errorTexts.append(text);
    }

private:
    DialogScript &script_;
};

MaterialRecord MaterialWithDiffuse(float r, float g, float b, float a)
{
    MaterialRecord record = hueforge::sample::MakeMaterial(0);
    record.SetDiffuseColor(ColourChannel::Red, r);
    record.SetDiffuseColor(ColourChannel::Green, g);
    record.SetDiffuseColor(ColourChannel::Blue, b);
    record.SetDiffuseColor(ColourChannel::Alpha, a);
    record.SetSpecularColor(ColourChannel::Red, 0.0f);
    record.SetSpecularColor(ColourChannel::Green, 1.0f);
    record.SetSpecularColor(ColourChannel::Blue, 0.5f);
    record.SetSpecularColor(ColourChannel::Alpha, 1.0f);
    record.SetSpecularPower(8.0f);
    return record;
}

// Two blocks: three materials, then two.
hueforge::sample::ModelLayout TestModelLayout()
{
    hueforge::sample::ModelLayout description;
    description.textureNames = {"body_t.dds", "wing_t.dds", "canopy_t.dds"};
    description.materialBlocks = {
        {MaterialWithDiffuse(1.0f, 0.5f, 0.0f, 1.0f), MaterialWithDiffuse(0.0f, 0.0f, 0.0f, 0.0f),
         MaterialWithDiffuse(0.999f, 1.0f, 0.2f, 0.5f)},
        {MaterialWithDiffuse(0.25f, 0.75f, 1.0f, 1.0f),
         MaterialWithDiffuse(1.0f, 1.0f, 1.0f, 1.0f)},
    };
    description.verticesPerBlock = 16;
    return description;
}

// The diffuse columns of the materials above, as the list prints them.
const char *const DiffuseColumns[] = {"FF 7F 00 FF", "00 00 00 00", "FE FF 33 7F", "3F BF FF FF",
                                      "FF FF FF FF"};
const int BlockOfRow[] = {1, 1, 1, 2, 2};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(configDir.isValid());
        ASSERT_TRUE(workDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
    }

    QString StorePath() const { return configDir.filePath(QStringLiteral("Corvane.conf")); }

    void WriteStore(const QByteArray &iniText)
    {
        QFile file(StorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(iniText);
    }

    // The value as it stands in the store file now.
    QVariant Stored(const QString &name) const
    {
        QSettings store(StorePath(), QSettings::IniFormat);
        return store.value(QStringLiteral("Tintmarkx/") + name);
    }

    std::unique_ptr<TForm1> MakeWindow()
    {
        auto window = std::make_unique<TForm1>();
        window->SetDialogs(std::make_unique<ScriptedDialogs>(script));
        return window;
    }

    QString WriteModel(const QString &name)
    {
        model = hueforge::sample::GenerateModel(TestModelLayout());
        const QString path = workDir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(model.bytes.data()), qint64(model.bytes.size()));
        return path;
    }

    void Choose(TForm1 &window, const QString &path, int filterIndex = 1)
    {
        script.files.push_back(DialogScript::FileChoice{path, filterIndex});
        QTest::mouseClick(Button(window, "Button1"), Qt::LeftButton);
    }

    // Makes row green in the table and marks it, as a send back would.
    void SendBackGreenDiffuse(TForm1 &window, int row)
    {
        auto &table = window.Materials();
        auto &record = table.Records[std::size_t(row)];
        auto &entry = table.Entries[std::size_t(row)];
        record.SetDiffuseColor(ColourChannel::Red, 0.0f);
        record.SetDiffuseColor(ColourChannel::Green, 1.0f);
        record.SetDiffuseColor(ColourChannel::Blue, 0.0f);
        hueforge::FillDisplayCopies(entry, record);
        entry.Modified = 1;
        Button(window, "Button2")->setEnabled(true);
    }

    static QPushButton *Button(TForm1 &window, const char *name)
    {
        return window.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    static QStringList Lines(TForm1 &window, const char *list)
    {
        QStringList lines;
        const auto *widget = window.findChild<QListWidget *>(QString::fromLatin1(list));
        for (int i = 0; i < widget->count(); ++i)
            lines.append(widget->item(i)->text());
        return lines;
    }
    static QString Status(TForm1 &window)
    {
        return window.findChild<QLabel *>(QStringLiteral("Label1"))->text();
    }
    static QComboBox *ShowChooser(TForm1 &window)
    {
        return window.findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    }

    QStringList ExpectedLines(const char *prefix) const
    {
        QStringList lines;
        for (int i = 0; i < 5; ++i)
            lines.append(QString::asprintf("%s %02d %02d %08X  %s", prefix, BlockOfRow[i], i + 1,
                                           unsigned(model.materialOffsets[std::size_t(i)]),
                                           DiffuseColumns[i]));
        return lines;
    }

    QTemporaryDir configDir;
    QTemporaryDir workDir;
    DialogScript script;
    hueforge::sample::GeneratedModel model;
};

TEST_F(MainWindowTest, FirstStartWithAnEmptyStoreUsesTheDefaultsAndWritesAllFiveValues)
{
    auto window = MakeWindow();
    EXPECT_EQ(window->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Hueforge FSX Format"));
    EXPECT_EQ(window->pos(), QPoint(60, 40));
    EXPECT_EQ(window->size(), QSize(720, 530));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(ShowChooser(*window)->currentText(), QStringLiteral("Diffuse"));
    EXPECT_EQ(window->findChild<QComboBox *>(QStringLiteral("ComboBox2"))->currentIndex(), 0);
    for (const char *name : {"alphatest", "sourceblend", "destblend"})
        EXPECT_EQ(window->findChild<QComboBox *>(QString::fromLatin1(name))->currentIndex(), -1)
            << name;
    EXPECT_FALSE(Button(*window, "Button2")->isEnabled());
    EXPECT_TRUE(Status(*window).isEmpty());
    EXPECT_TRUE(Lines(*window, "texlist").isEmpty());
    EXPECT_EQ(Stored(QStringLiteral("Program")).toString(),
              QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));

    // "c:\" does not exist here, so the dialog opens in the home folder.
    script.files.push_back(std::nullopt);
    window->loaditClick();
    EXPECT_EQ(script.fileDialogFolders, QStringList{QDir::homePath()});

    window->show();
    window->move(75, 33);
    window->close();
    const QByteArray store = ReadAll(StorePath());
    EXPECT_TRUE(store.startsWith("[Tintmarkx]")) << store.constData();
    EXPECT_EQ(Stored(QStringLiteral("Top")), QVariant(QStringLiteral("33")));
    EXPECT_EQ(Stored(QStringLiteral("Left")), QVariant(QStringLiteral("75")));
    EXPECT_EQ(Stored(QStringLiteral("Show")), QVariant(QStringLiteral("0")));
    EXPECT_EQ(Stored(QStringLiteral("Load")), QVariant(QStringLiteral("c:\\")));
}

TEST_F(MainWindowTest, NoVisibleCaptionIsClippedAndNoControlsOverlap)
{
    auto window = MakeWindow();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(window.get()) || label->wordWrap())
            continue;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << label->objectName().toStdString();
        EXPECT_GE(label->x(), 0) << label->objectName().toStdString();
    }
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(window.get()))
            continue;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 6)
            << button->objectName().toStdString();
    }
    for (QWidget *parent : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly) +
                               QList<QWidget *>{window.get()}) {
        QList<QWidget *> shown;
        for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(window.get()) && !child->isWindow())
                shown.append(child);
        // Neighbours may share one pixel column, as the "?" button and the file name do.
        for (qsizetype i = 0; i < shown.size(); ++i)
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                const QRect common = shown[i]->geometry() & shown[j]->geometry();
                EXPECT_TRUE(common.isEmpty() || common.width() <= 1)
                    << shown[i]->objectName().toStdString() << " and "
                    << shown[j]->objectName().toStdString();
            }
    }
}

struct RestoreCase {
    const char *name;
    const char *values;
    QPoint position;
    int showIndex;
    const char *storedShow;
};

void PrintTo(const RestoreCase &row, std::ostream *out)
{
    *out << row.name;
}

class RestoreTest : public MainWindowTest, public testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, ReadsTheStoredTextAndWritesItBack)
{
    WriteStore(QByteArray("[Tintmarkx]\n") + GetParam().values);
    auto window = MakeWindow();
    EXPECT_EQ(window->pos(), GetParam().position);
    EXPECT_EQ(ShowChooser(*window)->currentIndex(), GetParam().showIndex);
    EXPECT_TRUE(Lines(*window, "texlist").isEmpty());
    window->close();
    EXPECT_EQ(Stored(QStringLiteral("Show")).toString(),
              QString::fromLatin1(GetParam().storedShow));
}

const RestoreCase RestoreCases[] = {
    {"ShowSpecularity", "Show=2\n", {60, 40}, 2, "2"},
    {"ShowOutOfRange", "Show=5\n", {60, 40}, -1, "-1"},
    {"ShowNone", "Show=-1\n", {60, 40}, -1, "-1"},
    {"ShowNotANumber", "Show=two\n", {60, 40}, 0, "0"},
    {"TopHexadecimal", "Top=0x64\n", {60, 100}, 0, "0"},
    {"LeftNotANumber", "Left=abc\n", {60, 40}, 0, "0"},
    {"TopFarOffScreen", "Top=-2000\nLeft=$10\n", {16, -2000}, 0, "0"},
    {"EmptyTexts", "Top=\nLeft=\nShow=\n", {60, 40}, 0, "0"},
    {"OtherSectionIgnored", "Top=7\n[Other]\nLeft=9\n", {60, 7}, 0, "0"},
};

INSTANTIATE_TEST_SUITE_P(Table, RestoreTest, testing::ValuesIn(RestoreCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, StoredFolderIsWhereTheDialogOpensAndIsKeptWithoutAChoice)
{
    const QString folder = workDir.path() + QLatin1Char('/');
    {
        QSettings store(StorePath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Tintmarkx/Load"), folder);
    }
    auto window = MakeWindow();
    script.files.push_back(std::nullopt);
    window->loaditClick();
    EXPECT_EQ(script.fileDialogFolders, QStringList{QDir(folder).absolutePath()});
    window->close();
    EXPECT_EQ(Stored(QStringLiteral("Load")).toString(), folder);
}

struct NonStringCase {
    const char *name;
    QVariant value;
};

void PrintTo(const NonStringCase &row, std::ostream *out)
{
    *out << row.name;
}

class NonStringSettingTest : public MainWindowTest,
                             public testing::WithParamInterface<NonStringCase> {};

TEST_P(NonStringSettingTest, MakesStartUpFailNamingTheValue)
{
    {
        QSettings store(StorePath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Tintmarkx/") + QString::fromLatin1(GetParam().name),
                       GetParam().value);
    }
    try {
        TForm1 window;
        FAIL() << "the window was built";
    } catch (const std::runtime_error &error) {
        EXPECT_EQ(std::string(error.what()),
                  std::string("Invalid data type for '") + GetParam().name + "'");
    }
}

const NonStringCase NonStringCases[] = {
    {"Top", QVariant(QPoint(1, 2))},
    {"Left", QVariant(QStringList{QStringLiteral("1"), QStringLiteral("2")})},
    {"Load", QVariant(QByteArray("c:\\"))},
    {"Show", QVariant(QSize(2, 2))},
};

INSTANTIATE_TEST_SUITE_P(Table, NonStringSettingTest, testing::ValuesIn(NonStringCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ChoosingAModelListsItsMaterialsAndTextures)
{
    const QString path = WriteModel(QStringLiteral("glider.mdl"));
    auto window = MakeWindow();
    Choose(*window, path);

    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(),
              QStringLiteral("glider.mdl"));
    EXPECT_EQ(Lines(*window, "texlist"), ExpectedLines("LOD"));
    EXPECT_EQ(Status(*window), QStringLiteral("5 Materials found"));
    EXPECT_EQ(Lines(*window, "ptslist"),
              (QStringList{QStringLiteral("body_t.dds"), QStringLiteral("wing_t.dds"),
                           QStringLiteral("canopy_t.dds")}));
    EXPECT_FALSE(Button(*window, "Button2")->isEnabled());
    EXPECT_TRUE(script.errorTexts.isEmpty());

    window->close();
    EXPECT_EQ(Stored(QStringLiteral("Load")).toString(), workDir.path() + QLatin1Char('/'));
}

struct FilterCase {
    const char *name;
    int filterIndex;
    const char *fileName;
    const char *prefix;
};

void PrintTo(const FilterCase &row, std::ostream *out)
{
    *out << row.name;
}

class FilterPrefixTest : public MainWindowTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(FilterPrefixTest, TheChosenFilterGivesTheLinePrefix)
{
    const QString path = WriteModel(QString::fromLatin1(GetParam().fileName));
    auto window = MakeWindow();
    Choose(*window, path, GetParam().filterIndex);
    EXPECT_EQ(Lines(*window, "texlist"), ExpectedLines(GetParam().prefix));

    // The dialog keeps the filter for the next choice; a cancelled dialog changes nothing.
    script.files.push_back(std::nullopt);
    window->loaditClick();
    EXPECT_EQ(Lines(*window, "texlist"), ExpectedLines(GetParam().prefix));
    EXPECT_EQ(window->load->selectedNameFilter(),
              window->load->nameFilters().value(GetParam().filterIndex - 1));
}

const FilterCase FilterCases[] = {
    {"AircraftModel", 1, "a.mdl", "LOD"},
    {"SceneryFile", 2, "b.bgl", "OBJ"},
    {"SceneryFilterOnAModel", 2, "c.mdl", "OBJ"},
    {"AnyFileOnScenery", 3, "d.bgl", "LOD"},
};

INSTANTIATE_TEST_SUITE_P(Table, FilterPrefixTest, testing::ValuesIn(FilterCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, RescanBeforeAnyFileEmptiesBothListsAndNothingElse)
{
    auto window = MakeWindow();
    window->findChild<QListWidget *>(QStringLiteral("ptslist"))->addItem(QStringLiteral("x"));
    QTest::mouseClick(Button(*window, "scan"), Qt::LeftButton);
    EXPECT_TRUE(Lines(*window, "texlist").isEmpty());
    EXPECT_TRUE(Lines(*window, "ptslist").isEmpty());
    EXPECT_TRUE(Status(*window).isEmpty());
    EXPECT_TRUE(script.errorTexts.isEmpty());
}

TEST_F(MainWindowTest, AMissingFileClearsTheListsButKeepsTheStatusLine)
{
    const QString path = WriteModel(QStringLiteral("gone.mdl"));
    auto window = MakeWindow();
    Choose(*window, path);
    ASSERT_TRUE(QFile::remove(path));
    QTest::mouseClick(Button(*window, "scan"), Qt::LeftButton);
    EXPECT_TRUE(Lines(*window, "texlist").isEmpty());
    EXPECT_EQ(Status(*window), QStringLiteral("5 Materials found"));
    EXPECT_TRUE(script.errorTexts.isEmpty());
}

TEST_F(MainWindowTest, ChangingTheDisplayChoiceRescansAndDropsUnsavedEdits)
{
    const QString path = WriteModel(QStringLiteral("glider.mdl"));
    auto window = MakeWindow();
    Choose(*window, path);
    SendBackGreenDiffuse(*window, 3);

    QComboBox *chooser = ShowChooser(*window);
    QTest::keyClick(chooser, Qt::Key_Down);
    ASSERT_EQ(chooser->currentIndex(), 1);
    const QStringList specular = Lines(*window, "texlist");
    ASSERT_EQ(specular.size(), 5);
    EXPECT_TRUE(specular[3].endsWith(QStringLiteral("  00 FF 7F FF"))) << specular[3].toStdString();
    EXPECT_EQ(window->Materials().Entries[3].Modified, 0);
    EXPECT_FALSE(Button(*window, "Button2")->isEnabled());

    SendBackGreenDiffuse(*window, 3);
    QTest::keyClick(chooser, Qt::Key_Down);
    ASSERT_EQ(chooser->currentIndex(), 2);
    EXPECT_TRUE(Lines(*window, "texlist")[0].endsWith(QStringLiteral(" 8.0000")));
    EXPECT_EQ(window->Materials().Entries[3].Modified, 0);

    // Editing the chooser's text is a change as well.
    SendBackGreenDiffuse(*window, 3);
    QTest::keyClicks(chooser->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(window->Materials().Entries[3].Modified, 0);
    EXPECT_FALSE(Button(*window, "Button2")->isEnabled());
}

TEST_F(MainWindowTest, SaveCancelledLeavesFileAndEditsAlone)
{
    const QString path = WriteModel(QStringLiteral("glider.mdl"));
    auto window = MakeWindow();
    Choose(*window, path);
    SendBackGreenDiffuse(*window, 3);
    const QStringList linesBefore = Lines(*window, "texlist");

    script.confirmations.push_back(false);
    QTest::mouseClick(Button(*window, "Button2"), Qt::LeftButton);

    EXPECT_EQ(script.confirmCaptions, QStringList{QStringLiteral("Tintmark")});
    EXPECT_EQ(script.confirmTexts,
              QStringList{QStringLiteral("This will update the MDL with the new\nPoly Colour "
                                         "data. Ensure you have a\nbackup copy somewhere safe!")});
    EXPECT_EQ(ReadAll(path), QByteArray(reinterpret_cast<const char *>(model.bytes.data()),
                                        qsizetype(model.bytes.size())));
    EXPECT_EQ(window->Materials().Entries[3].Modified, 1);
    EXPECT_TRUE(Button(*window, "Button2")->isEnabled());
    EXPECT_EQ(Lines(*window, "texlist"), linesBefore);
}

TEST_F(MainWindowTest, SaveConfirmedPatchesOnlyTheModifiedRecordAndRescans)
{
    const QString path = WriteModel(QStringLiteral("glider.mdl"));
    auto window = MakeWindow();
    Choose(*window, path);
    SendBackGreenDiffuse(*window, 3);
    const MaterialRecord edited = window->Materials().Records[3];

    script.confirmations.push_back(true);
    QTest::mouseClick(Button(*window, "Button2"), Qt::LeftButton);

    std::vector<std::uint8_t> expected = model.bytes;
    std::copy(edited.Bytes.begin(), edited.Bytes.end(),
              expected.begin() + model.materialOffsets[3]);
    const QByteArray onDisk = ReadAll(path);
    EXPECT_EQ(onDisk, QByteArray(reinterpret_cast<const char *>(expected.data()),
                                 qsizetype(expected.size())));
    EXPECT_TRUE(script.errorTexts.isEmpty());
    EXPECT_EQ(window->Materials().Entries[3].Modified, 0);
    EXPECT_FALSE(Button(*window, "Button2")->isEnabled());
    EXPECT_TRUE(Lines(*window, "texlist")[3].endsWith(QStringLiteral("  00 FF 00 FF")));
}

enum class SaveFault { ReadOnly, Removed, ChangedOnDisk };

struct SaveFailureCase {
    const char *name;
    SaveFault fault;
    const char *reasonPart;
};

void PrintTo(const SaveFailureCase &row, std::ostream *out)
{
    *out << row.name;
}

class SaveFailureTest : public MainWindowTest,
                        public testing::WithParamInterface<SaveFailureCase> {};

TEST_P(SaveFailureTest, ReportsWhyAndKeepsTheEditsMarked)
{
    const QString path = WriteModel(QStringLiteral("glider.mdl"));
    auto window = MakeWindow();
    Choose(*window, path);
    SendBackGreenDiffuse(*window, 3);

    switch (GetParam().fault) {
    case SaveFault::ReadOnly:
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
        if (QFile(path).open(QIODevice::ReadWrite))
            GTEST_SKIP() << "this user may write read-only files";
        break;
    case SaveFault::Removed:
        ASSERT_TRUE(QFile::remove(path));
        break;
    case SaveFault::ChangedOnDisk: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(model.materialOffsets[3] + 40);
        file.write("\x01\x02\x03\x04", 4);
        break;
    }
    }
    const QByteArray before = ReadAll(path);

    script.confirmations.push_back(true);
    QTest::mouseClick(Button(*window, "Button2"), Qt::LeftButton);

    ASSERT_EQ(script.errorTexts.size(), 1);
    EXPECT_EQ(script.errorCaptions.first(), QStringLiteral("Tintmark"));
    EXPECT_TRUE(script.errorTexts.first().contains(QLatin1String(GetParam().reasonPart)))
        << script.errorTexts.first().toStdString();
    EXPECT_TRUE(script.errorTexts.first().contains(path));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(window->Materials().Entries[3].Modified, 1);
    EXPECT_TRUE(Button(*window, "Button2")->isEnabled());
    EXPECT_EQ(Lines(*window, "texlist").size(), 5);
}

const SaveFailureCase SaveFailureCases[] = {
    {"ReadOnlyFile", SaveFault::ReadOnly, "Could not open the file for writing"},
    {"FileRemoved", SaveFault::Removed, "Could not open the file for writing"},
    {"FileChangedOnDisk", SaveFault::ChangedOnDisk, "changed on disk"},
};

INSTANTIATE_TEST_SUITE_P(Table, SaveFailureTest, testing::ValuesIn(SaveFailureCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(WindowDialogsTest, ConfirmationBoxHasNoIconAndCancelAnswersNo)
{
    WindowDialogs dialogs;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        shownText = box->text();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(dialogs.Confirm(nullptr, QStringLiteral("Tintmark"), QStringLiteral("Sure?")));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(shownText, QStringLiteral("Sure?"));
}

TEST_F(MainWindowTest, AboutShowsTheBoxModallyAtTheWindowCornerWithTheDescription)
{
    auto window = MakeWindow();
    TAboutForm about(window.get());
    window->SetAboutBox(&about);
    window->show();
    window->move(120, 90);

    bool wasModal = false;
    QPoint shownAt;
    QTimer::singleShot(0, &about, [&] {
        wasModal = about.isVisible() && about.isModal();
        shownAt = about.pos();
        about.reject();
    });
    QTest::mouseClick(Button(*window, "Button3"), Qt::LeftButton);

    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownAt, window->pos());
    EXPECT_EQ(about.Description(),
              QStringLiteral("Program to allow the editing of Aircraft MDL files to change the "
                             "colours and properties of the Materials used\n\n"));
    EXPECT_FALSE(about.isVisible());
}

} // namespace
