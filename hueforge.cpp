// Hueforge: the material editor's entry point.
#include "aboutbox.h"
#include "application.h"
#include "tintmark1x_xx.h"

#include <exception>

int main(int argc, char **argv)
{
    HueforgeApplication app(argc, argv);
    try {
        TForm1 Form1;
        TAboutForm AboutForm(&Form1);
        Form1.SetAboutBox(&AboutForm);
        Form1.show();
        app.exec();
    } catch (const std::exception &error) {
        HueforgeApplication::ShowError(QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
