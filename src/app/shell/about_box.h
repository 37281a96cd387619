#pragma once

// The about box: the program's name, version and games, and a link to its
// home page. Created once at start-up; closing it only hides it.

#include "platform/url_opener.h"

#include <QDialog>
#include <QString>
#include <memory>

class QFrame;
class QLabel;
class TForm1;

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    // The maker's home page, the one address the link opens.
    static const QString kHomePage;

    // A missing opener means the desktop's browser.
    explicit TFormAbout(TForm1& form1, std::unique_ptr<UrlOpener> opener = nullptr,
                        QWidget* parent = nullptr);
    ~TFormAbout() override;

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Bevel2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;  // the home-page link

    void Label10Click();
    void Label10MouseDown();
    void Label10MouseUp();
    void Label10MouseMove();
    void Label10MouseLeave();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void setLinkColour(const QColor& colour);
    void setLinkUnderlined(bool underlined);

    TForm1& m_form1;
    std::unique_ptr<UrlOpener> m_opener;
    bool m_centred = false;
};
