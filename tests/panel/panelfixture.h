#pragma once

#include "materialrecord.h"
#include "modelgen.h"
#include "numedit.h"
#include "shape.h"
#include "tintmark1x_xx.h"
#include "windowdialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace paneltest {

using hueforge::ColourChannel;
using hueforge::MaterialRecord;
namespace RecordOffset = hueforge::RecordOffset;

namespace {
// Table rows print as their names in test listings.
template <typename Case>
requires requires(const Case &c)
{
    c.name;
}
void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}
} // namespace

// What the fake dialogs were asked and how they answer.
struct DialogScript {
    QString file;
    std::deque<std::optional<QColor>> colours; // nullopt: the user cancels
    QList<QColor> colourStarts;
    bool confirm = true;
    QStringList errors;
};

class ScriptedDialogs : public WindowDialogs {
public:
    explicit ScriptedDialogs(DialogScript &script) : script_(script) {}

    bool ChooseFile(QFileDialog &dialog) override
    {
        dialog.selectFile(script_.file);
        return true;
    }
    bool ChooseColour(QColorDialog &dialog) override
    {
        script_.colourStarts.append(dialog.currentColor());
        if (script_.colours.empty()) {
            ADD_FAILURE() << "unexpected colour dialog";
            return false;
        }
        const auto answer = script_.colours.front();
        script_.colours.pop_front();
        if (answer)
            dialog.setCurrentColor(*answer);
        return answer.has_value();
    }
    bool Confirm(QWidget *, const QString &, const QString &) override { return script_.confirm; }
    void ShowError(QWidget *, const QString &, const QString &text) override
    {
        script_.errors.append(text);
    }

private:
    DialogScript &script_;
};

inline const std::vector<std::string> TextureNames = {"body_t.dds", "wing_t.dds", "canopy_t.dds"};

inline MaterialRecord PlainMaterial()
{
    MaterialRecord record = hueforge::sample::MakeMaterial(0);
    for (std::size_t offset :
         {RecordOffset::DiffuseTexture, RecordOffset::DetailTexture, RecordOffset::BumpTexture,
          RecordOffset::SpecularTexture, RecordOffset::EmissiveTexture,
          RecordOffset::ReflectionTexture, RecordOffset::FresnelTexture})
        record.SetInt(offset, 0);
    record.SetFlags1(0);
    return record;
}

inline void SetDiffuse(MaterialRecord &record, float r, float g, float b, float a)
{
    record.SetDiffuseColor(ColourChannel::Red, r);
    record.SetDiffuseColor(ColourChannel::Green, g);
    record.SetDiffuseColor(ColourChannel::Blue, b);
    record.SetDiffuseColor(ColourChannel::Alpha, a);
}

class PanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(configDir.isValid());
        ASSERT_TRUE(workDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
        window = std::make_unique<TForm1>();
        window->SetDialogs(std::make_unique<ScriptedDialogs>(script));
    }

    // Writes a model with these materials in one block and opens it in the window.
    void Open(const std::vector<MaterialRecord> &materials)
    {
        hueforge::sample::ModelLayout description;
        description.textureNames = TextureNames;
        description.materialBlocks = {materials};
        description.verticesPerBlock = 4;
        model = hueforge::sample::GenerateModel(description);
        modelPath = workDir.filePath(QStringLiteral("panel.mdl"));
        QFile file(modelPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(model.bytes.data()), qint64(model.bytes.size()));
        file.close();
        script.file = modelPath;
        window->loaditClick();
        ASSERT_EQ(window->Materials().MaterialCount, int(materials.size()));
    }

    template <typename T = QWidget> T *Find(const char *name) const
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    TNumEdit *Field(const char *name) const { return Find<TNumEdit>(name); }
    QString Text(const char *name) const { return Field(name)->text(); }
    int Colour(const char *shape) const { return Find<TShape>(shape)->BrushColor(); }
    QString Texture() const { return Find<QLabel>("Label22")->text(); }
    void Click(const char *button) const
    {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
    }
    void Select(int row) const { Find<QListWidget>("texlist")->setCurrentRow(row); }
    // The names of the visible markers.
    QStringList VisibleMarkers() const
    {
        QStringList shown;
        for (const char *name : {"Shape6", "Shape7", "Shape8", "Shape9"})
            if (Find<TShape>(name)->isVisibleTo(window.get()))
                shown.append(QString::fromLatin1(name));
        return shown;
    }
    // Replaces a field's text as the user would type it.
    void Type(const char *name, const QString &text) const
    {
        TNumEdit *field = Field(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    QTemporaryDir configDir;
    QTemporaryDir workDir;
    DialogScript script;
    std::unique_ptr<TForm1> window;
    hueforge::sample::GeneratedModel model;
    QString modelPath;
};

} // namespace paneltest
