#include "application.h"

#include "aboutbox.h"
#include "settingstext.h"

#include <QIcon>
#include <QMessageBox>
#include <exception>

HueforgeApplication::HueforgeApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setWindowIcon(TAboutForm::ApplicationIcon());
}

bool HueforgeApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

QString HueforgeApplication::Title()
{
    return QString::fromStdString(
        hueforge::ApplicationTitleFromPath(applicationFilePath().toStdString()));
}

void HueforgeApplication::ShowError(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, Title(), message + QLatin1Char('.'), QMessageBox::Ok,
                    activeWindow());
    box.exec();
}
