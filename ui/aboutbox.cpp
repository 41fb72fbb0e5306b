#include "aboutbox.h"

#include "aboutlogic.h"
#include "settingstext.h"
#include "ui_aboutbox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QShowEvent>
#include <QTextDocument>
#include <algorithm>

static void loadResources()
{
    // The resources live in a static library: nothing would pull them in otherwise.
    Q_INIT_RESOURCE(hueforge);
}

namespace {

QString fromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

TAboutForm::TAboutForm(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TAboutForm>()),
      m_openLink([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    loadResources();
    ui->setupUi(this);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    ui->Memo3->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));

    // The rows line up their hyphens only in a fixed-pitch face.
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setFixedPitch(true);
    listFont.setPixelSize(11);
    ui->ListBox1->setFont(listFont);

    // The layout was measured in a narrow bitmap face; where a wider substitute is used,
    // labels grow to their text rather than clip it.
    for (QLabel *label : {ui->Label4, ui->Label5, ui->Label6}) {
        const QSize needed = label->sizeHint();
        label->resize(std::max(label->width(), needed.width()),
                      std::max(label->height(), needed.height()));
    }

    connect(ui->ListBox1, &QListWidget::itemSelectionChanged, this, &TAboutForm::ListBox1Click);
    connect(ui->MButton2, &TMButton::OnClick, this, &TAboutForm::MButton2Click);
    connect(ui->MButton3, &TMButton::OnClick, this, &TAboutForm::MButton3Click);
    connect(ui->MButton1, &TMButton::OnClick, this, &TAboutForm::MButton3Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TAboutForm::Button1Click);
}

TAboutForm::~TAboutForm() = default;

int TAboutForm::ShowModalAt(const QPoint &topLeft)
{
    m_topLeft = topLeft;
    return exec();
}

void TAboutForm::setLinkOpener(std::function<void(const QUrl &)> opener)
{
    m_openLink = std::move(opener);
}

QIcon TAboutForm::ApplicationIcon()
{
    loadResources();
    QIcon icon;
    for (const char *file : {":/images/hueforge.png", ":/images/hueforge-48.png",
                             ":/images/hueforge-64.png", ":/images/hueforge-128.png"})
        icon.addFile(QString::fromLatin1(file));
    return icon;
}

void TAboutForm::showEvent(QShowEvent *event)
{
    // The window system's own show events (restoring from minimized) are no new showing.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TAboutForm::FormShow()
{
    if (m_topLeft)
        move(*m_topLeft);
    else if (parentWidget())
        move(parentWidget()->window()->pos());

    const std::string executable = QCoreApplication::applicationFilePath().toStdString();
    ui->Label2->setText(fromStd(hueforge::ApplicationTitleFromPath(executable)) +
                        QStringLiteral(" - No Version Number found"));
    if (const auto version = hueforge::ReadFileVersion(executable))
        ui->Label2->setText(QStringLiteral("Version ") + fromStd(hueforge::VersionText(*version)));
    ui->Label2->adjustSize();

    ui->Label1->setText(m_description);

    ui->ListBox1->clear();
    ui->ListBox2->clear();
    const auto folders =
        hueforge::LibrarySearchFolders(QCoreApplication::applicationDirPath().toStdString(),
                                       qEnvironmentVariable("LD_LIBRARY_PATH").toStdString());
    hueforge::LibraryRows rows;
    for (const hueforge::CompanionLibrary &library : hueforge::CompanionLibraries)
        hueforge::AddLibraryLine(rows, library,
                                 hueforge::FindLibraryVersion(library.FileName, folders));
    for (std::size_t i = 0; i < rows.Lines.size(); ++i) {
        ui->ListBox1->addItem(QString::fromStdString(rows.Lines[i]));
        ui->ListBox2->addItem(QString::fromStdString(rows.Descriptions[i]));
    }

    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = ApplicationIcon();
    ui->Image1->setPixmap(icon.pixmap(32, 32));
    ui->Image1->adjustSize();
}

void TAboutForm::ListBox1Click()
{
    for (int row = 0; row < ui->ListBox1->count(); ++row) {
        if (ui->ListBox1->item(row)->isSelected()) {
            ui->Label3->setText(ui->ListBox2->item(row)->text() + QLatin1Char(' '));
            return;
        }
    }
}

void TAboutForm::MButton2Click()
{
    m_openLink(QUrl(QStringLiteral("mailto:") + fromStd(hueforge::MakerEmail)));
    close();
}

void TAboutForm::MButton3Click()
{
    m_openLink(QUrl(fromStd(hueforge::MakerWebsite)));
    close();
}

void TAboutForm::Button1Click()
{
    close();
}
