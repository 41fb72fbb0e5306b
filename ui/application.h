#pragma once

#include <QApplication>

// The application object with the general error handler: an error escaping an event
// handler is shown in an error box captioned with the application title, and the event
// loop goes on.
class HueforgeApplication : public QApplication {
    Q_OBJECT
public:
    HueforgeApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The executable's file name, cut before its first ".", capitalised: "Hueforge".
    static QString Title();
    // The general error box: the message followed by ".", captioned with the title.
    static void ShowError(const QString &message);
};
