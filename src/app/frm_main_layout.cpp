// Building the main window's controls, at their fixed design positions.
#include "app/frm_main.h"

#include "app/client_area.h"
#include "app/sheet_surface.h"
#include "widgets/form_controls.h"
#include "widgets/key_swatch.h"
#include "common/program_name.h"
#include "imageops/frm_save.h"
#include "macro/frm_macro_file.h"
#include "model/workspace.h"
#include "recovery/recovery_keeper.h"

#include <QFontDatabase>
#include <QLayout>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

namespace vexlo {
namespace {

constexpr int kClientWidth = 759;
constexpr int kClientHeight = 513;

QFont CoordinateFont()
{
    QFont font;
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

// The tile locator: a blue square outline that leaves the tile under it visible.
class LocatorFrame : public QFrame {
public:
    explicit LocatorFrame(QWidget *parent) : QFrame(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 32, 32);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(QColor(0, 0, 255), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(1, 1, 30, 30));
    }
};

} // namespace

FrmMain::FrmMain(Workspace &workspace, QString programFolder, QWidget *parent)
    : QMainWindow(parent), workspace_(workspace), programFolder_(std::move(programFolder))
{
    setWindowTitle(ProgramName());
    client_ = new ClientArea(this);
    client_->onPaint = [this](QPainter &painter) { Form_Paint(painter); };
    client_->onResize = [this] { Form_Resize(); };
    setCentralWidget(client_);

    buildPanes();
    connectPointerHandlers();
    buildToolBox(); // after the panes, so it stays above a sheet scrolled up under it
    buildMenus();
    connectMacroMenu();
    connectImageCommands();
    buildSettings();
    connectModel();
    recovery_ = new RecoveryKeeper(workspace_, RecoveryKeeper::defaultRoot(), this);

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    // The client takes its size now, not when first shown: Form_Load places
    // the panes (and a restored scrolled sheet) in it before that.
    layout()->activate();
    placeCentred();
}

FrmMain::~FrmMain() = default;

QWidget *FrmMain::clientArea() const
{
    return client_;
}

void FrmMain::buildToolBox()
{
    ToolBox = new QWidget(client_);
    ToolBox->setGeometry(0, 0, 760, 32);
    ToolBox->setAutoFillBackground(true); // opaque: a sheet scrolled up slides under it

    for (PaneIndex pane = 0; pane < 2; ++pane) {
        const int x = pane * 312; // the right pane's strip repeats the left one 312 pixels on

        auto *button = new QToolButton(ToolBox);
        button->setGeometry(x + 8, 7, 25, 25);
        button->setArrowType(Qt::DownArrow);
        button->setToolTip(QStringLiteral("Image operations menu"));
        connect(button, &QToolButton::clicked, this, [this, pane] { BtnImageOps_Click(pane); });
        BtnImageOps[pane] = button;

        auto coordinate = [&](int left, const QString &tip) {
            auto *label = new QLabel(QStringLiteral("0"), ToolBox);
            label->setGeometry(x + left, 8, 49, 17);
            label->setAlignment(Qt::AlignCenter);
            label->setFont(CoordinateFont());
            label->setToolTip(tip);
            return label;
        };
        LblX[pane] = coordinate(40, QStringLiteral("X coordinate of selected tile"));
        LblY[pane] = coordinate(88, QStringLiteral("Y coordinate of selected tile"));

        const QString captions[2] = {QStringLiteral("Transparent:"), QStringLiteral("Translucent:")};
        for (int row = 0; row < 2; ++row) {
            auto *caption = new QLabel(captions[row], ToolBox);
            caption->setGeometry(x + 144, row * 16, 51, 10);
            caption->setFont(SmallFont(6));
            Label1[pane * 2 + row] = caption;
        }

        // Placeholders first, so the swatches lie on top of them.
        NoTransp[pane] = FilledArea(ToolBox, QRect(x + 200, 0, 16, 16), QColor::fromRgb(kWorkspaceGrey));
        NoTransp[pane + 2] = FilledArea(ToolBox, QRect(x + 200, 16, 16, 16), QColor::fromRgb(kWorkspaceGrey));

        TransCol[pane] = new KeySwatch(ToolBox);
        TransCol[pane]->setGeometry(x + 200, 0, 16, 16);
        TransLCol[pane] = new KeySwatch(ToolBox);
        TransLCol[pane]->setGeometry(x + 200, 16, 16, 16);

        Chip[pane] = new BufferPreview(workspace_, pane, ToolBox);
        Chip[pane]->setGeometry(x + 232, 0, 32, 32);
        Chip[pane]->setToolTip(QStringLiteral("Tile preview"));
    }

    BtnMacro = new QPushButton(QStringLiteral("Macro"), ToolBox);
    BtnMacro->setGeometry(584, 8, 81, 17);
    connect(BtnMacro, &QPushButton::clicked, this, &FrmMain::BtnMacro_Click);
    BtnOpt = new QPushButton(QStringLiteral("Setup"), ToolBox);
    BtnOpt->setGeometry(672, 8, 81, 17);
}

void FrmMain::buildPanes()
{
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        TileSet[pane] = new SheetSurface(workspace_, pane, client_);
        TileSet[pane]->move(pane == 0 ? 8 : 320, 40);
        Locator[pane] = new LocatorFrame(TileSet[pane]);

        auto *scroll = new QScrollBar(Qt::Vertical, client_);
        scroll->setGeometry(pane == 0 ? 272 : 296, 40, 17, 81);
        // Tracking is on, so the pane also follows while the thumb is dragged.
        connect(scroll, &QScrollBar::valueChanged, this, [this, pane](int value) {
            workspace_.setScrollValue(pane, value);
        });
        TileSetScroll[pane] = scroll;
        fitPaneScroll(pane);
        connect(TileSet[pane], &SheetSurface::resizedToSheet, this, [this, pane] {
            fitPaneScroll(pane);
            TileSetScroll_Change(pane);
        });
        connect(TileSet[pane], &SheetSurface::wheelTurned, this,
                [this, pane](QWheelEvent *event) {
                    wheelSteps_[pane].turn(*TileSetScroll[pane], *event);
                    // The sheet moved under a pointer that did not: the locator follows.
                    const QPoint at = TileSet[pane]->mapFromGlobal(event->globalPosition().toPoint());
                    TileSet_MouseMove(pane, 0, 0, float(at.x()), float(at.y()));
                });
    }

    List1 = new QListView(client_);
    List1->setGeometry(584, 40, 169, 144);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(8.25);
    List1->setFont(fixed);
    List1->setModel(workspace_.macroModel());
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setUniformItemSizes(true);
    List1->hide();
}

void FrmMain::buildMenus()
{
    mimageops = menuBar()->addMenu(QStringLiteral("&Image"));
    mclear = mimageops->addAction(QStringLiteral("&Clear"));
    mload = mimageops->addAction(QStringLiteral("&Load"));
    msave = mimageops->addAction(QStringLiteral("&Save"));
    msaveback = mimageops->addAction(QStringLiteral("Save &back"));
    mrepcol = mimageops->addAction(QStringLiteral("&Replace colour"));
    mresize = mimageops->addAction(QStringLiteral("&Resize"));
    mcheckkeys = mimageops->addAction(QStringLiteral("Check &key colours"));

    mmacro = menuBar()->addMenu(QStringLiteral("&Macro"));
    mrecord = mmacro->addAction(QStringLiteral("&Record"));
    mrecord->setShortcut(QKeySequence(Qt::Key_F4));
    mrecord->setCheckable(true);
    mplay = mmacro->addAction(QStringLiteral("&Play"));
    mplay->setShortcut(QKeySequence(Qt::Key_F5));
    mclearmacro = mmacro->addAction(QStringLiteral("&Clear"));
    msavemacro = mmacro->addAction(QStringLiteral("&Save / load"));
    mhidemacro = mmacro->addAction(QStringLiteral("&Hide macro"));

    medit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mundo = workspace_.undoStack().createUndoAction(this, QStringLiteral("&Undo"));
    mundo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    mredo = workspace_.undoStack().createRedoAction(this, QStringLiteral("&Redo"));
    mredo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    medit->addAction(mundo);
    medit->addAction(mredo);

    mview = menuBar()->addMenu(QStringLiteral("&View"));
    moptions = mview->addAction(QStringLiteral("&Options"));
    mabout = mview->addAction(QStringLiteral("&About"));
}

} // namespace vexlo
