#pragma once

#include <QDialog>
#include <QIcon>
#include <QPoint>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class TAboutForm;
}

// The modal About box: version line and description, the maker's page with its two links,
// the installed companion libraries, the notice of rights. Reused for every showing; each
// showing rebuilds the version line, the description and the library list.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);
    ~TAboutForm() override;

    // Shown on the "Program" page from the next showing on.
    QString Description() const { return m_description; }
    void setDescription(const QString &description) { m_description = description; }

    // Shows the box modally with its top-left frame corner at `topLeft` (normally the main
    // window's pos()); returns when the box closes.
    int ShowModalAt(const QPoint &topLeft);

    // How the link buttons open their link; QDesktopServices::openUrl unless replaced.
    void setLinkOpener(std::function<void(const QUrl &)> opener);

    // The program icon from the compiled-in resources, for the application's window icon.
    static QIcon ApplicationIcon();

public slots:
    void FormShow();
    void ListBox1Click();
    void MButton2Click();
    void MButton3Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TAboutForm> ui;
    QString m_description;
    std::optional<QPoint> m_topLeft;
    std::function<void(const QUrl &)> m_openLink;
};
