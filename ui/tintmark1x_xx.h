#pragma once

#include "materialpanel.h"
#include "materialtable.h"
#include "modelscanner.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class QColorDialog;
class QFileDialog;
class QSettings;
class TAboutForm;
class TNumEdit;
class TShape;
class WindowDialogs;

namespace Ui {
class TForm1;
}

// One swatch slot of the properties panel: its colour is the swatch shape's fill colour.
struct ColourSwatch {
    TShape *Shape = nullptr;
    TShape *Marker = nullptr;
    float Alpha = 0.0f;
};

// The main window. It owns the material and texture tables for the whole run, opens the
// settings store in its constructor and writes the settings when it closes. The
// constructor throws std::runtime_error when a stored setting is not a text value.
class TForm1 : public QWidget, private hueforge::ScanHost {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The box the "About" button shows; owned by the caller, which keeps it for the run.
    void SetAboutBox(TAboutForm *aboutBox) { aboutBox_ = aboutBox; }

    // Replaces the dialogs the window shows; tests answer them through this.
    void SetDialogs(std::unique_ptr<WindowDialogs> dialogs);

    // Rebuilds the material list and the status line from the table.
    void RefreshMaterialList() override;

    const hueforge::MaterialTable &Materials() const { return *materials_; }
    hueforge::MaterialTable &Materials() { return *materials_; }
    const hueforge::TextureNameTable &Textures() const { return *textures_; }
    const ColourSwatch &Swatch(int slot) const { return swatches_[std::size_t(slot)]; }
    // The model file chosen last; empty before the first choice.
    QString ModelFilePath() const { return modelPath_; }

    QFileDialog *load = nullptr;
    QColorDialog *ColorDialog1 = nullptr;

public slots:
    void loaditClick();
    void scanClick();
    void SaveAs1Click();
    void FormClose();
    void Button3Click();
    void texlistClick();
    // Throws std::out_of_range when the slot's texture index is not a line of ptslist.
    void ComboBox2Change();
    void Button6Click();
    void Button4Click();
    void Button13Click();
    void NumEdit1Change();
    void Button5Click();

    // Shows entry and record `row` of the table on the properties panel.
    void FillMaterialPanel(int row);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ClearMaterialList() override;
    void ClearTextureList() override;
    void AppendTextureName(std::string_view name) override;
    void SetSaveEnabled(bool enabled) override;
    void ShowScanError(std::string_view message) override;

    void ApplyFallbackFonts();
    void FitAutoSizeLabels();
    void ConnectHandlers();
    void RestoreSettings();
    QString ReadSettingText(const QString &name, const QString &fallback) const;
    int ReadSettingInteger(const QString &name, int fallback) const;
    QWidget *DialogOwner();

    void BindPanelControls();
    int SelectedRow() const;
    void ShowPanelValues(const hueforge::MaterialPanelValues &values);
    hueforge::MaterialPanelValues ReadPanelValues();
    std::array<TNumEdit *, 10> ParameterFields() const;
    // Hides every marker, then shows the one of `slot` (none for -1).
    void ShowMarker(int slot);
    void MoveSlotToPanel(int slot);
    static int SlotOf(const QObject *button);

    std::unique_ptr<Ui::TForm1> ui;
    std::unique_ptr<hueforge::MaterialTable> materials_;
    std::unique_ptr<hueforge::TextureNameTable> textures_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<WindowDialogs> dialogs_;
    TAboutForm *aboutBox_ = nullptr;
    std::array<ColourSwatch, 4> swatches_;
    // The last fill, with the stored values the controls cannot show.
    hueforge::MaterialPanelValues panel_;
    QString loadFolder_;
    QString modelPath_;
    int filterIndex_ = 1;
};
