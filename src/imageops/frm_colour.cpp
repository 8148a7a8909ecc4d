// The colour dialog: its controls at their design places, its entry point
// and its event handlers.
#include "imageops/frm_colour.h"

#include "widgets/form_controls.h"
#include "widgets/key_swatch.h"
#include "imageops/colour_choice.h"
#include "model/workspace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace vexlo {
namespace {

constexpr int kClientWidth = 407;
constexpr int kClientHeight = 137;
constexpr int kRowTops[3] = {8, 40, 72};

} // namespace

FrmColour::FrmColour(Workspace &workspace, QWidget *parent) : QDialog(parent), workspace_(workspace)
{
    setWindowTitle(QStringLiteral("Select colour")); // every use sets its own caption
    setFixedSize(kClientWidth, kClientHeight);
    buildRows();
    buildBracket();
    buildChoice();
    Form_Load();
}

void FrmColour::buildRows()
{
    QLabel **labels[3] = {&Label1, &Label2, &Label3};
    const QString letters[3] = {QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B")};
    for (int row = 0; row < 3; ++row) {
        const int top = kRowTops[row];
        *labels[row] = new QLabel(letters[row], this);
        (*labels[row])->setGeometry(8, top, 33, 17);

        SCol[row] = new QScrollBar(Qt::Horizontal, this);
        SCol[row]->setGeometry(32, top, 161, 17);
        SCol[row]->setRange(0, 255);
        SCol[row]->setSingleStep(1);
        SCol[row]->setPageStep(1);
        SCol[row]->setTracking(false); // the colour follows the thumb when it is let go
        SCol[row]->setFocusPolicy(Qt::StrongFocus);
        connect(SCol[row], &QScrollBar::valueChanged, this, [this, row] { SCol_Change(std::int16_t(row)); });

        TCol[row] = new QLineEdit(QStringLiteral("0"), this);
        TCol[row]->setGeometry(200, top, 41, 19);
        TCol[row]->setMaxLength(3);
        connect(TCol[row], &QLineEdit::textChanged, this, [this, row] { TCol_Change(std::int16_t(row)); });

        CIndex[row] = new KeySwatch(this);
        CIndex[row]->setGeometry(248, top, 17, 17);
        CIndex[row]->setColour(kBlack);
    }
    CIndex[3] = new KeySwatch(this);
    CIndex[3]->setGeometry(296, 32, 33, 33);
    CIndex[3]->setColour(kBlack);
}

void FrmColour::buildBracket()
{
    Line1 = FilledArea(this, QRect(264, 16, 17, 1), Qt::black);
    Line2 = FilledArea(this, QRect(264, 80, 17, 1), Qt::black);
    Line3 = FilledArea(this, QRect(280, 16, 1, 65), Qt::black);
    Line4 = FilledArea(this, QRect(264, 48, 32, 1), Qt::black);
}

void FrmColour::buildChoice()
{
    Label4 = new QLabel(QStringLiteral("S"), this);
    Label4->setGeometry(8, 104, 17, 17);
    Combo1 = new QComboBox(this);
    Combo1->setGeometry(32, 104, 161, 21);

    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtnCancel->setGeometry(280, 112, 57, 17);
    BtnCancel->setAutoDefault(false);
    connect(BtnCancel, &QPushButton::clicked, this, &FrmColour::BtnCancel_Click);
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setGeometry(344, 112, 57, 17);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &FrmColour::BtnOK_Click);
}

void FrmColour::Form_Load()
{
    Combo1->clear();
    Combo1->addItems(ColourEntryNames());
}

Colour FrmColour::GetColour(const QString &caption)
{
    Combo1->setCurrentIndex(int(ColourEntry::Mixed));
    setWindowTitle(caption);
    exec();
    // Read now: the key and dropper colours as they are when the dialog closes.
    return ColourOfEntry(workspace_, Combo1->currentIndex(), mixedColour());
}

Colour FrmColour::mixedColour() const
{
    return Colour(SCol[0]->value(), SCol[1]->value(), SCol[2]->value());
}

void FrmColour::SCol_Change(std::int16_t Index)
{
    TCol[Index]->setText(QString::number(SCol[Index]->value()));
    for (int row = 0; row < 3; ++row)
        CIndex[row]->setColour(ComponentColour(row, SCol[row]->value()));
    CIndex[3]->setColour(mixedColour());
}

void FrmColour::TCol_Change(std::int16_t Index)
{
    // A value the scroll bar refuses, or one it already has, leaves the
    // text as typed; a new one is written back in plain decimal (007 -> 7).
    if (const std::optional<int> value = ComponentFromText(TCol[Index]->text()))
        SCol[Index]->setValue(*value);
}

void FrmColour::BtnOK_Click()
{
    hide();
}

void FrmColour::BtnCancel_Click()
{
    Combo1->setCurrentIndex(int(ColourEntry::None));
    hide();
}

void FrmColour::chooseEntry(int entry)
{
    Combo1->setCurrentIndex(entry);
}

void FrmColour::moveComponent(int row, int value)
{
    SCol.at(row)->setValue(value);
}

void FrmColour::typeComponent(int row, const QString &text)
{
    TCol.at(row)->setText(text);
}

FrmColour::View FrmColour::view() const
{
    View shown;
    shown.entry = Combo1->currentIndex();
    for (int row = 0; row < 3; ++row) {
        shown.components[row] = SCol[row]->value();
        shown.typed[row] = TCol[row]->text();
    }
    for (int swatch = 0; swatch < 4; ++swatch)
        shown.swatches[swatch] = CIndex[swatch]->colour();
    return shown;
}

FrmColour::Controls FrmColour::controls() const
{
    return {Label1, Label2, Label3, Label4, ReadOnly(SCol), ReadOnly(TCol), ReadOnly(CIndex),
            Line1, Line2, Line3, Line4, Combo1, BtnCancel, BtnOK};
}

void FrmColour::reject()
{
    BtnCancel_Click();
}

} // namespace vexlo
