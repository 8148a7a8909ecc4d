#include "about/frm_about.h"

#include "about/about_links.h"
#include "about/click_area.h"
#include "common/prompt.h"
#include "common/version_label.h"

#include <QLabel>
#include <QPushButton>

namespace vexlo {
namespace {

constexpr int kClientWidth = 546;
constexpr int kClientHeight = 274;
const QColor kLinkBlue(128, 128, 255);

void Paint(QWidget *widget, QColor text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
}

// One line of the text column right of the picture.
void PlaceLine(QLabel *label, const char *name, int top, QColor colour)
{
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(272, top, 265, 17);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Paint(label, colour);
}

QLabel *Picture(QWidget *parent, const char *name, const QString &resource, QRect geometry)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap(resource));
    return picture;
}

// Opening a page is a courtesy: when the desktop has no browser, nothing happens.
void Open(const QUrl &url)
{
    Prompt::current().openUrl(url);
}

} // namespace

FrmAbout::FrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("About Vexlo"));
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    Paint(this, Qt::white);

    AP = Picture(this, "AP", QStringLiteral(":/about/about_picture.jpg"), QRect(8, 8, 256, 272));

    Label1 = new QLabel(QStringLiteral("Vexlo - created by the Vexlo developers"), this);
    PlaceLine(Label1, "Label1", 16, Qt::white);
    Label2 = new QLabel(QStringLiteral("Version $M.$I.$R."), this);
    PlaceLine(Label2, "Label2", 40, Qt::white);

    Label3 = new ClickArea(AboutLinks::shown(AboutLinks::homePage()), this, [this] { Label3_Click(); });
    PlaceLine(Label3, "Label3", 64, kLinkBlue);
    QFont linkFont = Label3->font();
    linkFont.setPointSizeF(8.25);
    linkFont.setUnderline(true);
    Label3->setFont(linkFont);

    Label4 = new QLabel(QStringLiteral("(%1 or search the web for \"Vexlo\")")
                            .arg(AboutLinks::shown(AboutLinks::secondPage())),
                        this);
    PlaceLine(Label4, "Label4", 88, Qt::white);
    QFont smallFont = Label4->font();
    smallFont.setPointSizeF(6.75);
    Label4->setFont(smallFont);

    // Click areas over the two parts of Label4's line.
    Label6 = new ClickArea(QString(), this, [this] { Label6_Click(); });
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(280, 88, 105, 17);
    Label7 = new ClickArea(QString(), this, [this] { Label7_Click(); });
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(392, 88, 137, 17);

    Image1 = Picture(this, "Image1", QStringLiteral(":/about/about_banner.jpg"), QRect(344, 120, 128, 69));

    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(456, 240, 81, 25);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &FrmAbout::BtnOK_Click);

    Form_Load();
}

FrmAbout::~FrmAbout() = default;

FrmAbout::Controls FrmAbout::controls() const
{
    return {AP, Label1, Label2, Label3, Label4, Label6, Label7, Image1, BtnOK};
}

void FrmAbout::ShowModal(QWidget *parent)
{
    FrmAbout about(parent);
    about.exec();
}

void FrmAbout::Form_Load()
{
    Label2->setText(FillVersionLabel(Label2->text()));
}

void FrmAbout::Label3_Click()
{
    Open(AboutLinks::homePage());
}

void FrmAbout::Label6_Click()
{
    Open(AboutLinks::secondPage());
}

void FrmAbout::Label7_Click()
{
    Open(AboutLinks::searchEngine());
}

void FrmAbout::BtnOK_Click()
{
    accept();
}

} // namespace vexlo
