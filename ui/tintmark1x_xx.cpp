#include "tintmark1x_xx.h"

#include "aboutbox.h"
#include "materiallines.h"
#include "materialwriter.h"
#include "settingstext.h"
#include "shape.h"
#include "ui_tintmark1x_xx.h"
#include "updown.h"
#include "windowdialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSettings>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace {

const QString MessageCaption = QStringLiteral("Tintmark");
const QString SaveWarning = QStringLiteral("This will update the MDL with the new\n"
                                           "Poly Colour data. Ensure you have a\n"
                                           "backup copy somewhere safe!");
const QStringList ModelFileFilters = {QStringLiteral("Aircraft Model (*.mdl)"),
                                      QStringLiteral("Scenery File (*.bgl)"),
                                      QStringLiteral("Any File (*)")};

constexpr int DefaultTop = 40;
constexpr int DefaultLeft = 60;
const QString DefaultLoadFolder = QStringLiteral("c:\\");
constexpr int DefaultShow = 0;

std::filesystem::path FileSystemPath(const QString &path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

std::unique_ptr<QSettings> OpenSettingsStore()
{
#ifdef _WIN32
    auto store = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Corvane"),
                                             QSettings::NativeFormat);
#else
    // $XDG_CONFIG_HOME/Corvane.conf
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Corvane"));
#endif
    store->beginGroup(QStringLiteral("Tintmarkx"));
    return store;
}

// The largest size of a fixed-pitch font whose digits are 8 pixels wide: the column
// headings above the material list stand where an 8-pixel cell puts the columns.
QFont FixedFontWithEightPixelCells()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), font.family()});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setStretch(QFont::Unstretched);
    for (int size = 14; size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(QLatin1Char('0')) <= 8)
            break;
    }
    return font;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()),
      materials_(std::make_unique<hueforge::MaterialTable>()),
      textures_(std::make_unique<hueforge::TextureNameTable>()),
      dialogs_(std::make_unique<WindowDialogs>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    ApplyFallbackFonts();
    FitAutoSizeLabels();

    load = new QFileDialog(this);
    load->setObjectName(QStringLiteral("load"));
    load->setFileMode(QFileDialog::AnyFile);
    load->setAcceptMode(QFileDialog::AcceptOpen);
    load->setNameFilters(ModelFileFilters);

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));

    settings_ = OpenSettingsStore();
    RestoreSettings();
    BindPanelControls();
    ConnectHandlers();
}

TForm1::~TForm1() = default;

void TForm1::SetDialogs(std::unique_ptr<WindowDialogs> dialogs)
{
    dialogs_ = std::move(dialogs);
}

void TForm1::ApplyFallbackFonts()
{
    // The layout is drawn for Windows' 8-point bitmap sans; where it is missing, a sans
    // of the same 11-pixel height keeps the captions inside their controls.
    if (QFontInfo(font()).family() != font().family()) {
        QFont sans = font();
        sans.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
        sans.setStyleHint(QFont::SansSerif);
        sans.setPixelSize(11);
        // A wider face is narrowed until the longest caption between the two columns of
        // the properties panel leaves a gap before the second column.
        const int widest =
            QFontMetrics(sans).horizontalAdvance(QStringLiteral("Specular Bloom Floor"));
        if (widest > 104)
            sans.setStretch(100 * 104 / widest);
        setFont(sans);
    }
    const QFont listFont = ui->texlist->font();
    if (QFontInfo(listFont).family() != listFont.family())
        ui->texlist->setFont(FixedFontWithEightPixelCells());
}

void TForm1::FitAutoSizeLabels()
{
    for (QLabel *label : findChildren<QLabel *>()) {
        if (!label->property("AutoSize").toBool())
            continue;
        const QRect before = label->geometry();
        label->adjustSize();
        // A right-aligned label grows to the left, keeping its right edge.
        if (label->alignment() & Qt::AlignRight)
            label->move(before.right() - label->width() + 1, before.top());
    }
}

void TForm1::ConnectHandlers()
{
    connect(ui->Button1, &QPushButton::clicked, this, &TForm1::loaditClick);
    connect(ui->scan, &QPushButton::clicked, this, &TForm1::scanClick);
    connect(ui->ComboBox1, &QComboBox::activated, this, &TForm1::scanClick);
    connect(ui->ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TForm1::scanClick);
    connect(ui->texlist, &QListWidget::itemSelectionChanged, this, &TForm1::texlistClick);
    connect(ui->ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(ui->Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TForm1::SaveAs1Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    for (QPushButton *button : {ui->Button4, ui->Button10, ui->Button11, ui->Button12})
        connect(button, &QPushButton::clicked, this, &TForm1::Button4Click);
    for (QPushButton *button : {ui->Button13, ui->Button14, ui->Button15, ui->Button16})
        connect(button, &QPushButton::clicked, this, &TForm1::Button13Click);
    for (QLineEdit *field : {ui->NumEdit1, ui->NumEdit2, ui->NumEdit3, ui->NumEdit4})
        connect(field, &QLineEdit::textChanged, this, &TForm1::NumEdit1Change);
    connect(ui->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);

    // Only a choice by the user replaces a stored value the chooser has no item for.
    connect(ui->sourceblend, &QComboBox::activated, this,
            [this] { panel_.SourceBlend.Chosen = true; });
    connect(ui->destblend, &QComboBox::activated, this,
            [this] { panel_.DestinationBlend.Chosen = true; });
    connect(ui->alphatest, &QComboBox::activated, this,
            [this] { panel_.AlphaTestFunction.Chosen = true; });
}

void TForm1::BindPanelControls()
{
    const std::array<TShape *, 4> shapes{ui->Shape2, ui->Shape3, ui->Shape4, ui->Shape5};
    const std::array<TShape *, 4> markers{ui->Shape6, ui->Shape7, ui->Shape8, ui->Shape9};
    for (std::size_t slot = 0; slot < swatches_.size(); ++slot)
        swatches_[slot] = ColourSwatch{shapes[slot], markers[slot], 0.0f};
    ui->UpDown1->setAssociate(ui->NumEdit1);
    ui->UpDown2->setAssociate(ui->NumEdit2);
    ui->UpDown3->setAssociate(ui->NumEdit3);
    ui->UpDown4->setAssociate(ui->NumEdit4);
}

QString TForm1::ReadSettingText(const QString &name, const QString &fallback) const
{
    const QVariant value = settings_->value(name);
    if (!value.isValid())
        return fallback;
    if (value.typeId() != QMetaType::QString)
        throw std::runtime_error(
            QStringLiteral("Invalid data type for '%1'").arg(name).toStdString());
    return value.toString();
}

int TForm1::ReadSettingInteger(const QString &name, int fallback) const
{
    return hueforge::SettingsIntegerOr(ReadSettingText(name, {}).toStdString(), fallback);
}

void TForm1::RestoreSettings()
{
    settings_->setValue(QStringLiteral("Program"),
                        QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    const int top = ReadSettingInteger(QStringLiteral("Top"), DefaultTop);
    const int left = ReadSettingInteger(QStringLiteral("Left"), DefaultLeft);
    move(left, top);
    loadFolder_ = ReadSettingText(QStringLiteral("Load"), DefaultLoadFolder);
    const int show = ReadSettingInteger(QStringLiteral("Show"), DefaultShow);
    ui->ComboBox1->setCurrentIndex(show >= 0 && show < ui->ComboBox1->count() ? show : -1);
    ui->ComboBox2->setCurrentIndex(0);
}

void TForm1::FormClose()
{
    if (!settings_)
        return;
    settings_->setValue(QStringLiteral("Top"), QString::number(pos().y()));
    settings_->setValue(QStringLiteral("Left"), QString::number(pos().x()));
    settings_->setValue(QStringLiteral("Show"), QString::number(ui->ComboBox1->currentIndex()));
    settings_->setValue(QStringLiteral("Load"), loadFolder_);
    settings_->sync();
    const bool written = settings_->status() == QSettings::NoError;
    const QString where = settings_->fileName();
    settings_.reset();
    if (!written)
        throw std::runtime_error(
            QStringLiteral("Could not write the settings to %1").arg(where).toStdString());
}

void TForm1::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}

QWidget *TForm1::DialogOwner()
{
    QWidget *active = QApplication::activeWindow();
    return active ? active : this;
}

void TForm1::loaditClick()
{
    load->setDirectory(QDir(loadFolder_).exists() ? loadFolder_ : QDir::homePath());
    load->selectNameFilter(ModelFileFilters.value(filterIndex_ - 1, ModelFileFilters.first()));
    if (!dialogs_->ChooseFile(*load))
        return;
    const QStringList chosen = load->selectedFiles();
    if (chosen.isEmpty())
        return;

    modelPath_ = QDir::toNativeSeparators(chosen.first());
    filterIndex_ = ModelFileFilters.indexOf(load->selectedNameFilter()) + 1;
    if (filterIndex_ < 1)
        filterIndex_ = 1;
    const hueforge::ChosenPathParts parts = hueforge::SplitChosenPath(modelPath_.toStdString());
    loadFolder_ = QString::fromStdString(parts.Folder);
    ui->Edit1->setText(QString::fromStdString(parts.Name));
    scanClick();
}

void TForm1::scanClick()
{
    hueforge::ScanModelFile(FileSystemPath(modelPath_), *materials_, *textures_, *this);
}

void TForm1::SaveAs1Click()
{
    if (!dialogs_->Confirm(DialogOwner(), MessageCaption, SaveWarning))
        return;
    const hueforge::SaveResult result =
        hueforge::WriteModifiedMaterials(FileSystemPath(modelPath_), *materials_);
    if (result.Status != hueforge::SaveStatus::Saved) {
        dialogs_->ShowError(DialogOwner(), MessageCaption,
                            QStringLiteral("The changes were not saved to %1.\n\n%2")
                                .arg(modelPath_, QString::fromStdString(result.Reason)));
        return;
    }
    scanClick();
}

void TForm1::RefreshMaterialList()
{
    const int property = ui->ComboBox1->currentIndex();
    const std::string_view prefix = hueforge::LinePrefix(filterIndex_);
    QStringList lines;
    lines.reserve(materials_->MaterialCount);
    for (int i = 0; i < materials_->MaterialCount; ++i)
        lines.append(QString::fromStdString(hueforge::FormatMaterialLine(
            prefix, property, materials_->Entries[std::size_t(i)], i + 1)));
    {
        // Rebuilding the list is no selection by the user.
        const QSignalBlocker blocker(ui->texlist);
        ui->texlist->clear();
        ui->texlist->addItems(lines);
    }
    ui->Label1->setText(
        QString::fromStdString(hueforge::MaterialCountText(materials_->MaterialCount)));
}

void TForm1::ClearMaterialList()
{
    const QSignalBlocker blocker(ui->texlist);
    ui->texlist->clear();
}

void TForm1::ClearTextureList()
{
    ui->ptslist->clear();
}

void TForm1::AppendTextureName(std::string_view name)
{
    ui->ptslist->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

void TForm1::SetSaveEnabled(bool enabled)
{
    ui->Button2->setEnabled(enabled);
}

void TForm1::ShowScanError(std::string_view message)
{
    dialogs_->ShowError(DialogOwner(), MessageCaption,
                        QString::fromUtf8(message.data(), qsizetype(message.size())));
}

void TForm1::Button3Click()
{
    if (!aboutBox_)
        return;
    aboutBox_->setDescription(
        QStringLiteral("Program to allow the editing of Aircraft MDL files to "
                       "change the colours and properties of the Materials "
                       "used\n\n"));
    aboutBox_->ShowModalAt(pos());
}

namespace {

constexpr const char *ListIndexError = "List index out of bounds";

int WholeChannel(double number)
{
    // Uncommitted text may hold any number; the preview never lets it spill into a
    // neighbouring channel.
    if (std::isnan(number))
        return 0;
    return int(std::clamp(std::trunc(number), 0.0, 255.0));
}

} // namespace

int TForm1::SelectedRow() const
{
    const int rows = std::min(ui->texlist->count(), materials_->MaterialCount);
    for (int row = 0; row < rows; ++row)
        if (ui->texlist->item(row)->isSelected())
            return row;
    return -1;
}

int TForm1::SlotOf(const QObject *button)
{
    const int tag = button ? button->property("Tag").toInt() : 0;
    return std::clamp(tag, 0, 3);
}

std::array<TNumEdit *, 10> TForm1::ParameterFields() const
{
    return {ui->NumEdit5,  ui->NumEdit6,  ui->NumEdit7,  ui->NumEdit8,  ui->NumEdit9,
            ui->NumEdit10, ui->NumEdit11, ui->NumEdit12, ui->NumEdit13, ui->NumEdit14};
}

void TForm1::ShowMarker(int slot)
{
    for (const ColourSwatch &swatch : swatches_)
        swatch.Marker->hide();
    if (slot >= 0)
        swatches_[std::size_t(slot)].Marker->show();
}

void TForm1::ShowPanelValues(const hueforge::MaterialPanelValues &values)
{
    panel_ = values;
    for (std::size_t slot = 0; slot < values.Swatches.size(); ++slot) {
        swatches_[slot].Shape->setBrushColor(values.Swatches[slot].Colour);
        swatches_[slot].Alpha = values.Swatches[slot].Alpha;
    }
    const std::array<TNumEdit *, 10> parameters = ParameterFields();
    for (std::size_t i = 0; i < parameters.size(); ++i)
        parameters[i]->setNumber(values.Parameters[i]);

    const auto showChooser = [](TNumEdit *raw, QComboBox *chooser,
                                const hueforge::ChooserValue &value, int itemCount) {
        raw->setNumber(double(value.Raw));
        chooser->setCurrentIndex(hueforge::ChooserItemForValue(raw->Number(), itemCount));
    };
    showChooser(ui->NumEdit15, ui->sourceblend, values.SourceBlend, hueforge::BlendFactorCount);
    showChooser(ui->NumEdit16, ui->destblend, values.DestinationBlend, hueforge::BlendFactorCount);
    showChooser(ui->NumEdit17, ui->alphatest, values.AlphaTestFunction,
                hueforge::AlphaCompareCount);

    ui->NumEdit18->setNumber(values.Flags1);
    ui->NumEdit19->setNumber(values.Flags2);
}

hueforge::MaterialPanelValues TForm1::ReadPanelValues()
{
    hueforge::MaterialPanelValues values = panel_;
    for (std::size_t slot = 0; slot < values.Swatches.size(); ++slot) {
        values.Swatches[slot].Colour = swatches_[slot].Shape->BrushColor();
        values.Swatches[slot].Alpha = swatches_[slot].Alpha;
    }
    const std::array<TNumEdit *, 10> parameters = ParameterFields();
    for (std::size_t i = 0; i < parameters.size(); ++i)
        values.Parameters[i] = parameters[i]->Number();
    values.SourceBlend.Item = ui->sourceblend->currentIndex();
    values.DestinationBlend.Item = ui->destblend->currentIndex();
    values.AlphaTestFunction.Item = ui->alphatest->currentIndex();
    values.Flags1 = ui->NumEdit18->Number();
    values.Flags2 = ui->NumEdit19->Number();
    return values;
}

void TForm1::FillMaterialPanel(int row)
{
    const auto index = std::size_t(row);
    ShowPanelValues(
        hueforge::PanelValuesFromMaterial(materials_->Entries[index], materials_->Records[index]));
}

void TForm1::texlistClick()
{
    const int row = SelectedRow();
    if (row >= 0)
        FillMaterialPanel(row);
    ShowMarker(-1);
    ComboBox2Change();
}

void TForm1::ComboBox2Change()
{
    const int row = SelectedRow();
    const int slotIndex = ui->ComboBox2->currentIndex();
    if (row < 0 || slotIndex < 0)
        return;
    const auto slot = hueforge::TextureSlot(slotIndex);
    const std::int32_t texture =
        hueforge::TextureIndex(materials_->Records[std::size_t(row)], slot);
    if (texture < 0 || texture >= ui->ptslist->count())
        throw std::out_of_range(ListIndexError);
    ui->Label22->setText(ui->ptslist->item(texture)->text());

    // The flags on screen, also when they have not been sent back yet.
    const std::int32_t flags1 = hueforge::FlagWordFromNumber(ui->NumEdit18->Number());
    if (!hueforge::HasTexture(flags1, texture, slot))
        ui->Label22->setText(QStringLiteral("NO TEXTURE"));
}

void TForm1::Button6Click()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const auto index = std::size_t(row);
    hueforge::ApplyPanelValues(ReadPanelValues(), materials_->Entries[index],
                               materials_->Records[index]);
    RefreshMaterialList();
    SetSaveEnabled(true);
    {
        const QSignalBlocker blocker(ui->texlist);
        ui->texlist->setCurrentRow(row);
    }
    texlistClick();
}

void TForm1::MoveSlotToPanel(int slot)
{
    const ColourSwatch &swatch = swatches_[std::size_t(slot)];
    const int colour = swatch.Shape->BrushColor();
    const int red = hueforge::RedOf(colour);
    const int green = hueforge::GreenOf(colour);
    const int blue = hueforge::BlueOf(colour);
    // Each write that changes a field's text runs NumEdit1Change inside it.
    ui->NumEdit1->setNumber(red);
    ui->NumEdit2->setNumber(green);
    ui->NumEdit3->setNumber(blue);
    ui->NumEdit4->setNumber(hueforge::AlphaToNumber(swatch.Alpha));
    ui->Shape1->setBrushColor(hueforge::PackColour(red, green, blue));
}

void TForm1::Button4Click()
{
    const int slot = SlotOf(sender());
    if (SelectedRow() >= 0)
        MoveSlotToPanel(slot);
    ShowMarker(slot);
}

void TForm1::Button13Click()
{
    const int slot = SlotOf(sender());
    ColourSwatch &swatch = swatches_[std::size_t(slot)];
    swatch.Shape->setBrushColor(ui->Shape1->BrushColor());
    swatch.Alpha = hueforge::NumberToAlpha(ui->NumEdit4->Number());
    if (std::size_t(slot) < panel_.Swatches.size())
        panel_.Swatches[std::size_t(slot)].Replaced = true;
    ShowMarker(slot);
}

void TForm1::NumEdit1Change()
{
    const int red = WholeChannel(ui->NumEdit1->Number());
    const int green = WholeChannel(ui->NumEdit2->Number());
    const int blue = WholeChannel(ui->NumEdit3->Number());
    ui->NumEdit4->Number();
    ui->Shape1->setBrushColor(hueforge::PackColour(red, green, blue));
}

void TForm1::Button5Click()
{
    ColorDialog1->setCurrentColor(TShape::ColourOf(ui->Shape1->BrushColor()));
    if (!dialogs_->ChooseColour(*ColorDialog1))
        return;
    const QColor chosen = ColorDialog1->currentColor();
    ui->NumEdit1->setNumber(chosen.red());
    ui->NumEdit2->setNumber(chosen.green());
    ui->NumEdit3->setNumber(chosen.blue());
}
