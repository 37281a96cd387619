#include "app/shell/about_box.h"

#include "app/settings/translucency.h"
#include "app/shell/main_window.h"
#include "app/shell/window_placement.h"
#include "platform/url_opener.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>

const QString TFormAbout::kHomePage = QStringLiteral("https://zarnek.example.org/");

namespace {

const QColor kBlue(0x00, 0x00, 0xff);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xff, 0x00, 0x00);
const QColor kPurple(0x80, 0x00, 0x80);

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

void setTextColour(QLabel* l, const QColor& colour)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
}

QFrame* bevel(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& where)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(where);
    return f;
}

}  // namespace

TFormAbout::TFormAbout(TForm1& form1, std::unique_ptr<UrlOpener> opener, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_form1(form1),
      m_opener(opener ? std::move(opener) : std::make_unique<DesktopUrlOpener>())
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About"));
    setModal(false);
    setFixedSize(300, 230);

    Image1 = label(this, "Image1", QString(), 10, 10);
    Image1->setPixmap(form1.windowIcon().pixmap(32, 32));
    Image1->setFixedSize(32, 32);

    Label1 = label(this, "Label1", QStringLiteral("Zarnek"), 52, 4);
    QFont big = Label1->font();
    big.setPointSize(18);
    big.setBold(true);
    big.setItalic(true);
    Label1->setFont(big);
    Label1->adjustSize();
    setTextColour(Label1, kBlue);
    // A filled one-pixel rule: sunken lines vanish on light styles.
    Bevel2 = new QFrame(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setGeometry(52, Label1->geometry().bottom() + 1, 238, 1);
    Bevel2->setAutoFillBackground(true);
    QPalette line = Bevel2->palette();
    line.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    Bevel2->setPalette(line);

    Label3 = label(this, "Label3", QStringLiteral("version 1.98"), Label1->geometry().right() + 10, 0);
    Label3->move(Label3->x(), Label1->geometry().bottom() - Label3->height() - 3);

    Label2 = label(this, "Label2", QStringLiteral("Fast search Valve multiplayer servers"), 52,
                   Bevel2->geometry().bottom() + 4);
    QFont italic = Label2->font();
    italic.setItalic(true);
    Label2->setFont(italic);
    Label2->adjustSize();
    setTextColour(Label2, kNavy);

    Label11 = label(this, "Label11", QStringLiteral("Supported games:"), 10, 72);
    QFont bold = Label11->font();
    bold.setBold(true);
    Label11->setFont(bold);
    Label11->adjustSize();
    Label12 = label(this, "Label12", QStringLiteral("Half-Life, CS1.5,  CS 1.6,  CS:Source"), 20, 92);
    Label13 = label(this, "Label13", QStringLiteral("HL2DM,  Condition-Zero"), 20, 110);

    Bevel1 = bevel(this, "Bevel1", QFrame::Box, QRect(8, 136, 284, 86));
    Label9 = label(this, "Label9", QStringLiteral("Home page:"), 16, 144);
    Label10 = label(this, "Label10", kHomePage, Label9->geometry().right() + 6, 144);
    Label10->setCursor(Qt::PointingHandCursor);
    // Hovering must underline without a button held.
    Label10->setMouseTracking(true);
    Label10->installEventFilter(this);
    setTextColour(Label10, kBlue);
    label(this, "Label4", QStringLiteral("Finds the game servers of a LAN party"), 16, 168);
    label(this, "Label5", QStringLiteral("and joins them. Written in C++ with Qt."), 16, 184);
    label(this, "Label6", QStringLiteral("Free to use and to pass on."), 16, 200);

    FormCreate();
}

TFormAbout::~TFormAbout() = default;

// The box is centred when first shown, once its frame is known.
void TFormAbout::FormCreate() { m_centred = false; }

void TFormAbout::showEvent(QShowEvent* event)
{
    centreOnFirstShow(*this, m_centred);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Unlike the main window, the box also turns translucency off, so it never
// stays see-through after the switch went off.
void TFormAbout::FormShow() { applyTranslucencyOnShow(*this, m_form1.Settings); }

bool TFormAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Label10)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Label10MouseDown();
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        Label10MouseUp();
        // A press dragged off the link and let go elsewhere is no click.
        if (Label10->rect().contains(mouse->position().toPoint()))
            Label10Click();
        break;
    }
    case QEvent::MouseMove:
        Label10MouseMove();
        break;
    case QEvent::Leave:
        Label10MouseLeave();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormAbout::Label10Click() { m_opener->open(QUrl(kHomePage)); }
void TFormAbout::Label10MouseDown() { setLinkColour(kRed); }
void TFormAbout::Label10MouseUp() { setLinkColour(kPurple); }
void TFormAbout::Label10MouseMove() { setLinkUnderlined(true); }
void TFormAbout::Label10MouseLeave() { setLinkUnderlined(false); }

void TFormAbout::setLinkColour(const QColor& colour) { setTextColour(Label10, colour); }

void TFormAbout::setLinkUnderlined(bool underlined)
{
    QFont f = Label10->font();
    f.setUnderline(underlined);
    Label10->setFont(f);
}
