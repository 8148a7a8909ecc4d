// Building the load dialog's controls, at their fixed design positions.
#include "load/frm_load_image.h"

#include "common/colour.h"
#include "widgets/drive_list.h"
#include "widgets/event_codes.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "widgets/form_controls.h"
#include "widgets/key_swatch.h"
#include "widgets/sheet_scroll.h"
#include "load/preview_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace vexlo {
namespace {

constexpr int kClientWidth = 605;
constexpr int kClientHeight = 515;
const QString kSheetPatterns = QStringLiteral("*.bmp;*.jpg;*.dib;*.gif;*.ico;*.cur;*.png");

} // namespace

FrmLoadImage::FrmLoadImage(Workspace &workspace, QWidget *parent)
    : QDialog(parent), workspace_(workspace)
{
    setWindowTitle(QStringLiteral("Load Image")); // every use sets its own caption
    setFixedSize(kClientWidth, kClientHeight);
    FillBackground(*this, QColor::fromRgb(kWorkspaceGrey));

    buildBrowser();
    buildPreview();
    buildKeyColours();
    buildButtons();
    orderTabs();
    showSelection();
}

void FrmLoadImage::buildBrowser()
{
    buildLists(this, QRect(8, 8, 161, 21), QRect(8, 32, 217, 201), QRect(8, 240, 217, 266), kSheetPatterns);
    Drive1->setToolTip(QStringLiteral("Click to set drive"));
    Dir1->setToolTip(QStringLiteral("Navigate to folder"));
    File1->setToolTip(QStringLiteral("Select file"));
    connect(File1, &FileList::fileChosen, this, &FrmLoadImage::File1_Click);

    BtnExplore = Button(this, QStringLiteral("Explore"), QRect(176, 8, 49, 25),
                        QStringLiteral("Explore the below directory"));
    connect(BtnExplore, &QPushButton::clicked, this, &FrmLoadImage::BtnExplore_Click);

    FileName = new QLabel(this);
    FileName->move(240, 8);
}

void FrmLoadImage::buildPreview()
{
    TileSet = new PreviewBox(selection_.preview(), this);
    TileSet->setGeometry(240, kPreviewTop, 256, 289);
    TileSet->setFocusPolicy(Qt::StrongFocus);
    TileSet->hide();
    TileSet->onMousePress = [this](QMouseEvent *event) {
        const QPoint at = PixelAt(*TileSet, *event);
        TileSet_MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
    };
    TileSet->onWheel = [this](QWheelEvent *event) { wheelSteps_.turn(*TileSetScroll, *event); };

    TileSetScroll = new QScrollBar(Qt::Vertical, this);
    TileSetScroll->setGeometry(504, 16, 17, 81);
    FitScrollBar(*TileSetScroll, 0, kClientHeight); // no sheet yet
    TileSetScroll->setTracking(false); // the preview moves when the thumb is let go
    TileSetScroll->setFocusPolicy(Qt::StrongFocus);
    connect(TileSetScroll, &QScrollBar::valueChanged, this, &FrmLoadImage::TileSetScroll_Change);
}

void FrmLoadImage::buildKeyColours()
{
    const QString captions[2] = {QStringLiteral("Transparent:"), QStringLiteral("Translucent:")};
    const int widths[2] = {52, 51};
    for (int row = 0; row < 2; ++row) {
        Label1[row] = new QLabel(captions[row], this);
        Label1[row]->setFont(SmallFont(6.75));
        // This platform's small font runs a little wider than the layout
        // allows for; the caption gets the room it needs up to its swatch.
        const int width = std::max(widths[row], Label1[row]->sizeHint().width());
        Label1[row]->setGeometry(512, 344 + row * 24, width, 11);
    }
    TransCol = new KeySwatch(this);
    TransCol->setGeometry(576, 344, 16, 16);
    TransCol->setToolTip(QStringLiteral("Transparent colour"));
    TransLCol = new KeySwatch(this);
    TransLCol->setGeometry(576, 368, 16, 16);
    TransLCol->setToolTip(QStringLiteral("Translucent (shadow) colour"));

    const QString presetTip = QStringLiteral(
        "Click to set transparent colour to a preset. Click again for an alternate colour.");
    const QString presets[2] = {QStringLiteral("Default transparent"), QStringLiteral("Default translucent")};
    for (int member = 0; member < 2; ++member) {
        BtnDefTrans[member] = Button(this, presets[member], QRect(512, 392 + member * 16, 81, 17), presetTip);
        BtnDefTrans[member]->setFont(SmallFont(6));
        connect(BtnDefTrans[member], &QPushButton::clicked, this,
                [this, member] { BtnDefTrans_Click(std::int16_t(member)); });
    }

    ChkAlphaToKeys = new QCheckBox(QStringLiteral("Alpha as keys"), this);
    ChkAlphaToKeys->setFont(SmallFont(6.75));
    ChkAlphaToKeys->setGeometry(512, 316, 90, 17);
    ChkAlphaToKeys->setToolTip(QStringLiteral(
        "Load the picture's transparency as the key colours: fully transparent pixels as the transparent "
        "colour, black at half transparency as the translucent colour"));
    connect(ChkAlphaToKeys, &QCheckBox::clicked, this, &FrmLoadImage::ChkAlphaToKeys_Click);
}

void FrmLoadImage::buildButtons()
{
    BtnCancel = Button(this, QStringLiteral("Cancel"), QRect(512, 432, 81, 33),
                       QStringLiteral("Don't load an image"));
    connect(BtnCancel, &QPushButton::clicked, this, &FrmLoadImage::BtnCancel_Click);
    BtnLoad = Button(this, QStringLiteral("Load"), QRect(512, 472, 81, 33), QStringLiteral("Load image"));
    connect(BtnLoad, &QPushButton::clicked, this, &FrmLoadImage::BtnLoad_Click);
}

void FrmLoadImage::orderTabs()
{
    QWidget *const order[] = {TileSet,   Drive1,         Dir1, File1,
                              BtnLoad,   TileSetScroll,  BtnCancel,
                              ChkAlphaToKeys, BtnDefTrans[0], BtnDefTrans[1], BtnExplore};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace vexlo
